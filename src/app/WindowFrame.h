#pragma once

#include "app/WindowLayer.h"

#include "app/OpenEvidence.h"
#include "app/WindowServices.h"
#include "app/WindowTabs.h"

#include <QString>

namespace vc {

struct ActivityState;
struct RecallState;
struct SearchState;
struct SortSettings;
struct WindowActions;
class TimelineView;
class TZoom_in;

// The main window as the features' commands, panes and file actions reach
// it: its table tabs, its services, what is open, and the few things of its
// own a feature reads or keeps (the Internet Explorer tabs' panels, the
// actions, each feature's state). The main window (TForm1) implements it;
// a feature's ui/ code includes this header, not the window's.
class WindowFrame : public WindowTabs, public WindowServices, public OpenEvidence {
public:
    // ---- the Internet Explorer tabs -------------------------------------
    // "Full history" of the Activity tab (block scan) and of the History tab
    // (every index file of the tree).
    virtual bool fullHistoryChecked() const = 0;
    virtual bool allHistoryFilesChecked() const = 0;
    // The Activity table's index file and its format version, shown on the
    // index file panel.
    virtual const QString& activityIndexFile() const = 0;
    virtual void setActivityIndexFile(const QString& path) = 0;
    virtual void setActivityIndexCaption(const QString& caption) = 0;
    // The folders the History and Cookie tables were read from.
    virtual void setHistoryFolder(const QString& folder) = 0;
    virtual const QString& cookieFolder() const = 0;
    virtual void setCookieFolder(const QString& folder) = 0;
    // The Cookie tab's label of how many cookie files were read.
    virtual void setCookieFilesText(const QString& text) = 0;

    // ---- the file actions ----------------------------------------------
    // The file behind the focused row of the table in front; empty when no
    // table is in front or it has no focused row.
    virtual QString currentFileName() = 0;

    // ---- the window's parts and the features' state ---------------------
    virtual WindowActions& actions() = 0;
    // The Timeline tab's events, histogram and actions.
    virtual TimelineView* timelineView() const = 0;
    // The zoom window of the preview pictures.
    virtual TZoom_in* zoomWindow() = 0;
    virtual ActivityState& activity() = 0;
    virtual SearchState& search() = 0;
    virtual SortSettings& sorting() = 0;
    virtual RecallState& recall() = 0;
};

} // namespace vc
