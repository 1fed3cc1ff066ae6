#pragma once

#include "evidence/EvidenceFiles.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace vc {

struct LoadContext;

// One record of a cookie text file: nine lines, each ended by a line feed —
// name, value, host and path, flags, expiration time (low and high halves
// of a FILETIME, in decimal), creation time (low, high), and "*".
struct CookieRecord {
    QByteArray name;
    QByteArray value;
    QByteArray hostPath;
    QByteArray flags;
    uint32_t expirationLow = 0;
    uint32_t expirationHigh = 0;
    uint32_t creationLow = 0;
    uint32_t creationHigh = 0;
};

// Longest text kept of a name, value, host or flags line. Real cookies stay
// far below it; a file of one endless line costs no more memory than this
// (the rest of the line is read over and dropped).
constexpr qsizetype kMaxCookieLineLength = 64 * 1024;
// Characters kept of a number line; the byte after them is passed over as
// if it were the line's end.
constexpr int kCookieNumberLineLength = 999;

// A number line as an unsigned 32-bit value: leading white space skipped,
// digits up to the first other character, 0 without digits, 4294967295 for
// anything larger.
uint32_t ParseCookieNumber(const QByteArray& line);

// The time text of a FILETIME given as two halves: whole seconds since 1970
// as the cache index does it, then the local time text (" " when there is
// no calendar time for it). Unlike the cache index times, 0 is converted
// like any other value.
QByteArray CookieTimeText(uint32_t low, uint32_t high);
// The same time as the table keeps it: a time cell of the FILETIME.
QByteArray CookieTimeCell(uint32_t low, uint32_t high);

// Reads the records of one cookie text file, in file order. The reading
// follows the file's layout exactly as the browser wrote it: lines 1-4 up
// to their line feed, lines 5-8 up to their line feed or 999 characters,
// then the two bytes of the "*" line are passed over; the last record is
// the one after which no byte is left, even when it is cut short (missing
// lines are empty, missing numbers 0). An empty file gives one record.
// Reads go through a buffer; each record is handed to onRecord as soon as
// it is complete, so a file of any size needs the memory of one record.
// False when the file cannot be opened.
// The file is read through files (this machine's folders unless given).
bool ReadCookieRecords(const QString& path,
                       const std::function<void(const CookieRecord&)>& onRecord,
                       const EvidenceFiles& files = localEvidenceFiles());

// The work-file line of one record: host and path, name, creation time
// text, expiration time text, fileName, value, flags, separated by tabs and
// ended by a line feed. A tab inside a field becomes a space, so the line
// always has its seven columns.
QByteArray CookieWorkFileLine(const CookieRecord& record, const QByteArray& fileName);

// Reads one cookie text file and writes the line of every record the
// context's filter accepts to workFile. fileName is what the File Name
// column shows (the name as the caller gave it). Reports text 101 and the
// path when the file cannot be opened, and returns false then.
bool ReadCookieFile(const QString& path, const QByteArray& fileName, QIODevice& workFile,
                    const LoadContext& context, const EvidenceFiles& files = localEvidenceFiles());

// The names of the cookie text files of a folder: regular files whose name
// ends in ".txt" (any letter case) and does not start with "." (hidden),
// sorted by name without regard to letter case. Symbolic links are left out.
// Inside a disk image, deleted entries the file system still lists are
// listed too. The folder is listed through files.
QStringList ListCookieTextFiles(const QString& folder,
                                const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
