#pragma once

#include <QByteArray>

#include <cstdint>

namespace vc {

// The layout of a cache index file (index.dat), as docs/formats/index-dat.md
// describes it field by field. Offsets are bytes from the start of the file,
// or from the start of a record or hash table where the name says so.
namespace index_format {

// The file is made of blocks; records and hash tables start on a block.
constexpr int kBlockSize = 128;

// Header.
constexpr int kSignatureOffset = 0;  // "Client UrlCache MMF Ver 5.2"
constexpr int kSignatureLength = 24; // the text before the version
constexpr char kSignature[] = "Client UrlCache MMF Ver ";
constexpr int kVersionOffset = 24;    // version text, 4 bytes ("5.2" and a zero byte)
constexpr int kStatedSizeOffset = 28; // the file size the header states
constexpr int kFirstHashTableOffset = 32;
constexpr int kHeaderLength = 36; // the header fields above, read at once
// Cache sub-folder i: an entry of 12 bytes (a count of files, then the
// folder's 8-character name, not zero-terminated).
constexpr int kFolderNamesOffset = 80;
constexpr int kFolderEntrySize = 12;
constexpr int kFolderNameLength = 8;

// Hash table, offsets from the table's start.
constexpr int kHashTableBlocksOffset = 4; // length in blocks
constexpr int kHashTableNextOffset = 8;   // the next table; 0 ends the chain
constexpr int kHashEntriesOffset = 16;    // first entry
constexpr int kHashEntrySize = 8;         // hash word (4), record offset (4)
constexpr int kHashEntryRecordOffset = 4;
constexpr unsigned char kFreeHashEntry = 3; // first byte of a free entry
constexpr int32_t kNoRecord = 0x0BADF00D;   // record offset of an entry without one

// Record, offsets from the record's start.
constexpr int kRecordBlocksOffset = 4; // length in blocks
constexpr int kModifiedTimeOffset = 8;
constexpr int kAccessedTimeOffset = 16;
constexpr int kRedirectUrlOffset = 16; // REDR: the address text

// Where the fields of a URL or LEAK record lie, by format version.
struct UrlLayout {
    int urlOffset;      // one byte: the address text's offset from the record
    int directoryIndex; // one byte: the number of the cache sub-folder
    int fileNameOffset; // four bytes: the cached file's name, from the record
    int headerOffset;   // four bytes: the stored response header, from the record
    int headerSize;     // four bytes: the stored header's size in bytes
};
constexpr UrlLayout kUrlLayoutBefore50 = {56, 60, 64, 72, 76};
constexpr UrlLayout kUrlLayout50 = {52, 57, 60, 68, 72};
constexpr UrlLayout kUrlLayout52 = {52, 56, 60, 68, 72};
inline UrlLayout urlLayoutFor(double version) {
    if (version < 5.0)
        return kUrlLayoutBefore50;
    if (version < 5.2)
        return kUrlLayout50;
    return kUrlLayout52;
}
// A file name or header offset at or below these values points into the
// record's fixed fields, not at a text: such a field stays empty.
constexpr int32_t kLowestFileNameOffset = 60;
constexpr int32_t kLowestHeaderOffset = 68;

} // namespace index_format

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
// The same for size bytes in place; returns how many are kept.
qsizetype CleanControlChars(char* text, qsizetype size);

// The format version from the 4 version bytes of the header, read as a
// zero-terminated text by the rules of C's atof (longest numeric prefix, 0
// when there is none), independent of the process locale.
double ParseCacheIndexVersion(const unsigned char* fourBytes);

} // namespace vc
