// The block scan of a cache index file ("Full history").
#include "IndexWalkTarget.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vc::fuzz::walkIndex(data, size, true);
    return 0;
}
