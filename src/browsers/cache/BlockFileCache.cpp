#include "browsers/cache/BlockFileCache.h"

#include "browsers/cache/CacheBytes.h"
#include "browsers/cache/CacheEntryFields.h"
#include "browsers/cache/ChromeResponseInfo.h"
#include "browsers/cache/PagedReader.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace vc {

namespace {

using namespace cache_bytes;

constexpr quint32 kIndexMagic = 0xC103CAC3;
constexpr quint32 kBlockMagic = 0xC104CAC3;
constexpr qint64 kIndexHeaderSize = 368;
constexpr qint64 kTableLengthOffset = 28;
constexpr quint32 kDefaultTableLength = 0x10000;
constexpr qint64 kBlockHeaderSize = 8192;
constexpr qint64 kBlockEntrySizeOffset = 12;
// The fields of an entry (EntryStore), from the start of its first block.
constexpr qint64 kEntryNext = 4;
constexpr qint64 kEntryRankings = 8;
constexpr qint64 kEntryState = 20;
constexpr qint64 kEntryCreationTime = 24;
constexpr qint64 kEntryKeyLength = 32;
constexpr qint64 kEntryLongKey = 36;
constexpr qint64 kEntryDataSizes = 40;
constexpr qint64 kEntryDataAddresses = 56;
constexpr qint64 kEntryKey = 96;
// The fields of a ranking node.
constexpr qint64 kRankingLastUsed = 0;
constexpr qint64 kRankingLastModified = 8;
constexpr qint64 kRankingSize = 36;
// The most read of a key and of the response information: far beyond what
// a browser writes, small enough that a hostile size cannot exhaust memory.
constexpr qint64 kMaxKeyBytes = qint64(1) << 20;
constexpr qint64 kMaxResponseInfoBytes = qint64(1) << 20;
// Hash table addresses read at a time.
constexpr qint64 kTableChunk = 4096;

enum FileType { External = 0, Rankings = 1, Block256 = 2, Block1K = 3, Block4K = 4 };

qint64 blockSizeOf(int type) {
    switch (type) {
    case Rankings:
        return 36;
    case Block256:
        return 256;
    case Block1K:
        return 1024;
    case Block4K:
        return 4096;
    default:
        return 0;
    }
}

// A cache address: an external file f_xxxxxx, or a run of one to four
// blocks in block file data_N.
struct Address {
    quint32 value = 0;

    bool initialized() const { return value & 0x80000000u; }
    int type() const { return int((value >> 28) & 7); }
    bool external() const { return type() == External; }
    int blocks() const { return int((value >> 24) & 3) + 1; }
    int fileNumber() const {
        return external() ? int(value & 0x0FFFFFFFu) : int((value >> 16) & 0xFF);
    }
    qint64 startBlock() const { return value & 0xFFFF; }
    bool reservedClear() const { return external() || (value & 0x0C000000u) == 0; }
};

QByteArray fileNameOf(Address address) {
    if (address.external())
        return "f_" + hexDigits(quint64(address.fileNumber()), 6);
    return "data_" + QByteArray::number(address.fileNumber());
}

enum class Place { Ok, Missing, Damaged };

// The files of one cache: each block file opened when first needed and its
// header checked once; the external files looked up as they come.
class BlockFiles {
public:
    BlockFiles(const EvidenceFiles& files, const QByteArray& folder)
        : m_files(files), m_folder(folder) {}

    // Where the first length bytes stored at the address lie.
    Place locate(Address address, qint64 length, CacheBodyPiece& piece) {
        piece = {joinPath(m_folder, fileNameOf(address)), 0, length, 0};
        if (!address.initialized() || !address.reservedClear() || length < 0)
            return Place::Damaged;
        if (address.external()) {
            const std::optional<EvidenceEntry> e = m_files.entry(piece.file);
            if (!e || e->type != EntryType::File)
                return Place::Missing;
            return e->size >= length ? Place::Ok : Place::Damaged;
        }
        const qint64 blockSize = blockSizeOf(address.type());
        BlockFile& file = blockFile(address.fileNumber());
        if (!file.reader)
            return Place::Missing;
        if (blockSize == 0 || file.entrySize != blockSize)
            return Place::Damaged;
        piece.offset = kBlockHeaderSize + address.startBlock() * blockSize;
        if (length > address.blocks() * blockSize || piece.offset + length > file.size)
            return Place::Damaged;
        return Place::Ok;
    }

    // The length bytes stored at the address.
    Place read(Address address, qint64 length, QByteArray& out) {
        CacheBodyPiece piece;
        const Place place = locate(address, length, piece);
        if (place != Place::Ok)
            return place;
        out.resize(qsizetype(length));
        if (address.external()) {
            const std::unique_ptr<EvidenceReader> reader = m_files.open(piece.file, nullptr);
            if (!reader)
                return Place::Missing;
            return reader->readExactly(0, out.data(), length) ? Place::Ok : Place::Damaged;
        }
        EvidenceReader& reader = *blockFile(address.fileNumber()).reader;
        return reader.readExactly(piece.offset, out.data(), length) ? Place::Ok : Place::Damaged;
    }

private:
    struct BlockFile {
        bool tried = false;
        std::unique_ptr<EvidenceReader> reader;
        qint64 size = 0;
        qint64 entrySize = 0; // 0 when the header is not a block file's
    };

    BlockFile& blockFile(int number) {
        BlockFile& file = m_blockFiles[size_t(number)];
        if (file.tried)
            return file;
        file.tried = true;
        std::unique_ptr<EvidenceReader> reader =
            m_files.open(joinPath(m_folder, "data_" + QByteArray::number(number)), nullptr);
        if (!reader)
            return file;
        file.reader = std::make_unique<PagedReader>(std::move(reader));
        file.size = file.reader->size();
        char header[16];
        if (file.reader->readExactly(0, header, sizeof header) &&
            le32(QByteArrayView(header, sizeof header), 0) == kBlockMagic)
            file.entrySize = les32(QByteArrayView(header, sizeof header), kBlockEntrySizeOffset);
        return file;
    }

    const EvidenceFiles& m_files;
    QByteArray m_folder;
    std::array<BlockFile, 256> m_blockFiles;
};

// The note for a part of the entry that lies in a missing or damaged place.
void noteMissing(WebCacheEntry& entry, Place place, int missingText, Address address,
                 int damagedText) {
    if (place == Place::Missing)
        entry.notes << tx(missingText).arg(QString::fromLatin1(fileNameOf(address)));
    else if (place == Place::Damaged)
        entry.notes << tx(damagedText);
}

void readKey(BlockFiles& blocks, QByteArrayView raw, Address self, WebCacheEntry& entry) {
    const qint32 keyLength = les32(raw, kEntryKeyLength);
    const Address longKey{le32(raw, kEntryLongKey)};
    if (keyLength < 0) {
        entry.notes << tx(TextKeyCut);
        return;
    }
    if (longKey.initialized()) {
        const qint64 length = qMin<qint64>(keyLength, kMaxKeyBytes);
        const Place place = blocks.read(longKey, length, entry.key);
        if (place != Place::Ok) {
            entry.key.clear();
            noteMissing(entry, place, TextKeyInMissingFile, longKey, TextKeyCut);
            return;
        }
        if (length < keyLength)
            entry.notes << tx(TextKeyCut);
        return;
    }
    // Within the entry's own blocks, after its fixed fields; a key stops at
    // its first zero byte.
    const qint64 room = self.blocks() * 256 - kEntryKey;
    QByteArrayView key = slice(raw, kEntryKey, qMin<qint64>(keyLength, room));
    const qsizetype zero = key.indexOf('\0');
    if (zero >= 0)
        key = key.first(zero);
    entry.key = key.toByteArray();
    if (keyLength > room)
        entry.notes << tx(TextKeyCut);
}

void readRanking(BlockFiles& blocks, Address ranking, WebCacheEntry& entry) {
    if (!ranking.initialized() || ranking.type() != Rankings)
        return;
    QByteArray node;
    if (blocks.read(ranking, kRankingSize, node) != Place::Ok)
        return;
    entry.lastUsed = webKitTime(les64(node, kRankingLastUsed));
    if (const auto changed = webKitTime(les64(node, kRankingLastModified)))
        entry.details.push_back({TextEntryChanged, {}, changed});
}

void readResponseInfo(BlockFiles& blocks, Address address, qint32 size, WebCacheEntry& entry) {
    if (size <= 0)
        return;
    if (size > kMaxResponseInfoBytes) {
        entry.notes << tx(TextHeadersUnreadable);
        return;
    }
    QByteArray pickle;
    const Place place = blocks.read(address, size, pickle);
    if (place != Place::Ok) {
        noteMissing(entry, place, TextHeadersInMissingFile, address, TextHeadersUnreadable);
        return;
    }
    const ChromeResponseInfo info = parseChromeResponseInfo(pickle);
    if (const auto request = webKitTime(info.requestTime))
        entry.details.push_back({TextRequestTime, {}, request});
    if (const auto response = webKitTime(info.responseTime))
        entry.details.push_back({TextResponseTime, {}, response});
    if (!info.valid) {
        entry.notes << tx(TextHeadersUnreadable);
        return;
    }
    entry.headers = info.headers;
}

void locateBody(BlockFiles& blocks, Address address, qint32 size, WebCacheEntry& entry) {
    entry.bodySize = qMax<qint32>(size, 0);
    if (size <= 0)
        return;
    CacheBodyPiece piece;
    const Place place = blocks.locate(address, size, piece);
    entry.bodyFile = piece.file;
    if (place == Place::Ok)
        entry.body.push_back(piece);
    else
        noteMissing(entry, place, TextBodyInMissingFile, address, TextBodyPlaceDamaged);
}

// Reads the entry at an address; false when the address names no entry
// block (the chain cannot go on). *next is the next entry of its bucket.
bool decodeEntry(BlockFiles& blocks, Address address, WebCacheEntry& entry, quint32* next) {
    *next = 0;
    if (!address.initialized() || address.type() != Block256 || !address.reservedClear())
        return false;
    entry = WebCacheEntry();
    entry.format = CacheFormat::BlockFile;
    entry.id = hexDigits(address.value, 8);
    QByteArray raw;
    const Place place = blocks.read(address, address.blocks() * 256, raw);
    if (place != Place::Ok) {
        if (place == Place::Missing)
            entry.notes << tx(TextEntryUnreadable) + QStringLiteral(": ") +
                               QString::fromLatin1(fileNameOf(address));
        else
            entry.notes << tx(TextEntryUnreadable);
        return true;
    }
    *next = le32(raw, kEntryNext);
    entry.created = webKitTime(les64(raw, kEntryCreationTime));
    const qint32 state = les32(raw, kEntryState);
    if (state == 1)
        entry.notes << tx(TextCacheEntryEvicted);
    else if (state == 2)
        entry.notes << tx(TextCacheEntryDoomed);
    readKey(blocks, raw, address, entry);
    entry.url = urlOfChromeKey(entry.key);
    if (entry.url != entry.key)
        entry.details.push_back({TextCacheKey, entry.key});
    readRanking(blocks, Address{le32(raw, kEntryRankings)}, entry);
    readResponseInfo(blocks, Address{le32(raw, kEntryDataAddresses)}, les32(raw, kEntryDataSizes),
                     entry);
    locateBody(blocks, Address{le32(raw, kEntryDataAddresses + 4)}, les32(raw, kEntryDataSizes + 4),
               entry);
    takeHeaderTimes(entry);
    return true;
}

} // namespace

bool isBlockFileCache(const EvidenceFiles& files, const QByteArray& folder) {
    const std::unique_ptr<EvidenceReader> reader = files.open(joinPath(folder, "index"), nullptr);
    char magic[4];
    return reader && reader->readExactly(0, magic, 4) &&
           le32(QByteArrayView(magic, 4), 0) == kIndexMagic;
}

CacheReadOutcome readBlockFileCache(const EvidenceFiles& files, const QByteArray& folder,
                                    const CacheEntrySink& sink) {
    CacheReadOutcome outcome;
    QString error;
    const QByteArray indexPath = joinPath(folder, "index");
    const std::unique_ptr<EvidenceReader> index = files.open(indexPath, &error);
    if (!index) {
        outcome.problems << EvidenceFiles::pathText(indexPath) + QStringLiteral(": ") + error;
        return outcome;
    }
    QByteArray header(kIndexHeaderSize, '\0');
    if (!index->readExactly(0, header.data(), kIndexHeaderSize) || le32(header, 0) != kIndexMagic) {
        outcome.problems << tx(TextNotCacheIndexFile);
        return outcome;
    }
    const quint32 version = le32(header, 4);
    if (version >> 16 != 2) {
        outcome.problems
            << tx(TextUnknownCacheVersion)
                   .arg(QStringLiteral("%1.%2").arg(version >> 16).arg(version & 0xFFFF));
        return outcome;
    }
    outcome.opened = true;
    const qint64 room = (index->size() - kIndexHeaderSize) / 4;
    qint64 tableLength = le32(header, kTableLengthOffset);
    if (tableLength == 0)
        tableLength = kDefaultTableLength;
    if (tableLength > room) {
        outcome.problems
            << tx(TextIndexFileShorter).arg(index->size()).arg(kIndexHeaderSize + tableLength * 4);
        tableLength = room;
    }

    // The buckets' first entries, then the entries their chains lead to,
    // round by round; each round in the order of the entries' addresses,
    // which is the order Chrome wrote them in, so that the block files are
    // read front to back a page at a time. An address met before (a chain
    // that loops or joins another) is not read again.
    std::vector<quint32> round;
    QByteArray chunk;
    for (qint64 first = 0; first < tableLength; first += kTableChunk) {
        const qint64 count = qMin(kTableChunk, tableLength - first);
        chunk.resize(qsizetype(count * 4));
        if (!index->readExactly(kIndexHeaderSize + first * 4, chunk.data(), count * 4)) {
            outcome.problems << tx(TextCachePartlyRead);
            break;
        }
        for (qint64 i = 0; i < count; ++i)
            if (const quint32 at = le32(chunk, i * 4))
                round.push_back(at);
    }
    BlockFiles blocks(files, folder);
    QSet<quint32> seen;
    int pointNowhere = 0;
    WebCacheEntry entry;
    while (!round.empty()) {
        std::sort(round.begin(), round.end());
        std::vector<quint32> next;
        for (const quint32 at : round) {
            if (seen.contains(at))
                continue;
            seen.insert(at);
            quint32 chained = 0;
            if (!decodeEntry(blocks, Address{at}, entry, &chained)) {
                ++pointNowhere;
                continue;
            }
            ++outcome.entries;
            if (!entry.notes.isEmpty())
                ++outcome.damaged;
            sink(entry);
            if (chained != 0)
                next.push_back(chained);
        }
        round.swap(next);
    }
    if (pointNowhere > 0)
        outcome.problems << tx(TextCacheIndexDamaged).arg(pointNowhere);
    return outcome;
}

std::optional<WebCacheEntry> readBlockFileEntry(const EvidenceFiles& files,
                                                const QByteArray& folder, const QByteArray& id,
                                                QString* error) {
    bool ok = false;
    const quint32 value = id.toUInt(&ok, 16);
    WebCacheEntry entry;
    quint32 next = 0;
    BlockFiles blocks(files, folder);
    if (!ok || id.size() != 8 || !decodeEntry(blocks, Address{value}, entry, &next)) {
        if (error)
            *error = tx(TextEntryUnreadable);
        return std::nullopt;
    }
    return entry;
}

} // namespace vc
