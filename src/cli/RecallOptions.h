#pragma once

#include "cli/CommandLine.h"
#include "recall/RecallConditions.h"
#include "recall/RecallRun.h"

#include <array>

namespace vc {

// The recall's sections and conditions as the command line gives them
// (--sections, --date-from, --date-to, --outside, --contains,
// --not-contains, --or): what the recall and the timeline read.
struct RecallOptions {
    std::array<bool, kRecallSectionCount> sections{};
    RecallChoice choice;
    // Sections or conditions were given (else it is the whole recall).
    bool conditional = false;
};

// False with *error set on a usage error (the message without the usage).
bool parseRecallOptions(const CliOptions& options, RecallOptions& out, QString* error);
// The plan of the run; conditions receives the conditions it refers to.
RecallPlan recallPlanOf(const RecallOptions& options, RecallConditionSet& conditions);

} // namespace vc
