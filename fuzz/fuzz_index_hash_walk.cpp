// The hash walk of a cache index file (the chain of hash tables).
#include "IndexWalkTarget.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vc::fuzz::walkIndex(data, size, false);
    return 0;
}
