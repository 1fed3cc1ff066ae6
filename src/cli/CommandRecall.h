#pragma once

#include "cli/CommandHelpers.h"
#include "cli/CommandLine.h"
#include "cli/RecallOptions.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallConditions.h"
#include "recall/RecallRun.h"

#include <memory>

namespace vc {

// The recall a sub-command runs (recall, timeline): the options' sections
// and conditions over the evidence they name, into tables without windows,
// the index files walked as --hash-walk and the history read as --full say.
class CommandRecall {
public:
    // Reads the sections and conditions and opens the evidence: kExitOk, or
    // the exit status after the problem is named on standard error (a usage
    // error with the usage).
    int open(const CliOptions& options);
    const CommandEvidence& evidence() const { return m_evidence; }

    // Runs the recall (after open); the exit status so far: kExitInput when
    // it ended before its last section, else kExitOk.
    int run();

    // Sections that ran to their end, in order, and the table of each.
    const QList<int>& gathered() const { return m_run->gathered(); }
    TableModel& table(int section) { return m_target->table(section); }
    const QString& summary() const { return m_run->summary(); }

private:
    RecallOptions m_recall;
    CommandEvidence m_evidence;
    bool m_hashWalk = false;
    bool m_fullHistory = false;
    // Made when the recall runs (the work file is a folder of its own).
    RecallConditionSet m_conditions;
    std::unique_ptr<HeadlessRecallTarget> m_target;
    std::unique_ptr<WorkFile> m_workFile;
    std::unique_ptr<RecallRun> m_run;
};

} // namespace vc
