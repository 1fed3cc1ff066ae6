#include "cache/CookieTextFile.h"

#include "cache/IndexFormat.h"
#include "language/InterfaceTexts.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "recall/RecallFilter.h"

#include <QFile>

#include <algorithm>

namespace vc {

namespace {

// Byte-by-position reads of a file through one buffer: the reader walks
// forward a byte or two at a time, so a refill is needed once per buffer.
class BufferedBytes {
public:
    explicit BufferedBytes(EvidenceReader& file) : m_file(file), m_buffer(kBufferSize, '\0') {}

    // The byte at pos; false at or beyond the end of the file (or where a
    // read fails).
    bool byteAt(qint64 pos, char& out) {
        if (pos < m_start || pos >= m_start + m_length) {
            if (pos < 0)
                return false;
            m_start = pos;
            m_length = 0;
            while (m_length < kBufferSize) {
                const qint64 n = m_file.readAt(pos + m_length, m_buffer.data() + m_length,
                                               kBufferSize - m_length);
                if (n <= 0)
                    break;
                m_length += n;
            }
            if (m_length == 0)
                return false;
        }
        out = m_buffer[pos - m_start];
        return true;
    }

private:
    static constexpr qint64 kBufferSize = 64 * 1024;
    EvidenceReader& m_file;
    QByteArray m_buffer;
    qint64 m_start = 0;
    qint64 m_length = 0;
};

// A text line: up to its line feed or the end of the file; bytes beyond the
// kept length are read over.
QByteArray readTextLine(BufferedBytes& bytes, qint64& pos) {
    QByteArray line;
    char c = 0;
    while (bytes.byteAt(pos, c)) {
        ++pos;
        if (c == '\n')
            break;
        if (line.size() < kMaxCookieLineLength)
            line.append(c);
    }
    return line;
}

// A number line: at most 999 characters, then one byte is passed over for
// the line feed, whatever that byte is.
QByteArray readNumberLine(BufferedBytes& bytes, qint64& pos) {
    QByteArray line;
    char c = 0;
    while (line.size() < kCookieNumberLineLength && bytes.byteAt(pos, c) && c != '\n') {
        line.append(c);
        ++pos;
    }
    ++pos;
    return line;
}

QByteArray noTabs(QByteArray text) {
    return text.replace('\t', ' ');
}

} // namespace

uint32_t ParseCookieNumber(const QByteArray& line) {
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r')))
        ++i;
    uint64_t value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + uint64_t(line[i] - '0');
        if (value > 0xFFFFFFFFULL)
            return 0xFFFFFFFFU;
    }
    return uint32_t(value);
}

QByteArray CookieTimeText(uint32_t low, uint32_t high) {
    unsigned char fileTime[8];
    for (int i = 0; i < 4; ++i) {
        fileTime[i] = (low >> (8 * i)) & 0xff;
        fileTime[4 + i] = (high >> (8 * i)) & 0xff;
    }
    return formatTimeText(FileTimeToUnix(fileTime));
}

QByteArray CookieTimeCell(uint32_t low, uint32_t high) {
    const quint64 raw = (quint64(high) << 32) | low;
    return timeCell(TimeValue{TimeKind::FileTime, TimeRule::Runtime, qint64(raw)});
}

bool ReadCookieRecords(const QString& path,
                       const std::function<void(const CookieRecord&)>& onRecord,
                       const EvidenceFiles& files) {
    const std::unique_ptr<EvidenceReader> file =
        files.open(EvidenceFiles::pathBytes(path), nullptr);
    if (!file)
        return false;
    BufferedBytes bytes(*file);
    qint64 pos = 0;
    bool last = false;
    while (!last) {
        CookieRecord record;
        record.name = readTextLine(bytes, pos);
        record.value = readTextLine(bytes, pos);
        record.hostPath = readTextLine(bytes, pos);
        record.flags = readTextLine(bytes, pos);
        record.expirationLow = ParseCookieNumber(readNumberLine(bytes, pos));
        record.expirationHigh = ParseCookieNumber(readNumberLine(bytes, pos));
        record.creationLow = ParseCookieNumber(readNumberLine(bytes, pos));
        record.creationHigh = ParseCookieNumber(readNumberLine(bytes, pos));
        pos += 2; // the "*" line, not read
        char c = 0;
        last = !bytes.byteAt(pos, c);
        onRecord(record);
    }
    return true;
}

QByteArray CookieWorkFileLine(const CookieRecord& record, const QByteArray& fileName) {
    const QByteArray fields[7] = {
        noTabs(record.hostPath),
        noTabs(record.name),
        CookieTimeCell(record.creationLow, record.creationHigh),
        CookieTimeCell(record.expirationLow, record.expirationHigh),
        noTabs(fileName),
        noTabs(record.value),
        noTabs(record.flags),
    };
    QByteArray line;
    for (int i = 0; i < 7; ++i) {
        if (i > 0)
            line.append('\t');
        line.append(fields[i]);
    }
    line.append('\n');
    return line;
}

bool ReadCookieFile(const QString& path, const QByteArray& fileName, QIODevice& workFile,
                    const LoadContext& context, const EvidenceFiles& files) {
    const bool opened = ReadCookieRecords(
        path,
        [&](const CookieRecord& record) {
            const QByteArray line = CookieWorkFileLine(record, fileName);
            // The filter sees the fields joined by spaces, line end included,
            // and judges the expiration time as the record's date.
            QByteArray whole = line;
            whole.replace('\t', ' ');
            const QByteArray expiration =
                CookieTimeCell(record.expirationLow, record.expirationHigh);
            if (PassesRecallConditions(context.filter, whole, expiration))
                workFile.write(line);
        },
        files);
    if (!opened && context.report)
        context.report->error(tx(TextCannotOpenCookieFile) + QStringLiteral(":\n") + path);
    return opened;
}

QStringList ListCookieTextFiles(const QString& folder, const EvidenceFiles& files) {
    QStringList names;
    std::vector<EvidenceEntry> entries;
    if (!files.list(EvidenceFiles::pathBytes(folder), entries, nullptr))
        return names;
    for (const EvidenceEntry& e : entries) {
        const QString name = EvidenceFiles::pathText(e.name);
        if (e.type != EntryType::File || e.symlink || name.startsWith(QLatin1Char('.')) ||
            !name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            continue;
        names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    // A deleted entry beside the live one of its name reads as that one.
    names.removeDuplicates();
    return names;
}

} // namespace vc
