// The block scan spread over threads, checked against the scan on one
// thread: the same text, in the same order, the same count.
#include "FuzzInput.h"
#include "cache/ActivityTable.h"
#include "cache/ParallelBlockScan.h"

#include <cstdlib>

namespace {

QByteArray scan(const QString& path, int threads, int* count) {
    vc::ScanOutput output;
    QByteArray all;
    output.appendText = [](const vc::RecordFields& fields, QByteArray& text) {
        vc::AppendActivityRowText(fields, text);
        text.append('\n');
    };
    output.write = [&all](const QByteArray& text) { all.append(text); };
    vc::WalkOptions options;
    options.linearScan = true;
    vc::ScanCacheIndexInParallel(path, threads, options, output);
    *count = output.RecordCount;
    return all;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    // The threads run only with the pattern's own time texts.
    if (!vc::timeTextsAreFast())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vc::fuzz::InputFile file;
    file.set(data, size);
    int alone = 0;
    int spread = 0;
    const QByteArray one = scan(file.path(), 1, &alone);
    const QByteArray three = scan(file.path(), 3, &spread);
    if (one != three || alone != spread)
        std::abort();
    return 0;
}
