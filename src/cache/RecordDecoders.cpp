#include "cache/RecordDecoders.h"

#include "cache/IndexFormat.h"
#include "platform/TimeText.h"
#include "recall/RecallConditions.h"
#include "recall/RecallFilter.h"

#include <algorithm>
#include <cstring>

namespace vc {

namespace {

using namespace index_format;

// The string rule of the format: bytes from p on, up to the first zero byte;
// a byte is taken only while the position after it is still below the bound.
void takeText(IndexFileReader& file, qint64 p, qint64 bound, QByteArray& into) {
    file.textAt(p, bound - 1, kMaxFieldLength, into);
}

int32_t valueAt(IndexFileReader& file, qint64 offset) {
    unsigned char bytes[4];
    file.ReadAt(offset, 4, bytes);
    return LittleEndianValue(bytes, 4);
}

// Cleans the fields, asks the recall conditions and hands the record on.
void emitRecord(RecordSink& sink) {
    RecordFields& fields = sink.scratch.fields;
    for (QByteArray& field : fields)
        CleanControlChars(field);
    QByteArray& type = fields[0];
    if (type.size() >= 4 && type[3] == ' ')
        type.truncate(3);

    // The recall conditions see the fields joined by single spaces.
    if (sink.filter && !sink.filter->isEmpty()) {
        QByteArray& wholeRow = sink.scratch.wholeRow;
        wholeRow.resize(0);
        for (int i = 0; i < 7; ++i) {
            if (i > 0)
                wholeRow.append(' ');
            wholeRow.append(QByteArrayView(fields[i]));
        }
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

// Empties the fields, keeping their room.
void clearFields(RecordFields& fields) {
    for (QByteArray& field : fields)
        field.resize(0);
}

} // namespace

void AppendWorkFileLine(const RecordFields& fields, QByteArray& out) {
    // Laid out in one piece: appending field by field costs more than the
    // copying.
    qsizetype length = 0;
    for (const QByteArray& field : fields)
        length += field.size() + 1;
    const qsizetype at = out.size();
    out.resize(at + length - 1);
    char* p = out.data() + at;
    for (int i = 0; i < 7; ++i) {
        if (i > 0)
            *p++ = '\t';
        if (!fields[i].isEmpty())
            std::memcpy(p, fields[i].constData(), size_t(fields[i].size()));
        p += fields[i].size();
    }
}

QByteArray FileTimeText(const unsigned char* eightBytes) {
    QByteArray text;
    FileTimeText(eightBytes, text);
    return text;
}

void FileTimeText(const unsigned char* eightBytes, QByteArray& into) {
    into.resize(0);
    const int64_t seconds = FileTimeToUnix(eightBytes);
    if (seconds != 0)
        appendTimeText(seconds, into);
}

void DecodeUrlRecord(IndexFileReader& file, int32_t r, QByteArrayView signature, int32_t fileSize,
                     double CacheIndexVersion, RecordSink& sink) {
    const UrlLayout layout = urlLayoutFor(CacheIndexVersion);
    const qint64 record = r;
    const qint64 recordEnd =
        record + qint64(valueAt(file, record + kRecordBlocksOffset)) * kBlockSize;

    RecordFields& fields = sink.scratch.fields;
    clearFields(fields);
    fields[0].append(signature.first(std::min<qsizetype>(4, signature.size())));
    unsigned char modified[8];
    unsigned char accessed[8];
    file.ReadAt(record + kModifiedTimeOffset, 8, modified);
    file.ReadAt(record + kAccessedTimeOffset, 8, accessed);
    FileTimeText(accessed, fields[3]);
    // History records often carry one time twice; formatting is the
    // costliest step of a record, so an equal time reuses its text.
    if (FileTimeToUnix(modified) == FileTimeToUnix(accessed))
        fields[2].append(QByteArrayView(fields[3]));
    else
        FileTimeText(modified, fields[2]);

    const int urlOffset = file.byteAt(record + layout.urlOffset);
    takeText(file, record + urlOffset, fileSize, fields[1]);

    const int32_t fileNameOffset = valueAt(file, record + layout.fileNameOffset);
    if (fileNameOffset > kLowestFileNameOffset)
        takeText(file, record + fileNameOffset, fileSize, fields[4]);

    const int directory = file.byteAt(record + layout.directoryIndex);
    const int folderEntry = kFolderNamesOffset + kFolderEntrySize * directory;
    if (folderEntry + kFolderNameLength < fileSize) {
        unsigned char name[kFolderNameLength];
        file.ReadAt(folderEntry, kFolderNameLength, name);
        fields[5].append(reinterpret_cast<const char*>(name), kFolderNameLength);
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
        takeText(file, start, bound, fields[6]);
    }

    emitRecord(sink);
}

void DecodeRedrRecord(IndexFileReader& file, int32_t r, int32_t fileSize, RecordSink& sink) {
    RecordFields& fields = sink.scratch.fields;
    clearFields(fields);
    fields[0].append("REDR", 4);
    takeText(file, qint64(r) + kRedirectUrlOffset, fileSize, fields[1]);
    emitRecord(sink);
}

} // namespace vc
