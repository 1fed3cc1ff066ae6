#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vc {

class KnownFolderLocations;

// What a shortcut (.lnk, also a jump list's shortcut streams) records about
// its target.
struct ShortcutFacts {
    enum class State {
        Whole,      // liblnk read the whole link
        HeaderOnly, // liblnk refused it; the fixed header (and the item list
                    // when it was whole) was read directly
        NotALink,   // not even a shortcut header
    };
    State state = State::NotALink;
    QString targetPath;
    // FILETIMEs of the target as the link stored them; 0 when not set.
    quint64 created = 0;
    quint64 modified = 0;
    quint64 accessed = 0;
    std::optional<quint32> size;
    QString volumeLabel;
    std::optional<quint32> volumeSerial;
    QString machineId; // NetBIOS name from the distributed link tracking data
    QString workingFolder;
    QString arguments;   // the command-line arguments the target is started with
    QString description; // the comment the shortcut shows as its tip
    // False when part of the target path could not be named.
    bool targetComplete = true;
    // True when an extra data block (tracking data, property stores, ...)
    // runs past the end of the bytes: the blocks from there on are lost.
    bool extraDataCut = false;
};

// The largest shortcut read; real ones are a few kilobytes.
constexpr qint64 kMaxShortcutSize = 4 * 1024 * 1024;

// Reads a shortcut from its bytes with liblnk. The target path is, in this
// order: the local path of the link information, its network path, the
// path of the target's item list (see readShellItemList), the environment
// variables location. A link liblnk cannot read (cut short, damaged) still
// gives what its fixed 76-byte header holds and, when it is whole, its item
// list. liblnk sizes its buffers from the link's own size fields without
// comparing them with the bytes there are; the link is therefore walked
// first (linkLayout), and one whose item list, link information or strings
// run past its end is not handed to liblnk at all, but read from its header;
// extra data blocks that run past the end are left out.
ShortcutFacts readShortcut(QByteArrayView bytes, const KnownFolderLocations& locations);

// Where the parts of a shortcut end, by its own size fields
// (docs/formats/lnk-header.md).
struct LinkLayout {
    // Bytes up to the end of the strings: what liblnk needs whole.
    qsizetype stringsEnd = 0;
    // Bytes up to the end of the last extra data block that lies whole in
    // the bytes; the terminal block included when it is there.
    qsizetype extraEnd = 0;
    // True when the extra data ended with its terminal block (the whole
    // shortcut is there), false when the bytes end before it.
    bool terminated = false;
    // True when an extra data block runs past the end of the bytes (or a
    // few bytes too short for any block are left): the link was cut or
    // damaged there. A link that ends exactly after a block is not.
    bool extraCut = false;
};

// The layout of the shortcut at the start of bytes; nullopt when it is no
// shortcut or its item list, link information or strings do not fit.
std::optional<LinkLayout> linkLayout(QByteArrayView bytes);

// A volume serial number as Windows shows it: "70EC-FA33".
QString volumeSerialText(quint32 serial);

} // namespace vc
