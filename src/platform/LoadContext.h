#pragma once

namespace vc {

class Progress;
class RecallConditionSet;
class Reporter;

// What every loader is given besides its input: the row filter (the recall
// conditions; nullptr or an empty set keeps every row), the progress bar of
// the current source (nullptr for none) with the share of it the loader may
// use, and where failures are reported. Nothing a loader needs is read from a
// global.
struct LoadContext {
    const RecallConditionSet* filter = nullptr;
    Progress* progress = nullptr;
    int share = 100;
    Reporter* report = nullptr;
};

} // namespace vc
