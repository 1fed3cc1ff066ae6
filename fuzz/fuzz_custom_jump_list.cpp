// A custom jump list (*.customDestinations-ms): its categories and their
// shortcuts by the container's layout, the rest searched for shortcuts.
#include "FuzzInput.h"
#include "documents/shell/JumpList.h"
#include "documents/shell/KnownFolders.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes = vc::fuzz::inputBytes(data, size);
    static const vc::KnownFolderLocations none;
    const vc::JumpList list = vc::readCustomDestinations(bytes, none);
    if (list.entries.size() > vc::kMaxCustomLinks)
        std::abort();
    // Every entry starts at its own 20 bytes of shortcut signature.
    if (list.entries.size() * 20 > bytes.size())
        std::abort();
    for (const vc::JumpListEntry& e : list.entries)
        if (e.category.size() > bytes.size() / 2 || e.dest)
            std::abort();
    return 0;
}
