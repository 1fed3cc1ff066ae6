#pragma once

#include "app/WindowLayer.h"

#include "app/BusyCursor.h"
#include "app/WindowFrame.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"

#include <functional>

namespace vc {

// The frame every load of one table tab runs in. While it lives: the tab is
// in front, the last search forgotten, the hourglass cursor and the progress
// bar shown, the detail pane empty and the pane-filling selection handler
// detached. At its end, on every way out: the handler back, the bar removed
// and the tab bookkeeping done. finish() writes the count label and selects
// the first row of a load that ran to its end.
class TabLoad {
public:
    TabLoad(WindowFrame& form, TabId id);
    ~TabLoad();
    TabLoad(const TabLoad&) = delete;
    TabLoad& operator=(const TabLoad&) = delete;

    // What the loader is given: no filter, the bar with the whole share, the
    // window's reporter for errors; warnings are kept for the count label.
    LoadContext context();
    // The count label ("Records: n", or text countText, followed by the
    // load's warnings) and the first row selected.
    void finish(int countText);

private:
    WindowFrame& m_form;
    TabId m_id;
    BusyCursor m_busy;
    KeepingWarnings m_report;
};

} // namespace vc
