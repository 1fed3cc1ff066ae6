#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QUuid>

namespace vc {

// A property of the Windows property system: its format (property set)
// identifier and its number within the set.
struct PropertyKey {
    QUuid format;
    quint32 id = 0;
    bool operator==(const PropertyKey&) const = default;
};

size_t qHash(const PropertyKey& key, size_t seed = 0) noexcept;

// The properties the shell items name their item by.
namespace property_keys {
// System.ItemNameDisplay: the name Explorer shows.
extern const PropertyKey kItemNameDisplay;
// System.FileName: the file's name with its extension.
extern const PropertyKey kFileName;
// System.ParsingName: the name the shell parses within the parent folder.
extern const PropertyKey kParsingName;
// System.ParsingPath: the whole path, for a file the same as its path.
extern const PropertyKey kParsingPath;
// System.ItemPathDisplay: the whole path as Explorer shows it.
extern const PropertyKey kItemPathDisplay;
// System.Link.TargetParsingPath: the path a link points to.
extern const PropertyKey kLinkTargetParsingPath;
// Number 8 of the set of System.Kind and System.FullText: the whole path of
// a library's folder or file, as Windows 7 keeps it in the property views
// of its jump lists and dialog lists (not named in Microsoft's list; seen on
// real files).
extern const PropertyKey kLibraryItemPath;
} // namespace property_keys

// The texts of a serialized property store: property storages one after
// another, each a size, the version "1SPS", a format identifier and its
// values (docs/formats/shell-items.md). Only text values (VT_LPWSTR,
// VT_BSTR, VT_LPSTR) are kept; every size is checked against the bytes, and
// reading stops at the first storage or value that does not fit.
class PropertyStore {
public:
    static PropertyStore read(QByteArrayView bytes);

    // The text of a property; empty when the store has none.
    QString text(const PropertyKey& key) const { return m_texts.value(key); }
    // False when the store was cut or damaged; what came before was kept.
    bool whole() const { return m_whole; }
    int size() const { return int(m_texts.size()); }

private:
    QHash<PropertyKey, QString> m_texts;
    bool m_whole = true;
};

// Values read from one store; more are left out (the store is not whole).
constexpr int kMaxStoreValues = 4096;

} // namespace vc
