// The DestList stream of an automatic jump list, read by hand: no entry
// beyond what the header counts, each one whole inside the stream.
#include "FuzzInput.h"
#include "documents/shell/DestList.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes = vc::fuzz::inputBytes(data, size);
    const vc::DestList list = vc::parseDestList(bytes);
    if (quint32(list.entries.size()) > list.declaredEntries)
        std::abort();
    // The smallest entry is 114 bytes after the 32 of the header.
    if (list.entries.size() > (bytes.size() - 32) / 114 + 1)
        std::abort();
    qsizetype pathUnits = 0;
    for (const vc::DestListEntry& e : list.entries)
        pathUnits += e.path.size();
    if (2 * pathUnits > bytes.size())
        std::abort();
    return 0;
}
