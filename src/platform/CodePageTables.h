#pragma once

#include <cstdint>

namespace vc {

struct CodePageTable {
    const char* name;
    uint16_t upper[128]; // code points of the bytes 0x80 to 0xFF
};

extern const CodePageTable kCodePageTables[];
extern const int kCodePageTableCount;

} // namespace vc
