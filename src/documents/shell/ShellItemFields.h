#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUuid>

#include <optional>

namespace vc {

// The shell items that libfwsi 20181227 tells by kind but offers no getters
// for, read by hand (docs/formats/shell-items.md). Each function takes one
// whole item, its size bytes included, and checks every offset and size it
// reads against the item's bytes.

// A property view item (class 0x00, a data signature at offset 6): known
// folders of Windows 7 and later, the folders and files of libraries and
// of search results, the pages of the control panel.
struct PropertyViewItem {
    quint32 signature = 0;
    // Signature 0x23FEBBEE: the known folder the item stands for.
    QUuid knownFolder;
    // From the item's property store: the name Explorer shows, and the
    // whole path when the store holds one (a drive or share path, or a
    // "::{GUID}" path of the shell namespace).
    QString name;
    QString path;
    // False when the property store was cut or damaged.
    bool storeWhole = true;
};

// The data signatures of property view items.
bool isPropertyViewSignature(quint32 signature);

// The item's fields; nullopt when it is no property view item or its sizes
// run past its end.
std::optional<PropertyViewItem> readPropertyViewItem(QByteArrayView item);

// The address a URI item (class 0x61) holds: after the item's data block,
// UTF-16 when flag 0x80 is set, else in the code page. Empty when the item
// holds none or its data size runs past its end.
QString readUriItem(QByteArrayView item);

// The name of a control panel category item (class 0x01, signature
// 0x39DE2184): "Appearance and Personalization", ...; empty when it is none.
QString readControlPanelCategory(QByteArrayView item);

// The item identifier of a control panel item (class 0x71): a GUID at
// offset 14; null when the item is too short.
QUuid readControlPanelItem(QByteArrayView item);

// The file entry a delegate item of class 0x74 (signature "CFSF" at offset
// 6) wraps, as an item of its own (its size counting its size bytes, which
// the wrapped data does not); empty when there is none.
QByteArray delegateFileEntry(QByteArrayView item);

} // namespace vc
