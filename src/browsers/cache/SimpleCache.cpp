#include "browsers/cache/SimpleCache.h"

#include "browsers/cache/CacheBytes.h"
#include "browsers/cache/CacheEntryFields.h"
#include "browsers/cache/ChromeResponseInfo.h"
#include "browsers/cache/PagedReader.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"

#include <QSet>

#include <algorithm>
#include <limits>
#include <memory>

namespace vc {

namespace {

using namespace cache_bytes;

constexpr quint64 kInitialMagic = 0xfcfb6d1ba7725c30ULL;
constexpr quint64 kFinalMagic = 0xf4fa6f45970d41d8ULL;
constexpr quint64 kSparseRangeMagic = 0xeb97bf016553676bULL;
constexpr quint64 kIndexMagic = 0x656e74657220796fULL;
// SimpleFileHeader: magic, version, key length, key hash (and padding).
constexpr qint64 kHeaderSize = 24;
constexpr qint64 kHeaderKeyLength = 12;
// SimpleFileEOF: magic, flags, CRC-32 of the stream, the size of stream 0.
constexpr qint64 kEofSize = 24;
constexpr qint64 kEofFlags = 8;
constexpr qint64 kEofStreamSize = 16;
constexpr quint32 kEofHasKeySha256 = 2;
constexpr qint64 kKeySha256Size = 32;
// SimpleFileSparseRangeHeader: magic, offset in the body, length, CRC-32.
constexpr qint64 kSparseHeaderSize = 32;
constexpr qint64 kSparseOffset = 8;
constexpr qint64 kSparseLength = 16;
// The index: a pickle header (payload size, CRC-32), then magic, version,
// entry count, cache size and, from version 7, the reason it was written;
// then per entry its hash, last-use time and size.
constexpr qint64 kIndexEntriesV6 = 36;
constexpr qint64 kIndexEntriesV7 = 40;
constexpr qint64 kIndexEntrySize = 24;
constexpr quint64 kMaxIndexEntries = 1000000;
constexpr qint64 kIndexChunkEntries = 4096;
// The most read of a key, of the response information, and the most pieces
// of sparse data taken.
constexpr qint64 kMaxKeyBytes = qint64(1) << 20;
constexpr qint64 kMaxStream0Bytes = qint64(1) << 20;
constexpr int kMaxSparsePieces = 65536;
constexpr int kHashDigits = 16;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isEntryHash(QByteArrayView text) {
    return text.size() == kHashDigits && std::all_of(text.begin(), text.end(), isHexDigit);
}

bool readAt(EvidenceReader& reader, qint64 offset, qint64 length, QByteArray& out) {
    out.resize(qsizetype(length));
    return reader.readExactly(offset, out.data(), length);
}

// The key in the header of a "_0" or "_s" file; the offset after it, or -1
// when the file is no entry file.
qint64 readHeaderAndKey(EvidenceReader& reader, WebCacheEntry& entry) {
    QByteArray header;
    if (!readAt(reader, 0, kHeaderSize, header) || le64(header, 0) != kInitialMagic)
        return -1;
    const qint64 keyLength = le32(header, kHeaderKeyLength);
    if (keyLength > kMaxKeyBytes || kHeaderSize + keyLength > reader.size())
        return -1;
    if (!readAt(reader, kHeaderSize, keyLength, entry.key))
        return -1;
    return kHeaderSize + keyLength;
}

// Stream 0 (the response information) and stream 1 (the body) of a "_0"
// file whose key ends at bodyStart.
void readStreams(EvidenceReader& reader, const QByteArray& path, qint64 bodyStart,
                 WebCacheEntry& entry) {
    const qint64 size = reader.size();
    QByteArray eof;
    if (size - kEofSize < bodyStart + kEofSize || !readAt(reader, size - kEofSize, kEofSize, eof) ||
        le64(eof, 0) != kFinalMagic) {
        entry.notes << tx(TextHeadersUnreadable);
        return;
    }
    const qint64 shaSize = (le32(eof, kEofFlags) & kEofHasKeySha256) ? kKeySha256Size : 0;
    const qint64 stream0Size = le32(eof, kEofStreamSize);
    const qint64 stream0Start = size - kEofSize - shaSize - stream0Size;
    const qint64 eof1 = stream0Start - kEofSize;
    QByteArray tail;
    if (stream0Size > kMaxStream0Bytes || eof1 < bodyStart ||
        !readAt(reader, eof1, kEofSize + stream0Size, tail) || le64(tail, 0) != kFinalMagic) {
        entry.notes << tx(TextHeadersUnreadable);
        return;
    }
    const ChromeResponseInfo info =
        parseChromeResponseInfo(QByteArrayView(tail).sliced(kEofSize, stream0Size));
    entry.created = webKitTime(info.responseTime);
    if (const auto request = webKitTime(info.requestTime))
        entry.details.push_back({TextRequestTime, {}, request});
    if (info.valid)
        entry.headers = info.headers;
    else
        entry.notes << tx(TextHeadersUnreadable);
    entry.bodySize = eof1 - bodyStart;
    entry.bodyFile = path;
    if (entry.bodySize > 0)
        entry.body.push_back({path, bodyStart, entry.bodySize, 0});
}

// The pieces of sparse data in an "_s" file; they replace the body.
void readSparse(const EvidenceFiles& files, const QByteArray& path, WebCacheEntry& entry) {
    const std::unique_ptr<EvidenceReader> reader = files.open(path, nullptr);
    if (!reader)
        return;
    WebCacheEntry sparseKey;
    qint64 at = readHeaderAndKey(*reader, sparseKey);
    if (at < 0) {
        entry.notes << tx(TextBodyPlaceDamaged);
        return;
    }
    std::vector<CacheBodyPiece> pieces;
    qint64 end = 0;
    QByteArray header;
    while (at + kSparseHeaderSize <= reader->size()) {
        const bool read = readAt(*reader, at, kSparseHeaderSize, header);
        const qint64 offset = les64(header, kSparseOffset);
        const qint64 length = les64(header, kSparseLength);
        const qint64 dataAt = at + kSparseHeaderSize;
        if (!read || le64(header, 0) != kSparseRangeMagic || offset < 0 || length < 0 ||
            length > reader->size() - dataAt || int(pieces.size()) >= kMaxSparsePieces ||
            offset > std::numeric_limits<qint64>::max() - length) {
            entry.notes << tx(TextBodyPlaceDamaged);
            break;
        }
        pieces.push_back({path, dataAt, length, offset});
        end = qMax(end, offset + length);
        at = dataAt + length;
    }
    if (pieces.empty())
        return;
    std::sort(pieces.begin(), pieces.end(),
              [](const CacheBodyPiece& a, const CacheBodyPiece& b) { return a.at < b.at; });
    entry.body = std::move(pieces);
    entry.bodySize = end;
    entry.bodyFile = path;
    entry.notes << tx(TextSparseBody).arg(entry.body.size());
}

// Reads the entry of one hash; false when its "_0" file is no entry file.
bool readEntry(const EvidenceFiles& files, const QByteArray& folder, const QByteArray& hash,
               const QHash<quint64, qint64>& lastUsed, bool hasSparse, WebCacheEntry& entry) {
    entry = WebCacheEntry();
    entry.format = CacheFormat::Simple;
    entry.id = hash;
    const QByteArray path = joinPath(folder, hash + "_0");
    std::unique_ptr<EvidenceReader> file = files.open(path, nullptr);
    if (!file)
        return false;
    // The header, key and end of an entry file lie in its first and last
    // pages: a small file is read in one call.
    const std::unique_ptr<EvidenceReader> reader = std::make_unique<PagedReader>(std::move(file));
    const qint64 bodyStart = readHeaderAndKey(*reader, entry);
    if (bodyStart < 0) {
        entry.notes << tx(TextNotCacheEntry);
        return true;
    }
    entry.url = urlOfChromeKey(entry.key);
    if (entry.url != entry.key)
        entry.details.push_back({TextCacheKey, entry.key});
    readStreams(*reader, path, bodyStart, entry);
    if (hasSparse)
        readSparse(files, joinPath(folder, hash + "_s"), entry);
    const auto used = lastUsed.constFind(hash.toULongLong(nullptr, 16));
    if (used != lastUsed.constEnd())
        entry.lastUsed = webKitTime(used.value());
    takeHeaderTimes(entry);
    return true;
}

} // namespace

bool isSimpleCache(const EvidenceFiles& files, const QByteArray& folder) {
    if (files.isFile(joinPath(folder, "index-dir/the-real-index")))
        return true;
    const std::unique_ptr<EvidenceReader> reader = files.open(joinPath(folder, "index"), nullptr);
    char magic[8];
    return reader && reader->readExactly(0, magic, 8) &&
           le64(QByteArrayView(magic, 8), 0) == kIndexMagic;
}

QHash<quint64, qint64> readSimpleIndex(const EvidenceFiles& files, const QByteArray& folder,
                                       QString* problem, std::optional<quint64> only) {
    QHash<quint64, qint64> lastUsed;
    const QByteArray path = joinPath(folder, "index-dir/the-real-index");
    if (!files.isFile(path))
        return lastUsed;
    QString error;
    const std::unique_ptr<EvidenceReader> reader = files.open(path, &error);
    QByteArray header;
    if (!reader || !readAt(*reader, 0, kIndexEntriesV7, header)) {
        *problem = EvidenceFiles::pathText(path) + QStringLiteral(": ") +
                   (reader ? tx(TextNotCacheIndexFile) : error);
        return lastUsed;
    }
    if (le64(header, 8) != kIndexMagic) {
        *problem = EvidenceFiles::pathText(path) + QStringLiteral(": ") + tx(TextNotCacheIndexFile);
        return lastUsed;
    }
    const quint32 version = le32(header, 16);
    const qint64 first = version >= 7 ? kIndexEntriesV7 : kIndexEntriesV6;
    const quint64 stated = le64(header, 20);
    const quint64 room = quint64(qMax<qint64>(reader->size() - first, 0) / kIndexEntrySize);
    if (version < 6 || stated > kMaxIndexEntries || stated > room) {
        *problem = EvidenceFiles::pathText(path) + QStringLiteral(": ") +
                   tx(TextUnknownCacheVersion).arg(version);
        return lastUsed;
    }
    if (!only)
        lastUsed.reserve(qsizetype(stated));
    QByteArray chunk;
    for (quint64 done = 0; done < stated;) {
        const qint64 count = qint64(qMin<quint64>(kIndexChunkEntries, stated - done));
        if (!readAt(*reader, first + qint64(done) * kIndexEntrySize, count * kIndexEntrySize,
                    chunk))
            break;
        for (qint64 i = 0; i < count; ++i) {
            const quint64 hash = le64(chunk, i * kIndexEntrySize);
            if (!only || hash == *only)
                lastUsed.insert(hash, les64(chunk, i * kIndexEntrySize + 8));
        }
        done += quint64(count);
    }
    return lastUsed;
}

CacheReadOutcome readSimpleCache(const EvidenceFiles& files, const QByteArray& folder,
                                 const CacheEntrySink& sink) {
    CacheReadOutcome outcome;
    // Names and kinds only: each entry file is opened anyway, and its size
    // is taken when it is.
    std::vector<EvidenceEntry> listing;
    QString error;
    if (!files.listNames(folder, listing, &error)) {
        outcome.problems << EvidenceFiles::pathText(folder) + QStringLiteral(": ") + error;
        return outcome;
    }
    outcome.opened = true;
    QString indexProblem;
    const QHash<quint64, qint64> lastUsed = readSimpleIndex(files, folder, &indexProblem);
    if (!indexProblem.isEmpty())
        outcome.problems << indexProblem;

    QList<QByteArray> hashes;
    QSet<QByteArray> sparse;
    for (const EvidenceEntry& e : listing) {
        if (e.type != EntryType::File || e.name.size() != kHashDigits + 2 ||
            !isEntryHash(QByteArrayView(e.name).first(kHashDigits)) || e.name[kHashDigits] != '_')
            continue;
        const QByteArray hash = e.name.first(kHashDigits);
        if (e.name.endsWith("_0"))
            hashes << hash;
        else if (e.name.endsWith("_s"))
            sparse.insert(hash);
    }
    listing.clear();
    std::sort(hashes.begin(), hashes.end());
    WebCacheEntry entry;
    for (const QByteArray& hash : hashes) {
        if (!readEntry(files, folder, hash, lastUsed, sparse.contains(hash), entry))
            continue;
        ++outcome.entries;
        if (!entry.notes.isEmpty())
            ++outcome.damaged;
        sink(entry);
    }
    return outcome;
}

std::optional<WebCacheEntry> readSimpleEntry(const EvidenceFiles& files, const QByteArray& folder,
                                             const QByteArray& id, QString* error) {
    WebCacheEntry entry;
    QString ignored;
    if (isEntryHash(id) &&
        readEntry(files, folder, id,
                  readSimpleIndex(files, folder, &ignored, id.toULongLong(nullptr, 16)),
                  files.isFile(joinPath(folder, id + "_s")), entry))
        return entry;
    if (error)
        *error = tx(TextEntryUnreadable);
    return std::nullopt;
}

} // namespace vc
