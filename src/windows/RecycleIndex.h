#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace vc {

class EvidenceReader;

// One deleted file as the Recycle Bin's index records it
// (docs/formats/recycle-bin.md): a $I file of Windows Vista and later, or a
// record of Windows XP's INFO2.
struct RecycleEntry {
    QString originalPath;
    quint64 size = 0;
    quint64 deletedAt = 0; // FILETIME
    quint32 formatVersion = 0;
    bool cut = false; // the entry ends before its name does
    // INFO2: the record was taken out of the index (the file was restored or
    // the bin emptied): Windows clears the path's first byte.
    bool removed = false;
    int record = -1; // INFO2: the record's number (the n of "Dc<n>.ext")
    int drive = -1;  // INFO2: the drive's number (0 = A:)
};

// The largest $I file read: version 2 stores a name of up to 32767
// characters.
constexpr qsizetype kMaxDollarIFile = 28 + 2 * 32768;

// A $I file's bytes; nullopt when it is not one (too short, an unknown
// version).
std::optional<RecycleEntry> parseDollarI(QByteArrayView bytes);

// The records of an INFO2 file, read one at a time through the reader.
// False with *error when the header is not one of INFO2 (too short, a
// record size no version has); a last record cut short is passed on with
// cut set.
bool readInfo2(EvidenceReader& reader, const std::function<void(const RecycleEntry&)>& entry,
               QString* error);

// The name Windows XP gave a recycled file in the bin's folder: "D", the
// drive's letter, the record's number and the original name's extension
// ("Dc1.exe").
QString info2RecycledName(const RecycleEntry& entry);

} // namespace vc
