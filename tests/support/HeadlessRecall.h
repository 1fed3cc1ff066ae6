#pragma once

// A recall of chosen sections of a profile folder without a window, each
// cache index read by its hash walk, as `recall --hash-walk --sections`
// runs it.
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "platform/Reporter.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallRun.h"

#include <QString>

#include <initializer_list>
#include <memory>
#include <optional>

namespace vc::testing {

struct HeadlessRecall {
    // False (with the profile's message) when the folder does not open.
    bool runSections(const QString& folder, std::initializer_list<int> sections, QString* message) {
        machine = Machine::openProfile(folder, message);
        if (!machine)
            return false;
        // The run takes the target's reporter when it is made.
        target.setReporter(&report);
        target.setLinearScan(false);
        run.emplace(target, workFile, machine.get());
        RecallPlan plan = wholeRecallPlan();
        plan.sections.fill(false);
        for (int section : sections)
            plan.sections[section] = true;
        run->run(plan);
        return true;
    }

    std::unique_ptr<Machine> machine;
    HeadlessRecallTarget target;
    CollectingReporter report;
    WorkFile workFile;
    std::optional<RecallRun> run;
};

} // namespace vc::testing
