#pragma once

// A recall of chosen sections of a profile folder without a window, each
// cache index read by its hash walk, as `recall --hash-walk --sections`
// runs it. The profile is the current one only while the recall runs.
#include "platform/Profile.h"
#include "platform/Reporter.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallRun.h"

#include <QString>

#include <initializer_list>
#include <optional>

namespace vc::testing {

struct HeadlessRecall {
    // False (with the profile's message) when the folder does not open.
    bool runSections(const QString& folder, std::initializer_list<int> sections, QString* message) {
        if (!profile.open(folder, message))
            return false;
        setCurrentProfile(&profile);
        // The run takes the target's reporter when it is made.
        target.setReporter(&report);
        target.setLinearScan(false);
        run.emplace(target, workFile);
        RecallPlan plan = wholeRecallPlan();
        plan.sections.fill(false);
        for (int section : sections)
            plan.sections[section] = true;
        run->run(plan);
        setCurrentProfile(nullptr);
        return true;
    }

    Profile profile;
    HeadlessRecallTarget target;
    CollectingReporter report;
    WorkFile workFile;
    std::optional<RecallRun> run;
};

} // namespace vc::testing
