// Chrome's simple cache: the input is one file of the made test cache
// (tests/data/simple-cache): the index (index-dir/the-real-index, told by
// its signature at offset 8), an entry's "_0" file (its last 24 bytes an
// end record), or else its "_s" file of sparse data. The cache is loaded
// into the Cache table and the first rows' entries read again.
#include "CacheFuzz.h"

#include <QtEndian>

namespace {

const char* const kNames[] = {"index-dir/the-real-index", "00000000000000b2_0",
                              "00000000000000c3_s"};

struct Folders {
    Folders() {
        if (!root.isValid())
            std::abort();
        for (int i = 0; i < 3; ++i)
            folders.emplace_back(root, QString::number(i), QStringLiteral("simple-cache"),
                                 QLatin1String(kNames[i]), input);
    }
    QTemporaryDir root;
    vc::fuzz::InputFile input;
    std::vector<vc::fuzz::CacheFolder> folders;
};

size_t kindOf(const uint8_t* data, size_t size) {
    if (size >= 16 && qFromLittleEndian<quint64>(data + 8) == 0x656e74657220796fULL)
        return 0;
    if (size >= 24 && qFromLittleEndian<quint64>(data + size - 24) == 0xf4fa6f45970d41d8ULL)
        return 1;
    return 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folders folders;
    folders.input.set(data, size);
    vc::fuzz::loadAndReadBack(folders.folders[kindOf(data, size)].path(), vc::CacheFormat::Simple);
    return 0;
}
