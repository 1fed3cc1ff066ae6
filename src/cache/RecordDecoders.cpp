#include "cache/RecordDecoders.h"

#include "cache/IndexFormat.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "recall/RecallConditions.h"
#include "recall/RecallFilter.h"

#include <algorithm>
#include <cstring>

namespace vc {

namespace {

using namespace index_format;

// The string rule of the format: bytes from p on, up to the first zero byte;
// a byte is taken only while the position after it is still below the bound.
void takeText(IndexFileReader& file, qint64 p, qint64 bound, RecordText& text, int f) {
    char* room = text.room(kMaxFieldLength);
    text.commit(f, file.textInto(p, bound - 1, kMaxFieldLength, room));
}

// The time of a FILETIME as field f: empty for 0 seconds; a time cell or
// a time text as the sink wants it.
void takeTime(const TimeTextWriter& times, const unsigned char* fileTime, int64_t seconds,
              RecordText& text, int f, const RecordSink& sink) {
    if (seconds == 0)
        return;
    if (sink.timeCells) {
        quint64 raw = 0;
        for (int i = 7; i >= 0; --i)
            raw = (raw << 8) | fileTime[i];
        char* start = text.room(kTimeCellRoom);
        text.commit(
            f, writeTimeCell(TimeValue{TimeKind::FileTime, TimeRule::Runtime, qint64(raw)}, start) -
                   start);
        return;
    }
    if (times.room() > 0) {
        char* start = text.room(times.room());
        text.commit(f, times.write(seconds, start) - start);
        return;
    }
    // Texts that go through QLocale have no length known beforehand.
    QByteArray slow;
    appendTimeText(seconds, slow);
    text.set(f, slow.constData(), slow.size());
}

// A FILETIME the machine wrote in its local time: in UTC when the machine's
// zone is known, else kept as the wall-clock time it holds.
void takeLocalTime(const unsigned char* fileTime, RecordText& text, int f, const RecordSink& sink) {
    quint64 raw = 0;
    for (int i = 7; i >= 0; --i)
        raw = (raw << 8) | fileTime[i];
    const std::optional<TimeValue> value = localFileTimeValue(raw, sink.machineZone);
    if (!value)
        return;
    QByteArray cell;
    if (sink.timeCells)
        appendTimeCell(*value, cell);
    else
        appendTimeValueText(*value, cell);
    text.set(f, cell.constData(), cell.size());
}

int32_t valueAt(IndexFileReader& file, qint64 offset) {
    unsigned char bytes[4];
    file.ReadAt(offset, 4, bytes);
    return LittleEndianValue(bytes, 4);
}

// Cleans the fields, asks the recall conditions and hands the record on.
void emitRecord(RecordSink& sink) {
    RecordText& text = sink.scratch.text;
    for (int f = 0; f < RecordText::kFields; ++f) {
        // Time cells are the program's own, not the file's text.
        if (sink.timeCells && (f == 2 || f == 3))
            continue;
        text.truncate(f, CleanControlChars(text.data(f), text.size(f)));
    }
    if (text.size(0) >= 4 && text.data(0)[3] == ' ')
        text.truncate(0, 3);
    RecordFields& fields = sink.scratch.fields;
    for (int f = 0; f < RecordText::kFields; ++f)
        fields[f] = text.view(f);

    // The recall conditions see the fields joined by single spaces.
    if (sink.filter && !sink.filter->isEmpty()) {
        QByteArray& wholeRow = sink.scratch.wholeRow;
        wholeRow.resize(0);
        AppendJoined(fields, RecordText::kFields, ' ', wholeRow);
        if (!PassesRecallConditions(*sink.filter, wholeRow, fields[3]))
            return;
    }
    ++sink.RecordCount;
    if (sink.Fields) {
        sink.Fields(fields);
        return;
    }
    QByteArray& line = sink.scratch.line;
    line.resize(0);
    AppendWorkFileLine(fields, line);
    line.append('\n');
    if (sink.WorkFile)
        sink.WorkFile->write(line);
}

} // namespace

void AppendJoined(const QByteArrayView* cells, int count, char separator, QByteArray& out) {
    // Laid out in one piece: appending cell by cell costs more than the
    // copying.
    qsizetype length = 0;
    for (int i = 0; i < count; ++i)
        length += cells[i].size() + 1;
    if (count == 0)
        return;
    const qsizetype at = out.size();
    out.resize(at + length - 1);
    char* p = out.data() + at;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            *p++ = separator;
        if (!cells[i].isEmpty())
            std::memcpy(p, cells[i].data(), size_t(cells[i].size()));
        p += cells[i].size();
    }
}

void AppendWorkFileLine(const RecordFields& fields, QByteArray& out) {
    AppendJoined(fields, RecordText::kFields, '\t', out);
}

QByteArray FileTimeText(const unsigned char* eightBytes) {
    QByteArray text;
    const int64_t seconds = FileTimeToUnix(eightBytes);
    if (seconds != 0)
        appendTimeText(seconds, text);
    return text;
}

void DecodeUrlRecord(IndexFileReader& file, int32_t r, QByteArrayView signature, int32_t fileSize,
                     double CacheIndexVersion, RecordSink& sink) {
    const UrlLayout layout = urlLayoutFor(CacheIndexVersion);
    const qint64 record = r;
    const qint64 recordEnd =
        record + qint64(valueAt(file, record + kRecordBlocksOffset)) * kBlockSize;

    RecordText& text = sink.scratch.text;
    text.clear();
    text.set(0, signature.data(), std::min<qsizetype>(4, signature.size()));
    unsigned char modified[8];
    unsigned char accessed[8];
    file.ReadAt(record + kModifiedTimeOffset, 8, modified);
    file.ReadAt(record + kAccessedTimeOffset, 8, accessed);
    const int64_t accessedSeconds = FileTimeToUnix(accessed);
    const int64_t modifiedSeconds = FileTimeToUnix(modified);
    const TimeTextWriter times;
    if (sink.secondTimeLocal) {
        takeLocalTime(accessed, text, 3, sink);
        takeTime(times, modified, modifiedSeconds, text, 2, sink);
    } else {
        takeTime(times, accessed, accessedSeconds, text, 3, sink);
        // History records often carry one time twice; formatting is the
        // costliest step of a record, so an equal time reuses its text.
        if (modifiedSeconds == accessedSeconds)
            text.copy(2, 3);
        else
            takeTime(times, modified, modifiedSeconds, text, 2, sink);
    }

    // The address's offset is one byte of a 32-bit field. A field whose
    // 32-bit value is not smaller than the record (at least one block) holds
    // no offset at all (leaked records keep filler such as 0xDEADBEEF there,
    // whose low byte would point into the next record): the record stores
    // no address.
    const quint32 urlField = quint32(valueAt(file, record + layout.urlOffset));
    if (qint64(urlField) < std::max<qint64>(recordEnd - record, kBlockSize)) {
        const int urlOffset = file.byteAt(record + layout.urlOffset);
        takeText(file, record + urlOffset, fileSize, text, 1);
    }

    const int32_t fileNameOffset = valueAt(file, record + layout.fileNameOffset);
    if (fileNameOffset > kLowestFileNameOffset)
        takeText(file, record + fileNameOffset, fileSize, text, 4);

    const int directory = file.byteAt(record + layout.directoryIndex);
    const int folderEntry = kFolderNamesOffset + kFolderEntrySize * directory;
    if (folderEntry + kFolderNameLength < fileSize) {
        unsigned char name[kFolderNameLength];
        file.ReadAt(folderEntry, kFolderNameLength, name);
        text.set(5, reinterpret_cast<const char*>(name), kFolderNameLength);
    }

    const int32_t headerOffset = valueAt(file, record + layout.headerOffset);
    if (headerOffset > kLowestHeaderOffset) {
        const qint64 start = record + headerOffset;
        qint64 bound = std::min<qint64>(recordEnd, fileSize);
        // A header that fills its stored size exactly has no zero byte of its
        // own: the record's unused filler follows it. The stored size ends
        // the text too, when it lies inside the record.
        const int32_t stored = valueAt(file, record + layout.headerSize);
        if (stored > 0 && start + stored <= recordEnd)
            bound = std::min(bound, start + stored + 1);
        takeText(file, start, bound, text, 6);
    }

    emitRecord(sink);
}

void DecodeRedrRecord(IndexFileReader& file, int32_t r, int32_t fileSize, RecordSink& sink) {
    RecordText& text = sink.scratch.text;
    text.clear();
    text.set(0, "REDR", 4);
    takeText(file, qint64(r) + kRedirectUrlOffset, fileSize, text, 1);
    emitRecord(sink);
}

} // namespace vc
