#pragma once

#include "app/WindowLayer.h"

namespace vc {

class TForm1;

// The status bar's second panel says which time zone the time texts are
// in; the View menu's entry is checked when they are in UTC.
void ShowTimeZone(TForm1& form);

// Switches the time texts to UTC or back to local time, keeps the choice
// for the next start, and fills every table that holds rows again as its
// last fill did, so that no table mixes the two.
void SwitchTimesToUtc(TForm1& form, bool utc);

// Fills every table that holds rows again, each fill once (the tabs of one
// recall share theirs); the tab in front stays in front.
void RefillTables(TForm1& form);

// Restores the saved choice at start (a --utc given on the command line
// stays).
void RestoreTimesInUtc();

} // namespace vc
