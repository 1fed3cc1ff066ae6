// Firefox's cache2: the input is the folder's index (told by a version of
// 9 to 13 in its first four bytes), or else one more entry file beside the three real ones
// (tests/data/ firefox-cache2), with the made index (tests/data/firefox-cache2-index). The cache is
// loaded into the Cache table and the first rows' entries read again.
#include "CacheFuzz.h"

#include <QtEndian>

namespace {

using vc::fuzz::linkTo;
using vc::fuzz::testData;

// A cache2 folder: entries/ with the real files, the index, and the input
// standing for one of them.
struct Cache2 {
    Cache2(QTemporaryDir& root, const QString& name, bool inputIsIndex,
           const vc::fuzz::InputFile& input)
        : path(root.filePath(name)) {
        const QString entries = testData(QStringLiteral("firefox-cache2"));
        for (const QString& n : QDir(entries).entryList(QDir::Files))
            linkTo(entries + QLatin1Char('/') + n, path + QStringLiteral("/entries/") + n);
        const QString index = path + QStringLiteral("/index");
        linkTo(inputIsIndex ? input.path() : testData(QStringLiteral("firefox-cache2-index/index")),
               index);
        if (!inputIsIndex)
            linkTo(input.path(),
                   path + QStringLiteral("/entries/AB00000000000000000000000000000000000000"));
    }
    QString path;
};

struct Folders {
    Folders() {
        if (!root.isValid())
            std::abort();
        entry = std::make_unique<Cache2>(root, QStringLiteral("entry"), false, input);
        index = std::make_unique<Cache2>(root, QStringLiteral("index"), true, input);
    }
    QTemporaryDir root;
    vc::fuzz::InputFile input;
    std::unique_ptr<Cache2> entry, index;
};

bool isIndex(const uint8_t* data, size_t size) {
    if (size < 4)
        return false;
    const quint32 version = qFromBigEndian<quint32>(data);
    return version >= 9 && version <= 13;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folders folders;
    folders.input.set(data, size);
    const Cache2& cache = isIndex(data, size) ? *folders.index : *folders.entry;
    vc::fuzz::loadAndReadBack(vc::EvidenceFiles::pathBytes(cache.path), vc::CacheFormat::Firefox);
    return 0;
}
