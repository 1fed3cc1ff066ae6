#pragma once

#include <QString>

namespace vc {

// The time zone every time text is shown in.
enum class DisplayZone {
    Utc,
    Local,   // this computer's local time (TZ as the program was started with)
    Machine, // the examined machine's zone, from its hives
    Named,   // a zone the user named (--time-zone Europe/Prague)
};

// Shows times in that zone from now on. name is the zone for Machine and
// Named: an IANA name ("Europe/Prague"), or for Machine a POSIX zone text
// ("<+0100>-1") where only the machine's bias is known; label says how the
// status bar names it (the machine's zone as its hives call it). False, and
// nothing changed, for a name no zone of this computer's tzdata has.
bool setDisplayZone(DisplayZone zone, const QString& name = QString(),
                    const QString& label = QString());
DisplayZone displayZone();
// How the zone in use is named: "UTC", the local zone's name, the label or
// the name of a machine's or a named zone.
QString displayZoneName();
// A fixed offset as a POSIX zone text: minutes to add to the local time to
// get UTC (a Windows bias) of -60 gives "<+0100>-1".
QString posixZoneOfBias(int biasMinutes);

} // namespace vc
