#pragma once

#include "app/WindowLayer.h"

#include "app/WindowFrame.h"

namespace vc {

class WindowFrame;

// A source's tab filled from what is open, every user into one table: one
// section of a recall without conditions, with no summary shown.
void LoadSourceTab(WindowFrame& form, TabId id);

// "Vellacord": every section gathered in one run.
void RunWholeRecall(WindowFrame& form);
// The whole recall of what was just opened (at start-up, or by the File
// menu), after which the window shows the first table, Activity, rather
// than the last one read.
void RunOpeningRecall(WindowFrame& form);
// "Recall with Conditions": the conditions window, then the chosen sections
// with only the rows that pass its conditions.
void RunRecallWithConditions(WindowFrame& form);

} // namespace vc
