#include "thiscomputer/DesktopFiles.h"

#include "evidence/EvidenceFiles.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QXmlStreamReader>

namespace vc {

namespace {

// The piece read at a time.
constexpr qint64 kChunk = 256 * 1024;

bool digitsAt(QByteArrayView text, qsizetype at, int count, int* value) {
    if (at + count > text.size())
        return false;
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

} // namespace

std::optional<qint64> isoTimeMicroseconds(QByteArrayView text, bool* local) {
    text = text.trimmed();
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!digitsAt(text, 0, 4, &year) || text.size() < 19 || text[4] != '-' ||
        !digitsAt(text, 5, 2, &month) || text[7] != '-' || !digitsAt(text, 8, 2, &day) ||
        (text[10] != 'T' && text[10] != ' ') || !digitsAt(text, 11, 2, &hour) || text[13] != ':' ||
        !digitsAt(text, 14, 2, &minute) || text[16] != ':' || !digitsAt(text, 17, 2, &second))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    qsizetype at = 19;
    qint64 micro = 0;
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        ++at;
        qint64 scale = 100000;
        const qsizetype start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            micro += (text[at] - '0') * scale;
            scale /= 10;
            ++at;
        }
        if (at == start)
            return std::nullopt;
    }
    qint64 offsetSeconds = 0;
    bool zoned = false;
    if (at < text.size()) {
        if (text[at] == 'Z' && at + 1 == text.size()) {
            zoned = true;
        } else if (text[at] == '+' || text[at] == '-') {
            int oh = 0, om = 0;
            const qsizetype m = text.size() > at + 3 && text[at + 3] == ':' ? at + 4 : at + 3;
            if (!digitsAt(text, at + 1, 2, &oh) || !digitsAt(text, m, 2, &om) ||
                m + 2 != text.size() || oh > 23 || om > 59)
                return std::nullopt;
            offsetSeconds = (oh * 3600 + om * 60) * (text[at] == '-' ? -1 : 1);
            zoned = true;
        } else {
            return std::nullopt;
        }
    }
    if (local)
        *local = !zoned;
    const qint64 days = QDate(1970, 1, 1).daysTo(date);
    const qint64 seconds =
        days * 86400 + hour * 3600 + minute * 60 + std::min(second, 59) - offsetSeconds;
    return seconds * 1000000 + micro;
}

quint64 fileTimeOfMicroseconds(qint64 microseconds) {
    constexpr qint64 k1601To1970 = 11644473600LL * 10000000LL;
    const qint64 value = microseconds * 10 + k1601To1970;
    return value > 0 ? quint64(value) : 0;
}

QByteArray localPathOfFileUri(QByteArrayView uri) {
    if (!uri.startsWith("file://"))
        return QByteArray();
    QByteArrayView rest = uri.sliced(7);
    const qsizetype slash = rest.indexOf('/');
    if (slash < 0)
        return QByteArray();
    const QByteArrayView host = rest.first(slash);
    if (!host.isEmpty() && host != "localhost")
        return QByteArray();
    return QByteArray::fromPercentEncoding(rest.sliced(slash).toByteArray());
}

bool readXmlFile(const EvidenceFiles& files, const QByteArray& path,
                 const std::function<bool(QXmlStreamReader&)>& each, QString* error) {
    const std::unique_ptr<EvidenceReader> reader = files.open(path, error);
    if (!reader)
        return false;
    QXmlStreamReader xml;
    QByteArray chunk;
    qint64 offset = 0;
    bool atEnd = false;
    // Whether the root element has closed: the document is whole, whatever
    // follows it (the reader waits for more data after it).
    int depth = 0;
    bool rootClosed = false;
    for (;;) {
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.hasError())
                break;
            if (xml.isStartElement())
                ++depth;
            else if (xml.isEndElement() && --depth == 0)
                rootClosed = true;
            if (!each(xml))
                return true;
        }
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !atEnd) {
            chunk.resize(kChunk);
            const qint64 got = reader->readAt(offset, chunk.data(), kChunk);
            if (got < 0) {
                if (error)
                    *error = reader->errorString();
                return false;
            }
            if (got == 0) {
                atEnd = true;
                continue;
            }
            offset += got;
            chunk.resize(got);
            xml.addData(chunk);
            continue;
        }
        if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
            if (error)
                *error =
                    QStringLiteral("%1 (line %2)").arg(xml.errorString()).arg(xml.lineNumber());
            return false;
        }
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && atEnd) {
            if (rootClosed)
                return true;
            if (error)
                *error = xml.errorString();
            return false;
        }
        return true;
    }
}

bool readLines(const EvidenceFiles& files, const QByteArray& path, qsizetype maxLine,
               const std::function<bool(const QByteArray&)>& each, QString* error) {
    const std::unique_ptr<EvidenceReader> reader = files.open(path, error);
    if (!reader)
        return false;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    QByteArray line;
    bool cut = false;
    qint64 offset = 0;
    const auto give = [&]() {
        if (line.endsWith('\r'))
            line.chop(1);
        const bool more = each(line);
        line.resize(0);
        cut = false;
        return more;
    };
    for (;;) {
        const qint64 got = reader->readAt(offset, chunk.data(), kChunk);
        if (got < 0) {
            if (error)
                *error = reader->errorString();
            return false;
        }
        if (got == 0)
            break;
        offset += got;
        qsizetype start = 0;
        while (start < got) {
            const qsizetype end =
                QByteArrayView(chunk.constData() + start, got - start).indexOf('\n');
            const qsizetype stop = end < 0 ? got : start + end;
            if (!cut) {
                const qsizetype room = maxLine - line.size();
                const qsizetype take = std::min<qsizetype>(room, stop - start);
                line.append(chunk.constData() + start, take);
                cut = take < stop - start;
            }
            if (end < 0)
                break;
            if (!give())
                return true;
            start = stop + 1;
        }
    }
    if (!line.isEmpty())
        give();
    return true;
}

QByteArray desktopEntryValue(const QByteArray& text, const QByteArray& group,
                             const QByteArray& key) {
    bool inGroup = false;
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == '[' + group + ']';
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        QByteArray name = line.left(equals).trimmed();
        // "URL[$e]" is the URL with its variables to expand.
        if (name.endsWith("[$e]"))
            name.chop(4);
        if (name == key)
            return line.mid(equals + 1).trimmed();
    }
    return QByteArray();
}

} // namespace vc
