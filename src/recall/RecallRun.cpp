#include "recall/RecallRun.h"

#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "language/InterfaceTexts.h"
#include "platform/Progress.h"
#include "platform/WorkFile.h"
#include "recall/RecallConditions.h"
#include "tables/RowFilter.h"
#include "tables/TableModel.h"

#include <QFileInfo>

#include <algorithm>

namespace vc {

namespace {

// A section's fill between beginFill and endFill, also when a step throws.
class FillScope {
public:
    FillScope(RecallTarget& target, int section) : m_target(target), m_section(section) {
        m_target.beginFill(m_section);
    }
    ~FillScope() { m_target.endFill(m_section); }
    FillScope(const FillScope&) = delete;
    FillScope& operator=(const FillScope&) = delete;

private:
    RecallTarget& m_target;
    int m_section;
};

} // namespace

namespace {

// The overall bar's step per section: 100 ÷ sections − 6, the room the
// program's nine sections always left for their own steps; at least one,
// so that a recall of many sections still shows each one's end.
int shareOfSections(int sections) {
    return sections > 0 ? std::max(1, 100 / sections - 6) : 0;
}

} // namespace

RecallPlan wholeRecallPlan() {
    RecallPlan plan;
    plan.sections.fill(true);
    plan.share = shareOfSections(kRecallSectionCount);
    plan.whole = true;
    return plan;
}

RecallPlan conditionalRecallPlan(const std::array<bool, kRecallSectionCount>& checked,
                                 const RecallConditionSet& conditions) {
    RecallPlan plan;
    plan.sections = checked;
    plan.whole = false;
    plan.description = DescribeRecallConditions(conditions);
    plan.conditions = &conditions;
    const int n = int(std::count(checked.begin(), checked.end(), true));
    plan.share = shareOfSections(n);
    return plan;
}

RecallRun::RecallRun(RecallTarget& target, WorkFile& workFile, const Machine* machine)
    : m_target(target), m_report(&target.reporter(), true), m_workFile(workFile),
      m_machine(machine) {}

void RecallRun::run(const RecallPlan& plan) {
    m_plan = plan;
    m_summary.clear();
    m_gathered.clear();
    m_stopped = false;
    m_lineEnded = true;
    for (int section = 0; section < kRecallSectionCount && !m_stopped; ++section) {
        if (!plan.sections[size_t(section)])
            continue;
        // A section whose summary line stayed open (the temporary files,
        // the browser sections) ends it when another follows.
        if (!m_lineEnded)
            m_summary += QLatin1Char('\n');
        m_summary += m_target.openSection(section) + QStringLiteral(". ");
        m_report.warnings.clear();
        if (section != 0)
            setProgress(0);
        if (!gatherSection(section))
            continue;
        m_gathered.append(section);
    }
    // A run that went through its sections ends with the overall bar full,
    // however many steps its sections took.
    if (Progress* bar = m_target.overall(); bar && !m_stopped && !m_gathered.isEmpty())
        bar->setPosition(100);
}

LoadContext RecallRun::context() {
    LoadContext context;
    context.filter = m_plan.conditions;
    context.progress = m_target.progress();
    context.share = 100;
    context.report = &m_report;
    context.inputRead = [this] { advanceOverall(); };
    return context;
}

void RecallRun::advanceOverall() {
    // A bar shows values up to its maximum only; beyond that it stays full.
    if (Progress* bar = m_target.overall())
        bar->setPosition(std::min(100, bar->position() + m_plan.share));
}

void RecallRun::setProgress(int position) {
    if (Progress* bar = m_target.progress())
        bar->setPosition(position);
}

QString RecallRun::countText(int text, int section) {
    const QString count =
        labelWithWarnings(tx(text) + QStringLiteral(": ") + shownRowCount(m_target.table(section)),
                          m_report.warnings);
    m_target.setLabelText(section, RecallLabel::Count, count);
    return count;
}

bool RecallRun::gatherSection(int section) {
    const SourceSpec& decl = sourceAt(section);
    TableModel& table = m_target.table(section);
    m_target.clearPane(section);

    // Every user of the machine in turn (or the machine once), then its
    // snapshots, into one table.
    QList<SourceOutcome> outcomes;
    bool found = false;
    MachineLoad load;
    {
        FillScope fill(m_target, section);
        fitSourceTable(table, decl, m_machine);
        SourceInput input;
        input.machine = m_machine;
        input.workFile = &m_workFile;
        input.linearScan = m_target.linearScan();
        input.fullHistory = m_target.fullHistory();
        load = loadFromMachine(decl, input, context(), table);
        if (load.stopRun)
            m_stopped = true;
        if (!load.loaded)
            return false;
        found = load.found;
        outcomes = load.outcomes;
    }

    // The texts around the table: each label the loads left, the users'
    // texts joined.
    int fileCount = 0;
    for (const SourceLabel label : {RecallLabel::IndexFile, RecallLabel::Directory}) {
        QStringList texts;
        QStringList hints;
        for (const SourceOutcome& outcome : outcomes)
            for (const SourceOutcome::Label& l : outcome.labels)
                if (l.label == label) {
                    texts << l.text;
                    hints << l.hint;
                }
        if (texts.isEmpty() && !(label == RecallLabel::IndexFile && decl.notFoundText >= 0))
            continue;
        m_target.setLabelText(section, label, texts.join(QStringLiteral("; ")));
        if (label == RecallLabel::IndexFile)
            m_target.setLabelHint(section, label, hints.join(QStringLiteral("; ")));
    }
    for (const SourceOutcome& outcome : outcomes)
        fileCount += outcome.fileCount;

    if (!found && decl.notFoundText >= 0) {
        // Nothing to read for any user: the table is emptied and the
        // summary says what is missing.
        m_target.setLabelText(section, RecallLabel::Count, QString());
        {
            BulkUpdate bulk(table);
            table.removeAllRows();
        }
        table.clearHeaderImages();
        table.setHint(QString());
        m_summary += tx(decl.notFoundText);
    } else {
        m_target.selectFirstRow(section);
        m_summary += countText(decl.countText, section);
        if (decl.filesText >= 0) {
            const QString files =
                tx(decl.filesText) + QStringLiteral(": ") + QString::number(fileCount);
            m_target.setLabelText(section, RecallLabel::Files, files);
            m_summary += QStringLiteral(". ") + files;
        }
        const QStringList added = snapshotSummary(m_machine, load);
        if (!added.isEmpty())
            m_summary += QStringLiteral(". ") + added.join(QStringLiteral(". "));
    }
    m_target.setLabelText(section, RecallLabel::Condition, m_plan.description);
    m_target.setLabelHint(section, RecallLabel::Condition, m_plan.description);
    if (decl.stepsOverallAtEnd)
        advanceOverall();
    m_lineEnded = decl.endsSummaryLine;
    if (decl.endsSummaryLine)
        m_summary += QLatin1Char('\n');
    return true;
}

} // namespace vc
