#pragma once

#include <functional>

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
    // Called each time one input (an index file, a folder) has been read and
    // before its rows go into the table; the recall moves its overall bar
    // there. May be empty.
    std::function<void()> inputRead = {};

    void noteInputRead() const {
        if (inputRead)
            inputRead();
    }
};

} // namespace vc
