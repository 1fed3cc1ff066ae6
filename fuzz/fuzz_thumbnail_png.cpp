// A thumbnail of a Linux home's thumbnail cache: its PNG chunks walked for
// the original's facts, as the Thumbnails table reads them.
#include "FuzzInput.h"
#include "thiscomputer/ThumbnailPng.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const vc::PngText png = vc::readPngText(bytes);
    if (png.texts.size() > vc::kMaxPngTexts)
        std::abort();
    if (!png.isPng && (!png.texts.isEmpty() || png.width != 0))
        std::abort();
    for (const auto& [key, text] : png.texts)
        if (key.isEmpty() || key.contains('\0') || text.size() > vc::kMaxPngTextBytes)
            std::abort();
    return 0;
}
