#pragma once

#include <QByteArray>

#include <cstdint>

namespace vc {

// The bytes b[0..n-1] as a little-endian number, held as a signed 32-bit
// value: sizes and offsets of 2^31 and above read as negative, as the format
// readers have always compared them.
int32_t LittleEndianValue(const unsigned char* bytes, int count);

// A FILETIME (100-ns ticks since 1601) as whole seconds since 1970, computed
// in double precision and truncated toward zero; 0 stays 0. Kept in 64 bits
// so that times after January 2038 stay right.
int64_t FileTimeToUnix(const unsigned char* eightBytes);

// Replaces every byte below 32 by a space, up to the first zero byte; the
// text is cut at that zero byte.
void CleanControlChars(QByteArray& text);

// The format version from the 4 version bytes of the header, read as a
// zero-terminated text by the rules of C's atof (longest numeric prefix, 0
// when there is none), independent of the process locale.
double ParseCacheIndexVersion(const unsigned char* fourBytes);

} // namespace vc
