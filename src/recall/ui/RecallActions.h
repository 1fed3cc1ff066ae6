#pragma once

#include "app/WindowLayer.h"

namespace vc {

class TForm1;

// "Vellacord": every section gathered in one run.
void RunWholeRecall(TForm1& form);
// "Recall with Conditions": the conditions window, then the chosen sections
// with only the rows that pass its conditions.
void RunRecallWithConditions(TForm1& form);

} // namespace vc
