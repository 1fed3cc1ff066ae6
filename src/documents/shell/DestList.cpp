#include "documents/shell/DestList.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace vc {

namespace {

constexpr qsizetype kHeaderSize = 32;
// Offsets within an entry (docs/formats/destlist.md).
constexpr qsizetype kHostName = 72;
constexpr qsizetype kHostNameSize = 16;
constexpr qsizetype kEntryNumber = 88;
constexpr qsizetype kAccessCountV1 = 96; // 32-bit float, versions 1 and 2
constexpr qsizetype kAccessTime = 100;
constexpr qsizetype kPinPosition = 108;
constexpr qsizetype kAccessCountV3 = 116; // 32-bit number, versions 3 and 4
constexpr qsizetype kPathSizeV1 = 112;
constexpr qsizetype kPathSizeV3 = 128;
constexpr qsizetype kTrailerV3 = 4;

struct Layout {
    qsizetype pathSize;
    qsizetype trailer;
    bool floatCount;
};

bool layoutOf(quint32 version, Layout* layout) {
    if (version == 1 || version == 2) {
        *layout = {kPathSizeV1, 0, true};
        return true;
    }
    if (version == 3 || version == 4) {
        *layout = {kPathSizeV3, kTrailerV3, false};
        return true;
    }
    return false;
}

QString utf16(const char* p, qsizetype units) {
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(p + 2 * i));
    return text;
}

QString hostName(const char* p) {
    qsizetype n = 0;
    while (n < kHostNameSize && p[n] != 0)
        ++n;
    return QString::fromLatin1(p, n);
}

} // namespace

DestList parseDestList(QByteArrayView stream) {
    DestList list;
    if (stream.size() < kHeaderSize) {
        list.problem = DestList::Problem::TooShort;
        return list;
    }
    const char* data = stream.data();
    list.version = qFromLittleEndian<quint32>(data);
    list.declaredEntries = qFromLittleEndian<quint32>(data + 4);
    Layout layout;
    if (!layoutOf(list.version, &layout)) {
        list.problem = DestList::Problem::UnknownVersion;
        return list;
    }
    qsizetype offset = kHeaderSize;
    while (quint32(list.entries.size()) < list.declaredEntries) {
        const qsizetype left = stream.size() - offset;
        if (left < layout.pathSize + 2)
            break;
        const char* e = data + offset;
        // Zeros where an entry should be: the space after a cut (a cut
        // compound file is read with its missing part as zeros).
        if (QByteArrayView(e, layout.pathSize).count('\0') == layout.pathSize)
            break;
        const qsizetype units = qFromLittleEndian<quint16>(e + layout.pathSize);
        const qsizetype whole = layout.pathSize + 2 + 2 * units + layout.trailer;
        if (whole > left)
            break;
        DestListEntry entry;
        entry.entryNumber = qFromLittleEndian<quint32>(e + kEntryNumber);
        entry.accessTime = qFromLittleEndian<quint64>(e + kAccessTime);
        entry.pinPosition = qFromLittleEndian<qint32>(e + kPinPosition);
        if (layout.floatCount) {
            float count = 0;
            const quint32 bits = qFromLittleEndian<quint32>(e + kAccessCountV1);
            std::memcpy(&count, &bits, sizeof count);
            entry.accessCount = std::isfinite(count) ? double(count) : 0.0;
        } else {
            entry.accessCount = qFromLittleEndian<quint32>(e + kAccessCountV3);
        }
        entry.hostName = hostName(e + kHostName);
        entry.path = utf16(e + layout.pathSize + 2, units);
        list.entries.append(entry);
        offset += whole;
    }
    if (quint32(list.entries.size()) < list.declaredEntries)
        list.problem = DestList::Problem::Cut;
    return list;
}

} // namespace vc
