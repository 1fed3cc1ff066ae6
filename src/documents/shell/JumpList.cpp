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

// The compound file's bytes followed by zeros up to the size its header's
// allocation table can address; empty when the header is not a compound
// file's or the file is not shorter than that.
QByteArray filledUp(QByteArrayView file) {
    constexpr qsizetype kHeader = 512;
    static const QByteArray signature = QByteArray::fromHex("d0cf11e0a1b11ae1");
    if (file.size() < kHeader || !file.startsWith(signature))
        return QByteArray();
    const quint16 shift = qFromLittleEndian<quint16>(file.data() + 0x1E);
    if (shift != 9 && shift != 12)
        return QByteArray();
    const qint64 sector = qint64(1) << shift;
    const qint64 fatSectors = qFromLittleEndian<quint32>(file.data() + 0x2C);
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

JumpList readAutomaticDestinations(QByteArrayView file, const KnownFolderLocations& locations) {
    JumpList list;
    std::optional<OleFile> ole;
    ole.emplace(file);
    QByteArray filled;
    if (!ole->isOpen()) {
        filled = filledUp(file);
        if (!filled.isEmpty())
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

JumpList readCustomDestinations(QByteArrayView file, const KnownFolderLocations& locations) {
    JumpList list;
    const QByteArrayView signature(kLinkSignature, kLinkSignatureSize);
    qsizetype at = file.indexOf(signature);
    while (at >= 0) {
        if (list.entries.size() >= kMaxCustomLinks) {
            list.note(JumpList::Problem::DamagedStreams);
            break;
        }
        const qsizetype next = file.indexOf(signature, at + kLinkSignatureSize);
        const qsizetype end = next < 0 ? file.size() : next;
        JumpListEntry entry;
        entry.link = readShortcut(file.sliced(at, end - at), locations);
        if (entry.link.state != ShortcutFacts::State::Whole)
            list.note(JumpList::Problem::DamagedLinks);
        list.entries.append(entry);
        at = next;
    }
    return list;
}

} // namespace vc
