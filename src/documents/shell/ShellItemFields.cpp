#include "documents/shell/ShellItemFields.h"

#include "documents/shell/KnownFolders.h"
#include "documents/shell/LibyalText.h"
#include "documents/shell/PropertyStore.h"
#include "platform/CodePage.h"

#include <QtEndian>

namespace vc {

namespace {

// Property view items (offsets from the item's start, its size included).
constexpr qsizetype kViewSignature = 6;
constexpr qsizetype kViewStoreSize = 10;
constexpr qsizetype kViewIdentifierSize = 12;
constexpr qsizetype kViewIdentifier = 14;
constexpr quint32 kKnownFolderSignature = 0x23FEBBEE;

// URI items.
constexpr qsizetype kUriFlags = 3;
constexpr qsizetype kUriDataSize = 4;
constexpr qsizetype kUriData = 6;
constexpr unsigned char kUriUnicode = 0x80;

// Control panel items.
constexpr quint32 kCategorySignature = 0x39DE2184;
constexpr qsizetype kCategorySignatureAt = 4;
constexpr qsizetype kCategoryAt = 8;
constexpr qsizetype kControlPanelGuid = 14;

// Delegate items of class 0x74.
constexpr quint32 kDelegateSignature = 0x46534643; // "CFSF"
constexpr qsizetype kDelegateSignatureAt = 6;
constexpr qsizetype kDelegateInnerSize = 10;
constexpr qsizetype kDelegateInner = 12;

quint16 u16(QByteArrayView b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.data() + at);
}
quint32 u32(QByteArrayView b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.data() + at);
}

// A path that stands on its own: a drive ("C:\"), a share ("\\server"), or
// a folder of the shell namespace ("::{GUID}").
bool isWholePath(const QString& path) {
    if (path.size() >= 3 && path[0].isLetter() && path[1] == QLatin1Char(':') &&
        path[2] == QLatin1Char('\\'))
        return true;
    return path.startsWith(QLatin1String("\\\\")) || path.startsWith(QLatin1String("::{"));
}

QString lastComponent(const QString& path) {
    QString p = path;
    while (p.endsWith(QLatin1Char('\\')) && p.size() > 3)
        p.chop(1);
    const qsizetype cut = p.lastIndexOf(QLatin1Char('\\'));
    return cut < 0 ? p : p.mid(cut + 1);
}

// The text of a NUL-terminated string at the start of bytes (UTF-16 or the
// code page), up to the end when there is no NUL.
QString textAt(QByteArrayView bytes, bool unicode) {
    if (!unicode) {
        const qsizetype nul = bytes.indexOf('\0');
        const QByteArrayView text = nul < 0 ? bytes : bytes.first(nul);
        return decodeEvidence(text.first(std::min<qsizetype>(text.size(), kMaxLibyalText)));
    }
    qsizetype units = std::min<qsizetype>(bytes.size() / 2, kMaxLibyalText);
    QString text;
    text.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        const quint16 unit = u16(bytes, 2 * i);
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

} // namespace

bool isPropertyViewSignature(quint32 signature) {
    switch (signature) {
    case 0x10141981:
    case 0x23A3DFD5:
    case 0x23FEBBEE:
    case 0x3B93AFBB:
    case 0x49505241:
    case 0xBEEBEE00:
        return true;
    default:
        return false;
    }
}

std::optional<PropertyViewItem> readPropertyViewItem(QByteArrayView item) {
    if (item.size() < kViewIdentifier)
        return std::nullopt;
    PropertyViewItem view;
    view.signature = u32(item, kViewSignature);
    if (!isPropertyViewSignature(view.signature))
        return std::nullopt;
    const qsizetype storeSize = u16(item, kViewStoreSize);
    const qsizetype identifierSize = u16(item, kViewIdentifierSize);
    if (identifierSize + storeSize > item.size() - kViewIdentifier)
        return std::nullopt;
    if (view.signature == kKnownFolderSignature && identifierSize == 16)
        view.knownFolder = guidFromWindowsBytes(
            reinterpret_cast<const unsigned char*>(item.data() + kViewIdentifier));
    if (storeSize == 0)
        return view;
    const PropertyStore store =
        PropertyStore::read(item.sliced(kViewIdentifier + identifierSize, storeSize));
    view.storeWhole = store.whole();
    namespace keys = property_keys;
    for (const PropertyKey& key : {keys::kParsingPath, keys::kItemPathDisplay,
                                   keys::kLibraryItemPath, keys::kLinkTargetParsingPath}) {
        const QString path = store.text(key);
        if (isWholePath(path)) {
            view.path = path;
            break;
        }
    }
    for (const PropertyKey& key : {keys::kItemNameDisplay, keys::kFileName, keys::kParsingName}) {
        view.name = store.text(key);
        if (!view.name.isEmpty())
            break;
    }
    if (view.name.isEmpty() && !view.path.isEmpty() && !view.path.startsWith(u"::"))
        view.name = lastComponent(view.path);
    return view;
}

QString readUriItem(QByteArrayView item) {
    if (item.size() < kUriData || uchar(item[2]) != 0x61)
        return QString();
    const qsizetype dataSize = u16(item, kUriDataSize);
    if (dataSize > item.size() - kUriData)
        return QString();
    const bool unicode = (uchar(item[kUriFlags]) & kUriUnicode) != 0;
    return textAt(item.sliced(kUriData + dataSize), unicode);
}

QString readControlPanelCategory(QByteArrayView item) {
    static const char* const kCategories[] = {"All Control Panel Items",
                                              "Appearance and Personalization",
                                              "Hardware and Sound",
                                              "Network and Internet",
                                              "Sounds, Speech, and Audio Devices",
                                              "System and Security",
                                              "Clock, Language, and Region",
                                              "Ease of Access",
                                              "Programs",
                                              "User Accounts",
                                              "Security Center",
                                              "Mobile PC"};
    if (item.size() < kCategoryAt + 4 || u32(item, kCategorySignatureAt) != kCategorySignature)
        return QString();
    const quint32 category = u32(item, kCategoryAt);
    if (category < std::size(kCategories))
        return QLatin1String(kCategories[category]);
    return QStringLiteral("Control Panel category %1").arg(category);
}

QUuid readControlPanelItem(QByteArrayView item) {
    if (item.size() < kControlPanelGuid + 16)
        return QUuid();
    return guidFromWindowsBytes(
        reinterpret_cast<const unsigned char*>(item.data() + kControlPanelGuid));
}

QByteArray delegateFileEntry(QByteArrayView item) {
    if (item.size() < kDelegateInner + 1 || u32(item, kDelegateSignatureAt) != kDelegateSignature)
        return QByteArray();
    const qsizetype inner = u16(item, kDelegateInnerSize);
    if (inner < 1 || inner > item.size() - kDelegateInner || inner + 2 > 0xFFFF)
        return QByteArray();
    QByteArray entry(2, '\0');
    qToLittleEndian<quint16>(quint16(inner + 2), entry.data());
    entry.append(item.sliced(kDelegateInner, inner));
    return entry;
}

} // namespace vc
