#include "cli/CommandRecall.h"

namespace vc {

int CommandRecall::open(const CliOptions& options) {
    QString error;
    if (!parseRecallOptions(options, m_recall, &error))
        return usageError(error);
    if (!m_evidence.open(options))
        return kExitInput;
    m_hashWalk = options.hashWalk;
    m_fullHistory = options.full;
    return kExitOk;
}

int CommandRecall::run() {
    const RecallPlan plan = recallPlanOf(m_recall, m_conditions);
    m_target = std::make_unique<HeadlessRecallTarget>();
    m_target->setLinearScan(!m_hashWalk);
    m_target->setFullHistory(m_fullHistory);
    m_workFile = std::make_unique<WorkFile>();
    m_run = std::make_unique<RecallRun>(*m_target, *m_workFile, m_evidence.machine());
    m_run->run(plan);
    return m_run->stopped() ? kExitInput : kExitOk;
}

} // namespace vc
