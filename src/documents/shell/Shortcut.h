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
    // False when part of the target path could not be named.
    bool targetComplete = true;

    // The latest of the three stored target times (0 when none is set).
    quint64 latestTime() const;
};

// The largest shortcut read; real ones are a few kilobytes.
constexpr qint64 kMaxShortcutSize = 4 * 1024 * 1024;

// Reads a shortcut from its bytes with liblnk. The target path is, in this
// order: the local path of the link information, its network path, the
// path of the target's item list (see readShellItemList), the environment
// variables location. A link liblnk cannot read (cut short, damaged) still
// gives what its fixed 76-byte header holds and, when it is whole, its item
// list.
ShortcutFacts readShortcut(QByteArrayView bytes, const KnownFolderLocations& locations);

// A volume serial number as Windows shows it: "70EC-FA33".
QString volumeSerialText(quint32 serial);

} // namespace vc
