#include "cache/IndexFormat.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
namespace {

// Cleans one block of sixteen bytes in place; false (and nothing changed)
// when it holds a zero byte, which the caller handles byte by byte.
inline bool cleanBlock(char* at) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    // Bytes 0 to 31: at or above zero and below 32 as signed bytes.
    const __m128i control = _mm_and_si128(_mm_cmplt_epi8(block, _mm_set1_epi8(32)),
                                          _mm_cmpgt_epi8(block, _mm_set1_epi8(-1)));
    if (_mm_movemask_epi8(control) == 0)
        return true;
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_setzero_si128())) != 0)
        return false;
    const __m128i cleaned =
        _mm_or_si128(_mm_andnot_si128(control, block), _mm_and_si128(control, _mm_set1_epi8(' ')));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), cleaned);
    return true;
}

} // namespace
#endif

qsizetype CleanControlChars(char* text, qsizetype size) {
    // Sixteen bytes at a time: most fields hold no byte below 32 at all, and
    // a block without one is passed over whole; in a block with some, the
    // control bytes become spaces at once. A zero byte ends the text.
    char* const begin = text;
    char* const end = begin + size;
    char* p = begin;
#if defined(__SSE2__)
    while (end - p >= 16 && cleanBlock(p))
        p += 16;
    if (end - p < 16 && p != end) {
        // The last bytes: the last sixteen of a long text again (cleaning a
        // clean byte changes nothing), or a short text in a padded copy.
        if (end - begin >= 16) {
            if (cleanBlock(end - 16))
                return size;
        } else {
            char padded[16];
            std::memset(padded, 'x', sizeof padded);
            std::memcpy(padded, p, size_t(end - p));
            if (cleanBlock(padded)) {
                std::memcpy(p, padded, size_t(end - p));
                return size;
            }
        }
    }
#endif
    for (; p != end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == 0)
            return p - begin;
        if (c < 32)
            *p = ' ';
    }
    return size;
}

void CleanControlChars(QByteArray& text) {
    if (text.isEmpty())
        return;
    const qsizetype kept = CleanControlChars(text.data(), text.size());
    if (kept < text.size())
        text.truncate(kept);
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
