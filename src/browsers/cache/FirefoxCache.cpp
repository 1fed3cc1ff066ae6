#include "browsers/cache/FirefoxCache.h"

#include "browsers/cache/CacheBytes.h"
#include "browsers/cache/CacheEntryFields.h"
#include "browsers/cache/HttpHeaders.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"

#include <algorithm>
#include <memory>

namespace vc {

namespace {

using namespace cache_bytes;

// The body's chunks, each with a 16-bit hash before the metadata's header.
constexpr qint64 kChunkSize = 256 * 1024;
// The metadata header: version, fetch count, last fetched, last modified,
// frecency, expiration time, key size, and from version 2 the flags.
constexpr qint64 kMetadataHeaderSize = 28;
constexpr quint32 kNoExpiration = 0xFFFFFFFFu;
// The most of an entry's metadata read: Firefox keeps its elements below
// 64 KiB; the key may be long.
constexpr qint64 kMaxMetadataBytes = qint64(4) << 20;
// cache2/index: a header (version, time stamp, dirty flag, and later the
// KiB written and an encryption flag), the records, a 32-bit hash.
constexpr qint64 kIndexHashSize = 4;
constexpr qint64 kIndexReadRecords = 4096;
// The most records taken from an index: far beyond any cache Firefox keeps
// (its default size holds some tens of thousands of entries), few enough
// that a hostile index cannot exhaust memory.
constexpr qint64 kMaxIndexRecords = 1000000;
constexpr int kSha1Size = 20;

const QByteArray kDoomed = QByteArrayLiteral("doomed");

// The layout of each index version read.
struct IndexLayout {
    qint64 header;
    qint64 record;
    bool fetchFields; // last fetched and fetch count in place of the load times
};
std::optional<IndexLayout> indexLayout(quint32 version) {
    if (version == 9)
        return IndexLayout{12, 41, false};
    if (version >= 10 && version <= 12)
        return IndexLayout{16, 41, false};
    if (version == 13)
        return IndexLayout{20, 45, true};
    return std::nullopt;
}

// The value of "alt-data" ("1;12345,javascript/moz-bytecode-..."): where
// the browser's own data after the body begins; nullopt when unreadable.
std::optional<qint64> altDataOffset(QByteArrayView value) {
    const qsizetype semicolon = value.indexOf(';');
    const qsizetype comma = value.indexOf(',');
    if (semicolon < 0 || comma < semicolon)
        return std::nullopt;
    bool ok = false;
    const qint64 offset = value.sliced(semicolon + 1, comma - semicolon - 1).toLongLong(&ok);
    return ok && offset >= 0 ? std::optional<qint64>(offset) : std::nullopt;
}

// Reads one entry file; a file that is none gives the entry with a note.
void readEntryFile(const EvidenceFiles& files, const QByteArray& path, WebCacheEntry& entry) {
    const std::unique_ptr<EvidenceReader> reader = files.open(path, nullptr);
    if (!reader) {
        entry.notes << tx(TextEntryUnreadable);
        return;
    }
    const qint64 size = reader->size();
    char last[4];
    const qint64 metaOffset = size >= 4 && reader->readExactly(size - 4, last, 4)
                                  ? qint64(be32(QByteArrayView(last, 4), 0))
                                  : -1;
    const qint64 metaLength = size - 4 - metaOffset;
    QByteArray meta;
    if (metaOffset < 0 || metaLength < 0 || metaLength > kMaxMetadataBytes) {
        entry.notes << tx(TextNotCacheEntry);
        return;
    }
    meta.resize(qsizetype(metaLength));
    if (!reader->readExactly(metaOffset, meta.data(), metaLength)) {
        entry.notes << tx(TextEntryUnreadable);
        return;
    }
    const qint64 header = 4 + 2 * ((metaOffset + kChunkSize - 1) / kChunkSize);
    const quint32 version = be32(meta, header);
    const qint64 keyOffset = header + kMetadataHeaderSize + (version >= 2 ? 4 : 0);
    const qint64 keySize = be32(meta, header + 24);
    if (!fits(meta, header, kMetadataHeaderSize) || version == 0 ||
        !fits(meta, keyOffset, keySize + 1) || meta[keyOffset + keySize] != '\0') {
        entry.notes << tx(TextNotCacheEntry);
        return;
    }
    entry.key = meta.mid(keyOffset, keySize);
    entry.url = urlOfFirefoxKey(entry.key);
    if (entry.url != entry.key)
        entry.details.push_back({TextCacheKey, entry.key});
    entry.details.push_back({TextFetchCount, QByteArray::number(be32(meta, header + 4))});
    entry.lastUsed = unixSecondsTime(be32(meta, header + 8));
    entry.created = unixSecondsTime(be32(meta, header + 12));
    const quint32 expiration = be32(meta, header + 20);
    if (expiration != kNoExpiration)
        entry.expires = unixSecondsTime(expiration);

    // The elements: pairs of texts, each ended by a zero byte.
    qint64 bodyLength = metaOffset;
    qint64 at = keyOffset + keySize + 1;
    while (at < meta.size()) {
        const qsizetype nameEnd = meta.indexOf('\0', at);
        const qsizetype valueEnd = nameEnd < 0 ? -1 : meta.indexOf('\0', nameEnd + 1);
        if (valueEnd < 0)
            break;
        const QByteArrayView name = QByteArrayView(meta).sliced(at, nameEnd - at);
        const QByteArrayView value =
            QByteArrayView(meta).sliced(nameEnd + 1, valueEnd - nameEnd - 1);
        if (name == "response-head") {
            entry.headers = headerLinesFromCrLf(value);
        } else if (name == "alt-data") {
            const std::optional<qint64> alt = altDataOffset(value);
            if (alt && *alt <= metaOffset) {
                bodyLength = *alt;
                entry.notes << tx(TextAltData).arg(metaOffset - *alt);
            }
        }
        at = valueEnd + 1;
    }
    entry.bodySize = bodyLength;
    entry.bodyFile = path;
    if (bodyLength > 0)
        entry.body.push_back({path, 0, bodyLength, 0});
    takeHeaderTimes(entry);
}

void startEntry(WebCacheEntry& entry, const QByteArray& id) {
    entry = WebCacheEntry();
    entry.format = CacheFormat::Firefox;
    entry.id = id;
}

// The regular files of a folder, by name; empty when there is none.
QList<QByteArray> fileNames(const EvidenceFiles& files, const QByteArray& folder) {
    std::vector<EvidenceEntry> listing;
    QList<QByteArray> names;
    if (!files.listNames(folder, listing, nullptr))
        return names;
    for (const EvidenceEntry& e : listing)
        if (e.type == EntryType::File)
            names << e.name;
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

bool isFirefoxCache(const EvidenceFiles& files, const QByteArray& folder) {
    return files.isFolder(joinPath(folder, "entries"));
}

QHash<QByteArray, FirefoxIndexRecord> readFirefoxIndex(const EvidenceFiles& files,
                                                       const QByteArray& folder, QString* problem) {
    QHash<QByteArray, FirefoxIndexRecord> records;
    const QByteArray path = joinPath(folder, "index");
    if (!files.isFile(path))
        return records;
    QString error;
    const std::unique_ptr<EvidenceReader> reader = files.open(path, &error);
    char versionBytes[4];
    if (!reader || !reader->readExactly(0, versionBytes, 4)) {
        *problem = EvidenceFiles::pathText(path) + QStringLiteral(": ") +
                   (reader ? tx(TextNotCacheIndexFile) : error);
        return records;
    }
    const quint32 version = be32(QByteArrayView(versionBytes, 4), 0);
    const std::optional<IndexLayout> layout = indexLayout(version);
    const qint64 body = reader->size() - kIndexHashSize - (layout ? layout->header : 0);
    if (!layout || body < 0 || body % layout->record != 0) {
        *problem = EvidenceFiles::pathText(path) + QStringLiteral(": ") +
                   tx(TextUnknownCacheVersion).arg(version);
        return records;
    }
    const qint64 count = qMin(body / layout->record, kMaxIndexRecords);
    QByteArray chunk;
    for (qint64 done = 0; done < count;) {
        const qint64 n = qMin(kIndexReadRecords, count - done);
        chunk.resize(qsizetype(n * layout->record));
        if (!reader->readExactly(layout->header + done * layout->record, chunk.data(),
                                 chunk.size()))
            break;
        for (qint64 i = 0; i < n; ++i) {
            const qint64 r = i * layout->record;
            FirefoxIndexRecord record;
            record.frecency = be32(chunk, r + kSha1Size);
            // After the frecency the hash of the origin attributes (8), then
            // either two 16-bit load times or the last fetch and the count.
            qint64 next = r + kSha1Size + 4 + 8;
            if (layout->fetchFields) {
                record.lastFetched = be32(chunk, next);
                record.fetchCount = be32(chunk, next + 4);
                next += 8;
            } else {
                next += 4;
            }
            record.contentType = quint8(chunk[next]);
            record.flags = be32(chunk, next + 1);
            records.insert(chunk.mid(r, kSha1Size).toHex().toUpper(), record);
        }
        done += n;
    }
    return records;
}

CacheReadOutcome readFirefoxCache(const EvidenceFiles& files, const QByteArray& folder,
                                  const CacheEntrySink& sink) {
    CacheReadOutcome outcome;
    const QByteArray entries = joinPath(folder, "entries");
    std::vector<EvidenceEntry> probe;
    QString error;
    if (!files.listNames(entries, probe, &error)) {
        outcome.problems << EvidenceFiles::pathText(entries) + QStringLiteral(": ") + error;
        return outcome;
    }
    probe.clear();
    outcome.opened = true;
    QString indexProblem;
    QHash<QByteArray, FirefoxIndexRecord> index = readFirefoxIndex(files, folder, &indexProblem);
    if (!indexProblem.isEmpty())
        outcome.problems << indexProblem;

    WebCacheEntry entry;
    auto hand = [&]() {
        ++outcome.entries;
        if (!entry.notes.isEmpty())
            ++outcome.damaged;
        sink(entry);
    };
    for (const QByteArray& name : fileNames(files, entries)) {
        startEntry(entry, name);
        readEntryFile(files, joinPath(entries, name), entry);
        index.remove(name.toUpper());
        hand();
    }
    const QByteArray doomed = joinPath(folder, kDoomed);
    for (const QByteArray& name : fileNames(files, doomed)) {
        startEntry(entry, kDoomed + '/' + name);
        readEntryFile(files, joinPath(doomed, name), entry);
        entry.notes.prepend(tx(TextCacheEntryDoomed));
        hand();
    }
    // What the index lists and no file holds any more.
    QList<QByteArray> gone = index.keys();
    std::sort(gone.begin(), gone.end());
    for (const QByteArray& hash : gone) {
        startEntry(entry, hash);
        const FirefoxIndexRecord& record = index[hash];
        entry.lastUsed = unixSecondsTime(record.lastFetched);
        entry.notes << tx(TextEntryFileMissing);
        hand();
    }
    return outcome;
}

std::optional<WebCacheEntry> readFirefoxEntry(const EvidenceFiles& files, const QByteArray& folder,
                                              const QByteArray& id, QString* error) {
    // The name of a file in "entries" or "doomed", nothing that leaves them.
    QByteArray name = id;
    QByteArray subfolder = "entries";
    if (name.startsWith(kDoomed + '/')) {
        name = name.mid(kDoomed.size() + 1);
        subfolder = kDoomed;
    }
    if (name.isEmpty() || name.contains('/') || name == "." || name == "..") {
        if (error)
            *error = tx(TextEntryUnreadable);
        return std::nullopt;
    }
    WebCacheEntry entry;
    startEntry(entry, id);
    const QByteArray path = joinPath(joinPath(folder, subfolder), name);
    if (files.isFile(path)) {
        readEntryFile(files, path, entry);
        if (subfolder == kDoomed)
            entry.notes.prepend(tx(TextCacheEntryDoomed));
        return entry;
    }
    QString ignored;
    const QHash<QByteArray, FirefoxIndexRecord> index = readFirefoxIndex(files, folder, &ignored);
    const auto record = index.constFind(name.toUpper());
    if (record == index.constEnd()) {
        if (error)
            *error = tx(TextEntryUnreadable);
        return std::nullopt;
    }
    entry.lastUsed = unixSecondsTime(record->lastFetched);
    entry.notes << tx(TextEntryFileMissing);
    return entry;
}

} // namespace vc
