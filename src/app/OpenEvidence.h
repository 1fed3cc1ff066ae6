#pragma once

#include "app/WindowLayer.h"

#include "app/WindowTabs.h"

#include <QString>

namespace vc {

class Machine;
class UserProfile;

// What the main window has open: the machine and its users, as the
// features' commands, panes and file actions need them.
class OpenEvidence {
public:
    virtual ~OpenEvidence() = default;

    // What is open; nullptr before anything was.
    virtual const Machine* machine() const = 0;
    // The first user of what is open (the folder choosers start in its
    // folders); nullptr when none.
    virtual const UserProfile* firstUser() const = 0;
    // The user whose row that is (by its "User" cell); the first user when
    // the cell names none.
    virtual const UserProfile* userOfRow(TabId id, int row) const = 0;
    // True when the path lies inside what is open (a profile or volume).
    virtual bool insideEvidence(const QString& path) const = 0;
    // With nothing open: asks what to read (a profile, a volume, a disk
    // image or this computer) and opens it without reading it. False when
    // the user cancels or it cannot be opened.
    virtual bool askWhatToOpen() = 0;
};

} // namespace vc
