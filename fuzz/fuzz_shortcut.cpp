// A shortcut (.lnk): its layout walked by its own size fields, then read
// with liblnk (or from its header when the layout does not fit), with and
// without the hive's folder locations.
#include "FuzzInput.h"
#include "documents/shell/KnownFolders.h"
#include "documents/shell/Shortcut.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes = vc::fuzz::inputBytes(data, size);
    if (const auto layout = vc::linkLayout(bytes))
        if (layout->stringsEnd > layout->extraEnd || layout->extraEnd > bytes.size())
            std::abort();
    static const vc::KnownFolderLocations none;
    const vc::ShortcutFacts facts = vc::readShortcut(bytes, none);
    // Nothing but a shortcut header makes a shortcut.
    if (facts.state != vc::ShortcutFacts::State::NotALink && bytes.size() < 0x4C)
        std::abort();
    return 0;
}
