#pragma once

#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "recall/RecallSections.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace vc {

class Machine;
class Progress;
class RecallConditionSet;
class TableModel;
class WorkFile;

// The texts a section leaves around its table.
using RecallLabel = SourceLabel;

// Where a recall puts what it gathers: the tables of the sections, the two progress
// bars and the labels, in the form this kind of target has them. The
// loaders fill the tables; the target only shows. The main window is one
// target; the command line and the tests use HeadlessRecallTarget.
class RecallTarget {
public:
    virtual ~RecallTarget() = default;

    virtual TableModel& table(int section) = 0;
    // The bar of the current source and the bar of the whole run; either
    // may be nullptr.
    virtual Progress* progress() = 0;
    virtual Progress* overall() = 0;
    // Where the loaders report what fails.
    virtual Reporter& reporter() = 0;
    // Brings the section's tab to the front and gives its caption: the
    // outer and the section tab's captions joined by ": ".
    virtual QString openSection(int section) = 0;
    virtual void setLabelText(int section, RecallLabel label, const QString& text) = 0;
    virtual void setLabelHint(int section, RecallLabel label, const QString& hint) = 0;
    // Empties the detail pane under a table.
    virtual void clearPane(int section) = 0;
    // Around every fill of a section's table (the window stops filling the
    // pane from the selection meanwhile).
    virtual void beginFill(int section) = 0;
    virtual void endFill(int section) = 0;
    // Selects the first row (which fills the pane) once a fill has ended.
    virtual void selectFirstRow(int section) = 0;
    // true: cache index files are scanned block by block; false: their hash
    // tables are followed.
    virtual bool linearScan() const = 0;
    // "Full history": every index file of the history tree, not just the first.
    virtual bool fullHistory() const = 0;
};

// What a recall gathers and how fast the overall bar moves.
struct RecallPlan {
    std::array<bool, kRecallSectionCount> sections{};
    int share = 10;
    // Shown on the condition label of every gathered section.
    QString description;
    bool whole = true; // the whole recall (no conditions)
    // The conditions every loader applies; nullptr keeps every row.
    const RecallConditionSet* conditions = nullptr;
};

// The whole recall: every section, share 100 ÷ sections − 6, no description.
RecallPlan wholeRecallPlan();
// The recall with conditions: the checked sections, share 100 ÷ n − 6,
// the conditions' description on the labels. With nothing checked the plan
// gathers nothing.
RecallPlan conditionalRecallPlan(const std::array<bool, kRecallSectionCount>& checked,
                                 const RecallConditionSet& conditions);

// One run over the sections of a plan, section after section, into a target:
// each source of the catalogue is read for every user of the machine (or
// once, for the whole machine), every row ending with its user's name.
// Every loader asks the plan's conditions about each record, so a run with
// conditions keeps only the records that pass. The summary grows as the run
// goes and stays readable when a step throws. A recent-documents list that
// cannot be read stops the run after its report; the sections gathered
// before keep their rows. Without a machine (nullptr) the sources read
// what this computer has (its temporary folder).
class RecallRun {
public:
    RecallRun(RecallTarget& target, WorkFile& workFile, const Machine* machine = nullptr);

    void run(const RecallPlan& plan);
    const QString& summary() const { return m_summary; }
    // The run ended before its last section.
    bool stopped() const { return m_stopped; }
    // Sections that ran to their end, in order.
    const QList<int>& gathered() const { return m_gathered; }

private:
    // False when the section stopped early (no closing steps).
    bool gatherSection(int section);

    // The context of one load: the plan's conditions, the target's bar and
    // reporter; inputRead moves the overall bar.
    LoadContext context();
    void advanceOverall();
    void setProgress(int position);
    QString countText(int text, int section);

    RecallTarget& m_target;
    // The loaders' reports: errors and warnings go to the target's
    // reporter; the warnings of the current section are kept for its count
    // label too.
    KeepingWarnings m_report;
    WorkFile& m_workFile;
    const Machine* m_machine;
    RecallPlan m_plan;
    QString m_summary;
    QList<int> m_gathered;
    bool m_stopped = false;
    // The last section gathered ended its summary line.
    bool m_lineEnded = true;
};

} // namespace vc
