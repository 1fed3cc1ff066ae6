// A Prefetch file: read with libscca, and its header by the program itself
// where libscca refuses it, as the Programs run table and its pane read it.
#include "FuzzInput.h"
#include "windows/Prefetch.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const vc::PrefetchFile file =
        vc::readPrefetch(bytes, QStringLiteral("FUZZ.EXE-0BADF00D.pf"), true);
    // A file always has a name: its own, or the one its file name gives.
    if (file.executable.isEmpty() || file.runTimes.size() > 8 ||
        file.loadedFiles.size() > vc::kMaxLoadedFiles)
        std::abort();
    if (!file.readByLibscca && file.hash != 0x0BADF00Du && !file.header.scca)
        std::abort();
    const vc::PrefetchHeader header = vc::readPrefetchHeader(bytes);
    if (header.scca && header.executable.size() > 30)
        std::abort();
    return 0;
}
