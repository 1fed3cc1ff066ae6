#pragma once

#include "cache/IndexFileReader.h"
#include "cache/RecordText.h"

#include <QByteArray>
#include <QIODevice>
#include <QTimeZone>

#include <cstdint>
#include <functional>

namespace vc {

class RecallConditionSet;

// The seven cleaned fields of one record, in work-file order: type, URL,
// modification time, access time, file name, directory, header. They are
// valid while the sink that handed them on is in the call.
using RecordFields = QByteArrayView[7];

// Where the decoders put accepted records: one line each on the work file,
// counted in RecordCount. A headless export that needs no work file takes
// each record's fields through Fields instead, and lays out its own row
// without the line in between.
struct RecordSink {
    QIODevice* WorkFile = nullptr;
    // The recall conditions every record must pass; nullptr keeps them all.
    const RecallConditionSet* filter = nullptr;
    int RecordCount = 0;
    std::function<void(const RecordFields& fields)> Fields = {};
    // How the two times are written: as time cells (the stored FILETIMEs,
    // which a table shows in the zone of the moment) or as time texts (a
    // stream that writes each row out as it comes).
    bool timeCells = false;
    // The second time of the record was written in the examined machine's
    // local time (the daily and weekly history files); machineZone, when
    // known, turns it into UTC.
    bool secondTimeLocal = false;
    const QTimeZone* machineZone = nullptr;
    // The decoders' working arrays, kept from record to record so that a
    // walk allocates no memory per record once they have grown.
    struct Scratch {
        RecordText text;
        RecordFields fields;
        QByteArray line;
        QByteArray wholeRow;
    } scratch = {};
};

// The cells joined by the separator (no line end), appended to out.
void AppendJoined(const QByteArrayView* cells, int count, char separator, QByteArray& out);
// The work-file line of the fields (joined by tabs, without a line end),
// appended to out.
void AppendWorkFileLine(const RecordFields& fields, QByteArray& out);

// Longest text taken from one record field. Real addresses, file names and
// headers stay far below it; it keeps a crafted file whose strings never end
// from costing memory and time in proportion to its size for every record.
constexpr qsizetype kMaxFieldLength = 64 * 1024;

// The time text of a FILETIME: empty for 0 seconds, else the formatted local
// time (or the unconverted text " ").
QByteArray FileTimeText(const unsigned char* eightBytes);

// URL and LEAK records (and any signature beginning "URL"). signature holds
// the 4 signature bytes; fileSize is the size stated in the header. A record
// whose 32-bit address-offset field is not smaller than the record's size
// (its blocks, at least one) stores no address: its address field stays
// empty.
void DecodeUrlRecord(IndexFileReader& file, int32_t r, QByteArrayView signature, int32_t fileSize,
                     double CacheIndexVersion, RecordSink& sink);
// REDR records.
void DecodeRedrRecord(IndexFileReader& file, int32_t r, int32_t fileSize, RecordSink& sink);

} // namespace vc
