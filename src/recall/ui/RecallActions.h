#pragma once

#include "app/WindowLayer.h"

#include "app/MainWindow.h"

namespace vc {

class TForm1;

// A source's tab filled from what is open, every user into one table: one
// section of a recall without conditions, with no summary shown.
void LoadSourceTab(TForm1& form, TabId id);

// "Vellacord": every section gathered in one run.
void RunWholeRecall(TForm1& form);
// The whole recall of what was just opened (at start-up, or by the File
// menu), after which the window shows the first table, Activity, rather
// than the last one read.
void RunOpeningRecall(TForm1& form);
// "Recall with Conditions": the conditions window, then the chosen sections
// with only the rows that pass its conditions.
void RunRecallWithConditions(TForm1& form);

} // namespace vc
