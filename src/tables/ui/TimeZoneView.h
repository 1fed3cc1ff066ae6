#pragma once

#include "app/WindowLayer.h"

#include "platform/DisplayZone.h"

namespace vc {

class WindowFrame;

// The status bar's second panel says which time zone the time texts are
// in; the View menu's entries show the choice (the examined machine's zone
// only when what is open names one).
void ShowTimeZone(WindowFrame& form);

// Shows the time texts in another zone, keeps the choice for the next start,
// and has every table make its texts again from the times it holds: no
// evidence is read again.
void SwitchTimeZone(WindowFrame& form, DisplayZone zone);

// After a machine was opened: its zone when its hives name one and the
// saved choice is not UTC or local time.
void UseMachineTimeZone(WindowFrame& form);

// Restores the saved choice at start (a --utc or --time-zone given on the
// command line stays).
void RestoreTimeZoneChoice();

} // namespace vc
