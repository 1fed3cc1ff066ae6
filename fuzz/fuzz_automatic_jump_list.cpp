// An automatic jump list (*.automaticDestinations-ms): the compound file's
// header checked against its size, the file read with libolecf (filled up
// with zeros when it is cut), its DestList and every shortcut stream.
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
    const vc::JumpList list = vc::readAutomaticDestinations(bytes, none);
    // One entry per DestList entry (each at least 114 bytes of streams that
    // are read within a budget of four times the file and a megabyte) and
    // per stream at most; a list names each problem at most once.
    const qsizetype destEntries = (4 * bytes.size() + (1 << 20)) / 114 + 1;
    if (list.entries.size() > vc::kMaxJumpListStreams + destEntries)
        std::abort();
    for (qsizetype i = 0; i < list.problems.size(); ++i)
        if (list.problems.indexOf(list.problems[i]) != i)
            std::abort();
    return 0;
}
