#include "documents/shell/JumpList.h"

#include "documents/shell/LibyalText.h"
#include "documents/shell/MemoryInput.h"

#include <QHash>
#include <QtEndian>

#include <libolecf.h>

#include <optional>
#include <vector>

namespace vc {

namespace {

const QString kDestListName = QStringLiteral("DestList");

// The first 20 bytes of every shortcut: its header size and class id.
constexpr char kLinkSignature[] = "\x4C\x00\x00\x00\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00"
                                  "\x00\x00\x00\x00\x46";
constexpr qsizetype kLinkSignatureSize = 20;

class OleItem {
public:
    OleItem() = default;
    ~OleItem() {
        if (m_item)
            libolecf_item_free(&m_item, nullptr);
    }
    OleItem(const OleItem&) = delete;
    OleItem& operator=(const OleItem&) = delete;
    libolecf_item_t** out() { return &m_item; }
    libolecf_item_t* get() const { return m_item; }

private:
    libolecf_item_t* m_item = nullptr;
};

// The compound file opened by libolecf over the bytes.
class OleFile {
public:
    explicit OleFile(QByteArrayView bytes) : m_input(bytes) {
        if (!m_input.handle() || libolecf_file_initialize(&m_file, nullptr) != 1) {
            m_file = nullptr;
            return;
        }
        m_open = libolecf_file_open_file_io_handle(m_file, m_input.handle(), LIBOLECF_OPEN_READ,
                                                   nullptr) == 1;
    }
    ~OleFile() {
        if (m_open)
            libolecf_file_close(m_file, nullptr);
        if (m_file)
            libolecf_file_free(&m_file, nullptr);
    }
    OleFile(const OleFile&) = delete;
    OleFile& operator=(const OleFile&) = delete;
    bool isOpen() const { return m_open; }
    libolecf_file_t* get() const { return m_file; }

private:
    MemoryInput m_input;
    libolecf_file_t* m_file = nullptr;
    bool m_open = false;
};

struct Stream {
    QString name;
    QByteArray bytes;
    bool whole = true;
};

// Reads the streams directly below the root, each up to its limit, within a
// budget for all of them together.
QList<Stream> readStreams(const OleFile& file, qint64 budget, JumpList& list) {
    QList<Stream> streams;
    OleItem root;
    if (libolecf_file_get_root_item(file.get(), root.out(), nullptr) != 1) {
        list.note(JumpList::Problem::DamagedStreams);
        return streams;
    }
    int count = 0;
    if (libolecf_item_get_number_of_sub_items(root.get(), &count, nullptr) != 1 || count < 0) {
        list.note(JumpList::Problem::DamagedStreams);
        return streams;
    }
    if (count > kMaxJumpListStreams) {
        list.note(JumpList::Problem::DamagedStreams);
        count = kMaxJumpListStreams;
    }
    for (int i = 0; i < count; ++i) {
        OleItem item;
        uint8_t type = 0;
        uint32_t size = 0;
        if (libolecf_item_get_sub_item(root.get(), i, item.out(), nullptr) != 1 ||
            libolecf_item_get_type(item.get(), &type, nullptr) != 1 ||
            libolecf_item_get_size(item.get(), &size, nullptr) != 1) {
            list.note(JumpList::Problem::DamagedStreams);
            continue;
        }
        if (type != LIBOLECF_ITEM_TYPE_STREAM)
            continue;
        Stream stream;
        stream.name =
            libyalText(item.get(), libolecf_item_get_utf16_name_size, libolecf_item_get_utf16_name);
        const qint64 limit = stream.name == kDestListName ? kMaxDestListSize : kMaxShortcutSize;
        const qint64 wanted = std::min<qint64>(size, limit);
        if (wanted > budget) {
            list.note(JumpList::Problem::DamagedStreams);
            break;
        }
        budget -= wanted;
        stream.bytes.resize(wanted);
        const ssize_t got = wanted == 0
                                ? 0
                                : libolecf_stream_read_buffer(
                                      item.get(), reinterpret_cast<uint8_t*>(stream.bytes.data()),
                                      std::size_t(wanted), nullptr);
        if (got < 0)
            stream.bytes.clear();
        else
            stream.bytes.truncate(got);
        stream.whole = got == qint64(size);
        if (!stream.whole)
            list.note(JumpList::Problem::DamagedStreams);
        streams.append(stream);
    }
    return streams;
}

void readLink(JumpListEntry& entry, const Stream& stream, const KnownFolderLocations& locations,
              JumpList& list) {
    entry.link = readShortcut(stream.bytes, locations);
    if (!stream.whole)
        entry.gap = JumpListEntry::Gap::StreamCut;
    if (entry.link.state != ShortcutFacts::State::Whole)
        list.note(JumpList::Problem::DamagedLinks);
}

// The compound file header (docs/formats/destlist.md).
constexpr qsizetype kOleHeader = 512;
constexpr qsizetype kSectorShift = 0x1E;
constexpr qsizetype kShortSectorShift = 0x20;
constexpr qsizetype kDirectorySectors = 0x28;
constexpr qsizetype kAllocationSectors = 0x2C;
constexpr qsizetype kShortAllocationSectors = 0x40;
constexpr qsizetype kExtensionSectors = 0x48;
// Allocation table sectors the header itself lists.
constexpr quint32 kHeaderAllocationEntries = 109;

bool isCompoundHeader(QByteArrayView file) {
    static const QByteArray signature = QByteArray::fromHex("d0cf11e0a1b11ae1");
    return file.size() >= kOleHeader && file.startsWith(signature);
}

// Every shortcut found by its first 20 bytes from offset from on, each read
// up to the next one (or the end); at most kMaxCustomLinks in all.
void scanForLinks(QByteArrayView file, qsizetype from, const KnownFolderLocations& locations,
                  JumpListEntry::Gap gap, JumpList& list) {
    const QByteArrayView signature(kLinkSignature, kLinkSignatureSize);
    qsizetype at = file.indexOf(signature, from);
    while (at >= 0) {
        if (list.entries.size() >= kMaxCustomLinks) {
            list.note(JumpList::Problem::DamagedStreams);
            break;
        }
        const qsizetype next = file.indexOf(signature, at + kLinkSignatureSize);
        const qsizetype end = next < 0 ? file.size() : next;
        JumpListEntry entry;
        entry.gap = gap;
        entry.link = readShortcut(file.sliced(at, end - at), locations);
        if (entry.link.state != ShortcutFacts::State::Whole)
            list.note(JumpList::Problem::DamagedLinks);
        list.entries.append(entry);
        at = next;
    }
}

// The compound file's bytes followed by zeros up to the size its header's
// allocation table can address; empty when the header is not a compound
// file's or the file is not shorter than that.
QByteArray filledUp(QByteArrayView file) {
    constexpr qsizetype kHeader = kOleHeader;
    if (!isCompoundHeader(file))
        return QByteArray();
    const quint16 shift = qFromLittleEndian<quint16>(file.data() + kSectorShift);
    if (shift != 9 && shift != 12)
        return QByteArray();
    const qint64 sector = qint64(1) << shift;
    const qint64 fatSectors = qFromLittleEndian<quint32>(file.data() + kAllocationSectors);
    const qint64 addressed = fatSectors * (sector / 4);
    const qint64 extent =
        std::min(kMaxCutFileExtent, std::max<qint64>(sector, kHeader) + addressed * sector);
    if (file.size() >= extent)
        return QByteArray();
    QByteArray bytes = file.toByteArray();
    bytes.append(QByteArray(extent - file.size(), '\0'));
    return bytes;
}

} // namespace

bool compoundHeaderFits(QByteArrayView file) {
    if (!isCompoundHeader(file))
        return true; // libolecf refuses it before it allocates anything
    const char* h = file.data();
    const quint16 shift = qFromLittleEndian<quint16>(h + kSectorShift);
    const quint16 shortShift = qFromLittleEndian<quint16>(h + kShortSectorShift);
    if ((shift != 9 && shift != 12) || shortShift > shift)
        return false;
    const qint64 sector = qint64(1) << shift;
    // The header takes the first sector (512 bytes of it when sectors are
    // larger); a last sector cut short still counts.
    const qint64 body = file.size() - std::max<qint64>(sector, kOleHeader);
    const qint64 sectors = body <= 0 ? 0 : (body + sector - 1) / sector;
    const qint64 extension = qFromLittleEndian<quint32>(h + kExtensionSectors);
    const qint64 allocation = qFromLittleEndian<quint32>(h + kAllocationSectors);
    const qint64 shortAllocation = qFromLittleEndian<quint32>(h + kShortAllocationSectors);
    const qint64 directory = qFromLittleEndian<quint32>(h + kDirectorySectors);
    return extension <= sectors && allocation <= sectors && shortAllocation <= sectors &&
           directory <= sectors &&
           allocation <= kHeaderAllocationEntries + extension * (sector / 4 - 1);
}

JumpList readAutomaticDestinations(QByteArrayView file, const KnownFolderLocations& locations) {
    JumpList list;
    if (!compoundHeaderFits(file)) {
        list.note(JumpList::Problem::ForgedHeader);
        scanForLinks(file, 0, locations, JumpListEntry::Gap::NoDestListEntry, list);
        return list;
    }
    std::optional<OleFile> ole;
    ole.emplace(file);
    QByteArray filled;
    if (!ole->isOpen()) {
        filled = filledUp(file);
        if (!filled.isEmpty() && compoundHeaderFits(filled))
            ole.emplace(filled);
        if (!ole->isOpen()) {
            list.note(JumpList::Problem::NotACompoundFile);
            return list;
        }
        list.note(JumpList::Problem::Cut);
    }
    const QList<Stream> streams = readStreams(*ole, 4 * file.size() + (1 << 20), list);
    QHash<QString, qsizetype> byName;
    const Stream* destList = nullptr;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        if (streams[i].name == kDestListName)
            destList = &streams[i];
        else
            byName.insert(streams[i].name.toLower(), i);
    }
    std::vector<char> described(std::size_t(streams.size()), 0);
    if (!destList) {
        list.note(JumpList::Problem::NoDestList);
    } else {
        const DestList dest = parseDestList(destList->bytes);
        list.destListVersion = dest.version;
        if (dest.problem == DestList::Problem::UnknownVersion ||
            dest.problem == DestList::Problem::TooShort)
            list.note(JumpList::Problem::DestListUnknown);
        else if (dest.problem == DestList::Problem::Cut)
            list.note(JumpList::Problem::DestListCut);
        for (const DestListEntry& d : dest.entries) {
            JumpListEntry entry;
            entry.dest = d;
            entry.streamName = d.streamName();
            const qsizetype at = byName.value(entry.streamName, -1);
            if (at < 0 || described[std::size_t(at)]) {
                entry.gap = JumpListEntry::Gap::NoStream;
            } else {
                described[std::size_t(at)] = 1;
                readLink(entry, streams[at], locations, list);
            }
            list.entries.append(entry);
        }
    }
    const bool cut = list.problems.contains(JumpList::Problem::Cut);
    for (qsizetype i = 0; i < streams.size(); ++i) {
        if (described[std::size_t(i)] || &streams[i] == destList)
            continue;
        // Zeros the cut file was filled up with are no entry.
        if (cut && streams[i].bytes.count('\0') == streams[i].bytes.size())
            continue;
        JumpListEntry entry;
        entry.streamName = streams[i].name;
        entry.gap = JumpListEntry::Gap::NoDestListEntry;
        readLink(entry, streams[i], locations, list);
        list.entries.append(entry);
    }
    return list;
}

namespace {

// The container of a custom jump list (docs/formats/customdestinations.md).
constexpr quint32 kCustomVersion = 2;
constexpr qsizetype kCustomHeader = 12;
constexpr quint32 kCategoryFooter = 0xBABFFBAB;
enum : quint32 { kNamedCategory = 0, kKnownCategory = 1, kTaskCategory = 2 };
// The entry's object is a shell link: {00021401-0000-0000-C000-000000000046}.
constexpr qsizetype kEntryClassId = 16;

// Reads the categories as the container lays them out. Returns the offset
// where reading by the layout stopped; *damaged tells whether it stopped on
// something that does not fit (the rest is then searched for shortcuts).
qsizetype readCategories(QByteArrayView file, const KnownFolderLocations& locations, JumpList& list,
                         bool* damaged) {
    *damaged = false;
    const qsizetype size = file.size();
    const char* p = file.data();
    if (size < kCustomHeader || qFromLittleEndian<quint32>(p) != kCustomVersion)
        return 0; // not this layout: the whole file is searched
    const QByteArrayView linkClass(kLinkSignature + 4, kEntryClassId);
    const quint32 categories = qFromLittleEndian<quint32>(p + 4);
    qsizetype at = kCustomHeader;
    const auto fail = [&](qsizetype where) {
        *damaged = true;
        return where;
    };
    for (quint32 c = 0; c < categories; ++c) {
        if (size - at < 4)
            return fail(at);
        const quint32 type = qFromLittleEndian<quint32>(p + at);
        at += 4;
        QString name;
        quint32 count = 0;
        if (type == kNamedCategory) {
            if (size - at < 2)
                return fail(at);
            const qsizetype units = qFromLittleEndian<quint16>(p + at);
            at += 2;
            if (2 * units > size - at || size - at - 2 * units < 4)
                return fail(at);
            name.resize(units);
            for (qsizetype i = 0; i < units; ++i)
                name[i] = QChar(qFromLittleEndian<quint16>(p + at + 2 * i));
            at += 2 * units;
            count = qFromLittleEndian<quint32>(p + at);
            at += 4;
        } else if (type == kKnownCategory || type == kTaskCategory) {
            if (size - at < 4)
                return fail(at);
            // A known category (Frequent, Recent) has only its number: its
            // entries are those of the automatic jump list.
            count = type == kTaskCategory ? qFromLittleEndian<quint32>(p + at) : 0;
            at += 4;
        } else {
            return fail(at - 4);
        }
        for (quint32 e = 0; e < count; ++e) {
            if (list.entries.size() >= kMaxCustomLinks) {
                list.note(JumpList::Problem::DamagedStreams);
                return size;
            }
            if (size - at < kEntryClassId || file.sliced(at, kEntryClassId) != linkClass)
                return fail(at);
            const QByteArrayView rest = file.sliced(at + kEntryClassId);
            const std::optional<LinkLayout> layout = linkLayout(rest);
            if (!layout || !layout->terminated)
                return fail(at + kEntryClassId);
            JumpListEntry entry;
            entry.category = name;
            entry.task = type == kTaskCategory;
            entry.link = readShortcut(rest.first(layout->extraEnd), locations);
            if (entry.link.state != ShortcutFacts::State::Whole)
                list.note(JumpList::Problem::DamagedLinks);
            list.entries.append(entry);
            at += kEntryClassId + layout->extraEnd;
        }
        if (size - at < 4 || qFromLittleEndian<quint32>(p + at) != kCategoryFooter)
            return fail(at);
        at += 4;
    }
    return at;
}

} // namespace

JumpList readCustomDestinations(QByteArrayView file, const KnownFolderLocations& locations) {
    JumpList list;
    bool damaged = false;
    const qsizetype stopped = readCategories(file, locations, list, &damaged);
    if (stopped == 0 || damaged) {
        if (damaged)
            list.note(JumpList::Problem::DamagedStreams);
        scanForLinks(file, stopped, locations, JumpListEntry::Gap::None, list);
    }
    return list;
}

} // namespace vc
