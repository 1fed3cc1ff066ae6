#include "windows/RecycleIndex.h"

#include "evidence/EvidenceFiles.h"
#include "platform/CodePage.h"
#include "platform/Hive.h"

#include <QByteArray>
#include <QtEndian>

namespace vc {

namespace {

constexpr qsizetype kDollarIHeader = 24;
constexpr qsizetype kVersion1Size = kDollarIHeader + 520;
constexpr qsizetype kVersion2NameOffset = 28;

constexpr qsizetype kInfo2Header = 20;
constexpr qsizetype kInfo2RecordSizeOffset = 12;
constexpr qsizetype kAnsiPathSize = 260;
constexpr qsizetype kRecordNumberOffset = 260;
constexpr qsizetype kDriveOffset = 264;
constexpr qsizetype kDeletedOffset = 268;
constexpr qsizetype kSizeOffset = 276;
constexpr qsizetype kShortRecord = 280; // Windows 95 to Me: the ANSI path only
constexpr qsizetype kUnicodePathSize = 520;
constexpr qsizetype kLongRecord = kShortRecord + kUnicodePathSize;
// No Windows wrote records larger than 800 bytes; a larger size is damage.
constexpr qsizetype kMaxRecord = 4096;

// UTF-16 units up to the first NUL or the end.
QString utf16Text(QByteArrayView bytes) {
    return decodeRegistryText(bytes);
}

// The ANSI path of an INFO2 record; a removed record has lost its first
// byte, which the drive's number gives back.
QString ansiPath(const char* record, const RecycleEntry& entry) {
    if (!entry.removed)
        return decodeEvidence(QByteArrayView(record, qsizetype(qstrnlen(record, kAnsiPathSize))));
    const qsizetype rest = qsizetype(qstrnlen(record + 1, kAnsiPathSize - 1));
    if (rest == 0)
        return QString();
    QByteArray path(record, rest + 1);
    if (entry.drive >= 0 && entry.drive < 26)
        path[0] = char('A' + entry.drive);
    else
        path.remove(0, 1);
    return decodeEvidence(path);
}

} // namespace

std::optional<RecycleEntry> parseDollarI(QByteArrayView bytes) {
    if (bytes.size() < kDollarIHeader)
        return std::nullopt;
    const char* data = bytes.data();
    const quint64 version = qFromLittleEndian<quint64>(data);
    if (version != 1 && version != 2)
        return std::nullopt;
    RecycleEntry entry;
    entry.formatVersion = quint32(version);
    entry.size = qFromLittleEndian<quint64>(data + 8);
    entry.deletedAt = qFromLittleEndian<quint64>(data + 16);
    if (version == 1) {
        const QByteArrayView name = bytes.sliced(kDollarIHeader);
        entry.cut = bytes.size() < kVersion1Size;
        entry.originalPath =
            utf16Text(name.first(std::min(name.size(), kVersion1Size - kDollarIHeader)));
        return entry;
    }
    if (bytes.size() < kVersion2NameOffset) {
        entry.cut = true;
        return entry;
    }
    // The length counts characters with the closing NUL.
    const qint64 units = qFromLittleEndian<quint32>(data + kDollarIHeader);
    const qint64 room = (bytes.size() - kVersion2NameOffset) / 2;
    entry.cut = units > room;
    entry.originalPath =
        utf16Text(bytes.sliced(kVersion2NameOffset, 2 * qsizetype(std::min(units, room))));
    return entry;
}

bool readInfo2(EvidenceReader& reader, const std::function<void(const RecycleEntry&)>& emit,
               QString* error) {
    char header[kInfo2Header];
    if (!reader.readExactly(0, header, kInfo2Header)) {
        *error = QStringLiteral("shorter than the INFO2 header");
        return false;
    }
    const quint32 version = qFromLittleEndian<quint32>(header);
    const qsizetype recordSize = qFromLittleEndian<quint32>(header + kInfo2RecordSizeOffset);
    if (recordSize < kShortRecord || recordSize > kMaxRecord) {
        *error = QStringLiteral("a record size of %1 bytes").arg(recordSize);
        return false;
    }
    QByteArray record(recordSize, Qt::Uninitialized);
    const qint64 size = reader.size();
    for (qint64 offset = kInfo2Header; offset < size; offset += recordSize) {
        const qint64 got = reader.readAt(offset, record.data(), recordSize);
        if (got < kSizeOffset + 4) {
            if (got != 0) {
                RecycleEntry cut;
                cut.formatVersion = version;
                cut.cut = true;
                emit(cut);
            }
            break;
        }
        const char* data = record.constData();
        RecycleEntry entry;
        entry.formatVersion = version;
        entry.record = int(qFromLittleEndian<quint32>(data + kRecordNumberOffset));
        entry.drive = int(qFromLittleEndian<quint32>(data + kDriveOffset));
        entry.deletedAt = qFromLittleEndian<quint64>(data + kDeletedOffset);
        entry.size = qFromLittleEndian<quint32>(data + kSizeOffset);
        entry.removed = data[0] == 0;
        if (recordSize >= kLongRecord) {
            entry.cut = got < kLongRecord;
            entry.originalPath = utf16Text(QByteArrayView(
                data + kShortRecord, std::min<qint64>(got - kShortRecord, kUnicodePathSize)));
        }
        if (entry.originalPath.isEmpty())
            entry.originalPath = ansiPath(data, entry);
        emit(entry);
        if (got < recordSize)
            break;
    }
    return true;
}

QString info2RecycledName(const RecycleEntry& entry) {
    const QChar drive = entry.drive >= 0 && entry.drive < 26 ? QChar(char16_t(u'a' + entry.drive))
                                                             : QLatin1Char('c');
    const qsizetype slash = entry.originalPath.lastIndexOf(QLatin1Char('\\'));
    const QString name = entry.originalPath.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    return QStringLiteral("D") + drive + QString::number(entry.record) + extension;
}

} // namespace vc
