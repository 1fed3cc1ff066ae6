#pragma once

#include "app/WindowLayer.h"

#include "recall/RecallConditions.h"

namespace vc {

class TOptRecall1;

// What "Recall with Conditions" keeps: its conditions (filled by the
// conditions window's OK, emptied when that recall ends) and that window,
// kept for the whole run.
struct RecallState {
    RecallConditionSet RecallConditions;
    TOptRecall1* OptRecall1 = nullptr;
};

} // namespace vc
