#pragma once

#include "app/WindowLayer.h"

#include "platform/Choosers.h"
#include "platform/Progress.h"
#include "platform/Reporter.h"
#include "platform/WorkFile.h"

#include <QLabel>
#include <QString>

namespace vc {

// The program's own facts the window keeps: where it lies, its addresses
// and version.
struct ProgramFacts {
    QString ExeDir; // folder of the executable, with a trailing "/"
    QString MakerWebAddress;
    QString SupportAddress;
    QString VersionText;
    QString DateTimeFormat;
};

// What the main window lends a feature's command while it runs: the
// window as parent of its dialogs, the choosers, the reporter, the two
// progress bars, the status bar and the private work file.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // The main window itself: the parent of dialogs and message boxes.
    virtual QWidget* frameWidget() = 0;
    // The file and folder choosers (replaceable by tests).
    virtual Chooser* chooser() const = 0;
    // Reports of the loaders, shown as message boxes as they come.
    virtual Reporter& reporter() = 0;
    // The progress bars laid over the status bar's two panels.
    virtual void CreateProgressBar(bool smooth, int minimum, int maximum) = 0;
    virtual void CreateSecondProgressBar(bool smooth, int minimum, int maximum) = 0;
    virtual void DestroyProgressBar() = 0;
    virtual void DestroySecondProgressBar() = 0;
    // The progress bars as the loaders see them; nullptr when there is none.
    virtual Progress* progress() = 0;
    virtual Progress* secondProgress() = 0;
    // The status bar's panels (0: the wide one on the left, 1: the zone).
    virtual QLabel* statusPanel(int index) = 0;
    // A passing message in the status bar, shown for timeoutMs.
    virtual void showStatusMessage(const QString& text, int timeoutMs) = 0;
    // The private work file the index readers write their records into.
    virtual WorkFile& workFile() = 0;
    virtual const ProgramFacts& program() const = 0;
    // Opens a file or address with its associated program.
    virtual void OpenTarget(const QString& path) = 0;
};

} // namespace vc
