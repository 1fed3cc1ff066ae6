#include "documents/shell/Shortcut.h"

#include "documents/shell/LibyalText.h"
#include "documents/shell/MemoryInput.h"
#include "documents/shell/ShellItemList.h"

#include <QtEndian>

#include <liblnk.h>

#include <algorithm>
#include <vector>

namespace vc {

namespace {

// The fixed header of a shell link (see docs/formats/lnk-header.md).
constexpr qsizetype kHeaderSize = 0x4C;
constexpr unsigned char kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr quint32 kHasTargetIdList = 0x01;
constexpr quint32 kHasLinkInfo = 0x02;
constexpr quint32 kHasName = 0x04;
constexpr quint32 kIsUnicode = 0x80;
// Name, relative path, working folder, arguments, icon location: one flag
// each from kHasName on.
constexpr int kStringCount = 5;
// The smallest extra data block; a smaller size is the terminal block.
constexpr quint32 kMinimumExtraBlock = 8;

bool hasLinkHeader(QByteArrayView bytes) {
    return bytes.size() >= kHeaderSize &&
           qFromLittleEndian<quint32>(bytes.data()) == quint32(kHeaderSize) &&
           std::equal(std::begin(kLinkClassId), std::end(kLinkClassId),
                      reinterpret_cast<const unsigned char*>(bytes.data()) + 4);
}

} // namespace

std::optional<LinkLayout> linkLayout(QByteArrayView bytes) {
    if (!hasLinkHeader(bytes))
        return std::nullopt;
    const char* p = bytes.data();
    const qsizetype size = bytes.size();
    const quint32 flags = qFromLittleEndian<quint32>(p + 0x14);
    qsizetype at = kHeaderSize;
    if (flags & kHasTargetIdList) {
        if (size - at < 2)
            return std::nullopt;
        const qsizetype list = qFromLittleEndian<quint16>(p + at);
        if (list > size - at - 2)
            return std::nullopt;
        at += 2 + list;
    }
    if (flags & kHasLinkInfo) {
        if (size - at < 4)
            return std::nullopt;
        const quint32 info = qFromLittleEndian<quint32>(p + at);
        if (info < 4 || info > quint64(size - at))
            return std::nullopt;
        at += qsizetype(info);
    }
    for (int i = 0; i < kStringCount; ++i) {
        if (!(flags & (kHasName << i)))
            continue;
        if (size - at < 2)
            return std::nullopt;
        const qsizetype units = qFromLittleEndian<quint16>(p + at);
        const qsizetype length = units * ((flags & kIsUnicode) ? 2 : 1);
        if (length > size - at - 2)
            return std::nullopt;
        at += 2 + length;
    }
    LinkLayout layout;
    layout.stringsEnd = at;
    while (size - at >= 4) {
        const quint32 block = qFromLittleEndian<quint32>(p + at);
        if (block < kMinimumExtraBlock) {
            at += 4;
            layout.terminated = true;
            break;
        }
        if (block > quint64(size - at)) {
            layout.extraCut = true;
            break;
        }
        at += qsizetype(block);
    }
    if (!layout.terminated && at < size)
        layout.extraCut = true;
    layout.extraEnd = at;
    return layout;
}

namespace {

// What the header alone says, for a link liblnk refuses.
ShortcutFacts headerFacts(QByteArrayView bytes, const KnownFolderLocations& locations) {
    ShortcutFacts facts;
    if (!hasLinkHeader(bytes))
        return facts;
    facts.state = ShortcutFacts::State::HeaderOnly;
    const char* p = bytes.data();
    const quint32 flags = qFromLittleEndian<quint32>(p + 0x14);
    facts.created = qFromLittleEndian<quint64>(p + 0x1C);
    facts.accessed = qFromLittleEndian<quint64>(p + 0x24);
    facts.modified = qFromLittleEndian<quint64>(p + 0x2C);
    facts.size = qFromLittleEndian<quint32>(p + 0x34);
    facts.targetComplete = false;
    if ((flags & kHasTargetIdList) && bytes.size() >= kHeaderSize + 2) {
        const qsizetype listSize = qFromLittleEndian<quint16>(p + kHeaderSize);
        if (listSize <= bytes.size() - kHeaderSize - 2) {
            const ShellItemPath target =
                readShellItemList(bytes.sliced(kHeaderSize + 2, listSize), locations);
            facts.targetPath = target.path;
        }
    }
    return facts;
}

// One link opened by liblnk over the bytes; closed and freed with it.
class LinkFile {
public:
    explicit LinkFile(QByteArrayView bytes) : m_input(bytes) {
        if (!m_input.handle() || liblnk_file_initialize(&m_file, nullptr) != 1) {
            m_file = nullptr;
            return;
        }
        liblnk_file_set_ascii_codepage(m_file, libyalCodePage(), nullptr);
        m_open = liblnk_file_open_file_io_handle(m_file, m_input.handle(), LIBLNK_OPEN_READ,
                                                 nullptr) == 1;
    }
    ~LinkFile() {
        if (m_open)
            liblnk_file_close(m_file, nullptr);
        if (m_file)
            liblnk_file_free(&m_file, nullptr);
    }
    LinkFile(const LinkFile&) = delete;
    LinkFile& operator=(const LinkFile&) = delete;

    bool isOpen() const { return m_open; }
    liblnk_file_t* get() const { return m_file; }

private:
    MemoryInput m_input;
    liblnk_file_t* m_file = nullptr;
    bool m_open = false;
};

QString targetOf(liblnk_file_t* file, const KnownFolderLocations& locations, bool* complete) {
    QString path =
        libyalText(file, liblnk_file_get_utf16_local_path_size, liblnk_file_get_utf16_local_path);
    if (!path.isEmpty())
        return path;
    path = libyalText(file, liblnk_file_get_utf16_network_path_size,
                      liblnk_file_get_utf16_network_path);
    if (!path.isEmpty())
        return path;
    std::size_t listSize = 0;
    if (liblnk_file_get_link_target_identifier_data_size(file, &listSize, nullptr) == 1 &&
        listSize > 0 && listSize <= std::size_t(kMaxShellItemList)) {
        std::vector<uint8_t> list(listSize);
        if (liblnk_file_copy_link_target_identifier_data(file, list.data(), listSize, nullptr) ==
            1) {
            const ShellItemPath target = readShellItemList(
                QByteArrayView(reinterpret_cast<const char*>(list.data()), qsizetype(listSize)),
                locations);
            if (!target.path.isEmpty()) {
                *complete = target.complete();
                return target.path;
            }
        }
    }
    return libyalText(file, liblnk_file_get_utf16_environment_variables_location_size,
                      liblnk_file_get_utf16_environment_variables_location);
}

} // namespace

QString volumeSerialText(quint32 serial) {
    return QStringLiteral("%1-%2")
        .arg(serial >> 16, 4, 16, QLatin1Char('0'))
        .arg(serial & 0xFFFF, 4, 16, QLatin1Char('0'))
        .toUpper();
}

ShortcutFacts readShortcut(QByteArrayView bytes, const KnownFolderLocations& locations) {
    if (bytes.size() > kMaxShortcutSize)
        return ShortcutFacts();
    const std::optional<LinkLayout> layout = linkLayout(bytes);
    if (!layout)
        return headerFacts(bytes, locations);
    // liblnk is given the link up to its last extra data block that fits:
    // a block that runs past the end would have it allocate what the size
    // field claims, and it reads a link cut between two blocks whole.
    const LinkFile link(bytes.first(layout->extraEnd));
    if (!link.isOpen())
        return headerFacts(bytes, locations);
    liblnk_file_t* file = link.get();
    ShortcutFacts facts;
    facts.state = ShortcutFacts::State::Whole;
    facts.extraDataCut = layout->extraCut;
    uint64_t time = 0;
    if (liblnk_file_get_file_creation_time(file, &time, nullptr) == 1)
        facts.created = time;
    if (liblnk_file_get_file_modification_time(file, &time, nullptr) == 1)
        facts.modified = time;
    if (liblnk_file_get_file_access_time(file, &time, nullptr) == 1)
        facts.accessed = time;
    uint32_t number = 0;
    if (liblnk_file_get_file_size(file, &number, nullptr) == 1)
        facts.size = number;
    if (liblnk_file_get_drive_serial_number(file, &number, nullptr) == 1)
        facts.volumeSerial = number;
    facts.targetPath = targetOf(file, locations, &facts.targetComplete);
    facts.volumeLabel = libyalText(file, liblnk_file_get_utf16_volume_label_size,
                                   liblnk_file_get_utf16_volume_label);
    facts.machineId = libyalText(file, liblnk_file_get_utf16_machine_identifier_size,
                                 liblnk_file_get_utf16_machine_identifier);
    facts.workingFolder = libyalText(file, liblnk_file_get_utf16_working_directory_size,
                                     liblnk_file_get_utf16_working_directory);
    facts.arguments = libyalText(file, liblnk_file_get_utf16_command_line_arguments_size,
                                 liblnk_file_get_utf16_command_line_arguments);
    facts.description =
        libyalText(file, liblnk_file_get_utf16_description_size, liblnk_file_get_utf16_description);
    return facts;
}

} // namespace vc
