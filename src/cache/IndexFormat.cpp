#include "cache/IndexFormat.h"

#include <algorithm>
#include <cstring>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace vc {

int32_t LittleEndianValue(const unsigned char* bytes, int count) {
    if (count >= 4)
        return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                       uint32_t(bytes[3]) << 24);
    uint32_t value = 0;
    for (int i = 0; i < count && i < 4; ++i)
        value |= uint32_t(bytes[i]) << (8 * i);
    return int32_t(value);
}

int64_t FileTimeToUnix(const unsigned char* eightBytes) {
    // Both halves are unsigned: read as signed, every low half of 2^31 or
    // more would put the time 429.5 seconds early.
    const uint32_t low = uint32_t(LittleEndianValue(eightBytes, 4));
    const uint32_t high = uint32_t(LittleEndianValue(eightBytes + 4, 4));
    const double value = double(high) * 4294967296.0 + double(low);
    if (value == 0.0)
        return 0;
    return int64_t(std::trunc(value * 0.0000001 - 11644473600.0));
}

void CleanControlChars(QByteArray& text) {
    if (text.isEmpty())
        return;
    // Eight bytes at a time: most fields hold no byte below 32 at all, and a
    // word without one is passed over whole. A zero byte ends the text.
    char* const begin = text.data();
    char* const end = begin + text.size();
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    char* p = begin;
    while (p != end) {
        if (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if (((word - kOnes * 32) & ~word & kHighBits) == 0) {
                p += 8;
                continue;
            }
        }
        char* const stop = std::min(p + 8, end);
        for (; p != stop; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c == 0) {
                text.truncate(p - begin);
                return;
            }
            if (c < 32)
                *p = ' ';
        }
    }
}

double ParseCacheIndexVersion(const unsigned char* fourBytes) {
    char text[5] = {};
    for (int i = 0; i < 4; ++i)
        text[i] = char(fourBytes[i]);
    // The "C" locale keeps the decimal point a point whatever the examiner's
    // locale says; strtod_l otherwise follows atof to the letter.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    if (cLocale == locale_t(0))
        return std::atof(text);
    return strtod_l(text, nullptr, cLocale);
}

} // namespace vc
