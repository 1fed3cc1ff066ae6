#pragma once

#include "app/WindowLayer.h"

#include <QRect>
#include <QString>

namespace vc {

class TForm1;

// What the window remembers between runs, in the program's own settings
// (organisation "Ostravane", application "Vellacord"): its size and place,
// the column widths the user gave each table, the last profile opened, the
// folder of the last export and that of the last copy or move. Nothing of the evidence is kept.

// Puts back the window's size and place (inside the screen it was on, or
// the primary one) and the tables' column widths. Call once after building
// the window, before it is shown.
void restoreWindowSettings(TForm1& form);
// Keeps the window's size and place and the widths of every table whose
// columns the user sized (the others are laid out afresh next time).
void saveWindowSettings(const TForm1& form);

// A place for a window of that geometry that lies inside the available
// area: no larger than it, moved in where it stuck out.
QRect clampedToArea(const QRect& geometry, const QRect& available);

// The last profile folder opened; empty when none was.
QString lastProfileFolder();
void rememberProfileFolder(const QString& folder);
// The last disk image opened; empty when none was.
QString lastImageFile();
void rememberImageFile(const QString& path);
// The folder the last export went to; empty when none was.
QString lastExportFolder();
void rememberExportFolder(const QString& folder);
// The folder the last "Copy to" or "Move to" put a file into; empty when
// none did.
QString lastTransferFolder();
void rememberTransferFolder(const QString& folder);

} // namespace vc
