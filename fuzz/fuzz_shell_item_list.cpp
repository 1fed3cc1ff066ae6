// A shell item list (the identifier list of a shortcut, an MRU value): read
// into the path Explorer shows, with and without the hive's folder
// locations; each item also on its own through the hand-made readers of
// property views, URIs, control panel and delegate items, and every stretch
// of the input as a property store.
#include "FuzzInput.h"
#include "documents/shell/KnownFolders.h"
#include "documents/shell/PropertyStore.h"
#include "documents/shell/ShellItemFields.h"
#include "documents/shell/ShellItemList.h"

#include <QtEndian>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes = vc::fuzz::inputBytes(data, size);
    static const vc::KnownFolderLocations none;
    static const vc::KnownFolderLocations placed = [] {
        vc::KnownFolderLocations l;
        l.setProfilePath(QStringLiteral("C:\\Users\\joe"));
        l.setShellFolder(QStringLiteral("Desktop"), QStringLiteral("C:\\Users\\joe\\Desktop"));
        l.setShellFolder(QStringLiteral("My Pictures"), QStringLiteral("C:\\Users\\joe\\Pictures"));
        l.setShellFolder(QStringLiteral("{374DE290-123F-4565-9164-39C4925E467B}"),
                         QStringLiteral("C:\\Users\\joe\\Downloads"));
        return l;
    }();
    for (const vc::KnownFolderLocations* locations : {&none, &placed}) {
        const vc::ShellItemPath path = vc::readShellItemList(bytes, *locations);
        if (path.items > vc::kMaxShellItems || path.path.size() > 64 * bytes.size() + 1024)
            std::abort();
    }
    // Every item of the list by itself, whatever libfwsi takes it for.
    qsizetype at = 0;
    while (at + 2 <= bytes.size()) {
        const qsizetype itemSize = qFromLittleEndian<quint16>(bytes.data() + at);
        if (itemSize < 3 || itemSize > bytes.size() - at)
            break;
        const QByteArrayView item = bytes.sliced(at, itemSize);
        if (const auto view = vc::readPropertyViewItem(item))
            if (view->name.size() > item.size() || view->path.size() > item.size())
                std::abort();
        if (vc::readUriItem(item).size() > item.size())
            std::abort();
        vc::readControlPanelCategory(item);
        vc::readControlPanelItem(item);
        if (vc::delegateFileEntry(item).size() > item.size() + 2)
            std::abort();
        at += itemSize;
    }
    const vc::PropertyStore store = vc::PropertyStore::read(bytes);
    if (store.size() > vc::kMaxStoreValues)
        std::abort();
    return 0;
}
