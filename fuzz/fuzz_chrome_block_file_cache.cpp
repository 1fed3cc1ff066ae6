// Chrome's block-file cache: the input is one file of the real test cache
// (tests/data/chrome-cache), told by its own signature: the index, a block
// file (data_0 to data_3 by its block size), or else an external file
// (f_000001); the other files stay the real ones. The cache is loaded into
// the Cache table and the first rows' entries read again.
#include "CacheFuzz.h"

#include <QtEndian>

namespace {

struct Folders {
    Folders() {
        if (!root.isValid())
            std::abort();
        for (const char* name : {"index", "data_0", "data_1", "data_2", "data_3", "f_000001"})
            folders.emplace_back(root, QLatin1String(name), QStringLiteral("chrome-cache"),
                                 QLatin1String(name), input);
    }
    QTemporaryDir root;
    vc::fuzz::InputFile input;
    std::vector<vc::fuzz::CacheFolder> folders;
};

// Which file the input stands for.
size_t kindOf(const uint8_t* data, size_t size) {
    if (size >= 4 && qFromLittleEndian<quint32>(data) == 0xC103CAC3u)
        return 0;
    if (size >= 16 && qFromLittleEndian<quint32>(data) == 0xC104CAC3u) {
        switch (qFromLittleEndian<quint32>(data + 12)) {
        case 36:
            return 1;
        case 256:
            return 2;
        case 1024:
            return 3;
        case 4096:
            return 4;
        }
    }
    return 5;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folders folders;
    folders.input.set(data, size);
    vc::fuzz::loadAndReadBack(folders.folders[kindOf(data, size)].path(),
                              vc::CacheFormat::BlockFile);
    return 0;
}
