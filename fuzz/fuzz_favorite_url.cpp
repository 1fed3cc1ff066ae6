// A favorite (.url) file: the address it stores, read through the file as
// the Links table does.
#include "FuzzInput.h"
#include "cache/FavoriteFile.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vc::fuzz::InputFile file;
    file.set(data, size);
    const QByteArray address = vc::FavoriteAddress(file.path());
    // What the file gives is what its bytes give, and no control byte can
    // split a row.
    if (address != vc::FavoriteAddressOf(
                       QByteArrayView(data, qsizetype(size))
                           .first(std::min<qsizetype>(qsizetype(size), vc::kFavoriteFileLimit))))
        std::abort();
    for (char c : address) {
        if (static_cast<unsigned char>(c) < 32)
            std::abort();
    }
    return 0;
}
