#include "documents/shell/ShellItemList.h"

#include "documents/shell/KnownFolders.h"
#include "documents/shell/LibyalText.h"
#include "documents/shell/ShellItemFields.h"

#include <QtEndian>

#include <cstring>

#include <libfwsi.h>

namespace vc {

namespace {

constexpr uint32_t kFileEntryExtension = 0xBEEF0004;
// A shell folder item below My Computer that holds only a GUID ("This PC"
// folders of Windows 7 and later): class 0x2E, sort index, GUID.
constexpr unsigned char kGuidFolderClass = 0x2E;
constexpr qsizetype kGuidOffset = 4;

// One item parsed by libfwsi; freed with it.
class Item {
public:
    Item(QByteArrayView bytes, int codePage) {
        if (libfwsi_item_initialize(&m_item, nullptr) != 1) {
            m_item = nullptr;
            return;
        }
        if (libfwsi_item_copy_from_byte_stream(m_item,
                                               reinterpret_cast<const uint8_t*>(bytes.data()),
                                               std::size_t(bytes.size()), codePage, nullptr) != 1 ||
            libfwsi_item_get_type(m_item, &m_type, nullptr) != 1)
            m_type = -1;
    }
    ~Item() {
        if (m_item)
            libfwsi_item_free(&m_item, nullptr);
    }
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    // -1 when libfwsi could not read the item. Every type-specific getter
    // below is only called for its own type: libfwsi 20181227 does not
    // always check, and reads one kind of item as another.
    int type() const { return m_item ? m_type : -1; }
    libfwsi_item_t* get() const { return m_item; }

    QUuid rootFolder() const {
        uint8_t guid[16] = {};
        if (libfwsi_root_folder_get_shell_folder_identifier(m_item, guid, sizeof guid, nullptr) !=
            1)
            return QUuid();
        return guidFromWindowsBytes(guid);
    }

    QString volumeName() const {
        return libyalText(m_item, libfwsi_volume_get_utf16_name_size,
                          libfwsi_volume_get_utf16_name);
    }

    QString networkLocation() const {
        return libyalText(m_item, libfwsi_network_location_get_utf16_location_size,
                          libfwsi_network_location_get_utf16_location);
    }

    // The long name of the item's file-entry extension block (0xBEEF0004),
    // which file entries and the delegate items wrapping them carry; empty
    // when there is none.
    QString longName() const {
        int blocks = 0;
        if (libfwsi_item_get_number_of_extension_blocks(m_item, &blocks, nullptr) == 1) {
            for (int i = 0; i < blocks && i < 16; ++i) {
                libfwsi_extension_block_t* block = nullptr;
                uint32_t signature = 0;
                if (libfwsi_item_get_extension_block(m_item, i, &block, nullptr) != 1 ||
                    libfwsi_extension_block_get_signature(block, &signature, nullptr) != 1 ||
                    signature != kFileEntryExtension)
                    continue;
                const QString name =
                    libyalText(block, libfwsi_file_entry_extension_get_utf16_long_name_size,
                               libfwsi_file_entry_extension_get_utf16_long_name);
                if (!name.isEmpty())
                    return name;
            }
        }
        return QString();
    }

    // A file entry's long name, else its own (short or 8-bit) name.
    QString fileName() const {
        const QString name = longName();
        if (!name.isEmpty())
            return name;
        return libyalText(m_item, libfwsi_file_entry_get_utf16_name_size,
                          libfwsi_file_entry_get_utf16_name);
    }

private:
    libfwsi_item_t* m_item = nullptr;
    int m_type = -1;
};

QString guidName(const QUuid& id, const KnownFolder* folder) {
    if (folder)
        return QLatin1String(folder->name);
    uint8_t bytes[16];
    const QByteArray rfc = id.toRfc4122();
    // Back to the Windows byte order libfwsi's own table expects.
    qToLittleEndian<quint32>(qFromBigEndian<quint32>(rfc.constData()), bytes);
    qToLittleEndian<quint16>(qFromBigEndian<quint16>(rfc.constData() + 4), bytes + 4);
    qToLittleEndian<quint16>(qFromBigEndian<quint16>(rfc.constData() + 6), bytes + 6);
    std::memcpy(bytes + 8, rfc.constData() + 8, 8);
    const char* name = libfwsi_shell_folder_identifier_get_name(bytes);
    if (name && qstrcmp(name, "Unknown") != 0)
        return QString::fromUtf8(name);
    return id.toString(QUuid::WithBraces).toUpper();
}

// Builds the path item by item.
class PathBuilder {
public:
    explicit PathBuilder(const KnownFolderLocations& locations) : m_locations(locations) {}

    void startAt(const QString& root) {
        m_path = root;
        m_afterComputer = false;
    }
    void startAtComputer() {
        m_path.clear();
        m_afterComputer = true;
    }
    void append(const QString& name) {
        if (m_afterComputer) {
            m_path = QStringLiteral("My Computer");
            m_afterComputer = false;
        }
        if (m_path.isEmpty())
            m_path = name;
        else if (m_path.endsWith(QLatin1Char('\\')))
            m_path += name;
        else
            m_path += QLatin1Char('\\') + name;
    }
    // A shell folder named by GUID: its location where the hive records one
    // (the path Explorer's address bar gives), else its name, as a new start
    // or below what came before.
    void folder(const QUuid& id, bool topLevel) {
        const KnownFolder* known = findKnownFolder(id);
        if (known && known->isComputer) {
            startAtComputer();
            return;
        }
        const QString location = known ? m_locations.location(*known) : QString();
        if (!location.isEmpty())
            startAt(location);
        else if (topLevel)
            startAt(guidName(id, known));
        else
            append(guidName(id, known));
    }
    // A file or folder by its name; one at the top of the list lies on the
    // Desktop, so the path starts at the Desktop's location (or "Desktop").
    void file(const QString& name, const KnownFolderLocations& locations) {
        if (empty()) {
            const QString desktop = locations.shellFolder(QStringLiteral("Desktop"));
            startAt(desktop.isEmpty() ? QStringLiteral("Desktop") : desktop);
        }
        append(name);
    }
    QString path() const { return m_afterComputer ? QStringLiteral("My Computer") : m_path; }
    bool empty() const { return m_path.isEmpty() && !m_afterComputer; }

private:
    const KnownFolderLocations& m_locations;
    QString m_path;
    bool m_afterComputer = false;
};

// Names one item into the path; false when the item holds no name this
// reader can find (it then stands as "?").
bool nameItem(const Item& item, QByteArrayView bytes, const KnownFolderLocations& locations,
              PathBuilder& builder, QString* lastName) {
    const auto cls = static_cast<unsigned char>(bytes[2]);
    switch (item.type()) {
    case LIBFWSI_ITEM_TYPE_ROOT_FOLDER: {
        const QUuid id = item.rootFolder();
        if (id.isNull())
            return false;
        builder.folder(id, true);
        return true;
    }
    case LIBFWSI_ITEM_TYPE_VOLUME: {
        const QString name = item.volumeName();
        if (!name.isEmpty()) {
            builder.startAt(name);
            return true;
        }
        if (cls == kGuidFolderClass && bytes.size() >= kGuidOffset + 16) {
            builder.folder(guidFromWindowsBytes(
                               reinterpret_cast<const unsigned char*>(bytes.data() + kGuidOffset)),
                           false);
            return true;
        }
        return false;
    }
    case LIBFWSI_ITEM_TYPE_NETWORK_LOCATION: {
        const QString location = item.networkLocation();
        if (location.isEmpty())
            return false;
        builder.startAt(location);
        return true;
    }
    case LIBFWSI_ITEM_TYPE_FILE_ENTRY: {
        const QString name = item.fileName();
        if (name.isEmpty())
            return false;
        builder.file(name, locations);
        *lastName = name;
        return true;
    }
    case LIBFWSI_ITEM_TYPE_USERS_PROPERTY_VIEW: {
        const std::optional<PropertyViewItem> view = readPropertyViewItem(bytes);
        if (!view)
            return false;
        if (!view->knownFolder.isNull()) {
            builder.folder(view->knownFolder, builder.empty());
            return true;
        }
        if (!view->path.isEmpty()) {
            builder.startAt(withKnownFolderNames(view->path, locations));
            *lastName = view->name;
            return true;
        }
        if (view->name.isEmpty())
            return false;
        builder.append(view->name);
        *lastName = view->name;
        return true;
    }
    case LIBFWSI_ITEM_TYPE_URI: {
        const QString uri = readUriItem(bytes);
        if (uri.isEmpty())
            return false;
        builder.startAt(uri);
        *lastName = uri;
        return true;
    }
    case LIBFWSI_ITEM_TYPE_CONTROL_PANEL_CATEGORY: {
        const QString name = readControlPanelCategory(bytes);
        if (name.isEmpty())
            return false;
        builder.append(name);
        return true;
    }
    case LIBFWSI_ITEM_TYPE_CONTROL_PANEL: {
        const QUuid id = readControlPanelItem(bytes);
        if (id.isNull())
            return false;
        builder.append(guidName(id, findKnownFolder(id)));
        return true;
    }
    case LIBFWSI_ITEM_TYPE_UNKNOWN_0x74:
    case LIBFWSI_ITEM_TYPE_DELEGATE: {
        // A delegate item wraps a file entry: the long name of its
        // extension block, else the wrapped entry's own name.
        QString name = item.longName();
        if (name.isEmpty()) {
            const QByteArray inner = delegateFileEntry(bytes);
            if (!inner.isEmpty()) {
                const Item entry(inner, libyalCodePage());
                if (entry.type() == LIBFWSI_ITEM_TYPE_FILE_ENTRY)
                    name = entry.fileName();
            }
        }
        if (name.isEmpty())
            return false;
        builder.file(name, locations);
        *lastName = name;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

ShellItemPath readShellItemList(QByteArrayView list, const KnownFolderLocations& locations) {
    ShellItemPath result;
    if (list.size() > kMaxShellItemList) {
        result.whole = false;
        return result;
    }
    const int codePage = libyalCodePage();
    PathBuilder builder(locations);
    qsizetype offset = 0;
    bool ended = false;
    while (offset + 2 <= list.size()) {
        const qsizetype size = qFromLittleEndian<quint16>(list.data() + offset);
        if (size == 0) {
            ended = true;
            break;
        }
        // The size counts its own two bytes; an item needs its class byte.
        if (size < 3 || size > list.size() - offset || result.items >= kMaxShellItems) {
            result.whole = false;
            break;
        }
        const QByteArrayView bytes = list.sliced(offset, size);
        offset += size;
        const Item item(bytes, codePage);
        ++result.items;
        result.lastName.clear();
        if (item.type() == -1) { // libfwsi could not read it
            builder.append(QStringLiteral("?"));
            result.whole = false;
        } else if (!nameItem(item, bytes, locations, builder, &result.lastName)) {
            builder.append(QStringLiteral("?"));
            result.named = false;
        }
    }
    if (!ended && offset < list.size())
        result.whole = false; // cut inside an item's size
    result.path = builder.path();
    if (result.lastName.isEmpty()) {
        const qsizetype cut = result.path.lastIndexOf(QLatin1Char('\\'));
        result.lastName = cut < 0 ? result.path : result.path.mid(cut + 1);
    }
    return result;
}

} // namespace vc
