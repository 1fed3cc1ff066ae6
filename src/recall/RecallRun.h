#pragma once

#include "recall/RecallSections.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <stdexcept>

namespace vc {

class Progress;
class TableModel;
class WorkFile;

// The texts a section leaves around its table.
enum class RecallLabel {
    Count,     // "Records: n" (Label1, ieH_Label, ...)
    Condition, // the conditions of the run (SearchCondLabel1..6)
    Files,     // the Cookie tab's "Cookie Files: n"
    Directory, // the folder read (History and Cookie tabs)
    IndexFile, // the Activity tab's index file panel
};

// Where a recall puts what it gathers: the six tables, the two progress
// bars, the labels and the table fills of the loaders in the form this kind
// of target has them. The main window is one target; the command line and
// the tests use HeadlessRecallTarget.
class RecallTarget {
public:
    virtual ~RecallTarget() = default;

    virtual TableModel& table(int section) = 0;
    // The bar of the current source and the bar of the whole run; either
    // may be nullptr.
    virtual Progress* progress() = 0;
    virtual Progress* overall() = 0;
    // Brings the section's tab to the front and gives its caption: the
    // outer and the section tab's captions joined by ": ".
    virtual QString openSection(int section) = 0;
    virtual void setLabelText(int section, RecallLabel label, const QString& text) = 0;
    virtual void setLabelHint(int section, RecallLabel label, const QString& hint) = 0;
    // Empties the detail pane under a table.
    virtual void clearPane(int section) = 0;
    // Selects the first row (which fills the pane) once a fill has ended.
    virtual void selectFirstRow(int section) = 0;
    // true: cache index files are scanned block by block; false: their hash
    // tables are followed.
    virtual bool linearScan() const = 0;
    // "Full history": every index file of the history tree, not just the first.
    virtual bool fullHistory() const = 0;

    // The loaders' table fills. The History and index Cookie fills append
    // (inside a bulk update the run holds); the others replace the rows.
    virtual void fillActivityTable(const QString& workFileName, const QString& indexFile, int share,
                                   double version) = 0;
    virtual void fillHistoryTable(const QString& workFileName, int share) = 0;
    virtual void fillCookieTableFromFiles(const QString& workFileName, int share) = 0;
    virtual void fillCookieTableFromIndex(const QString& workFileName, int share) = 0;
    // Row lines into the Links table (sets its count label) or into the
    // recent-documents or temporary-files table; lines is emptied.
    virtual void linesToLinksTable(QList<QByteArray>& lines, int share) = 0;
    virtual void linesToTable(int section, QList<QByteArray>& lines, int share) = 0;
};

// What a recall gathers and how fast the overall bar moves.
struct RecallPlan {
    std::array<bool, kRecallSectionCount> sections{};
    int share = 10;
    // Shown on the condition label of every gathered section.
    QString description;
    bool whole = true; // the whole recall (no conditions)
};

// The whole recall: all six sections, share 10, no description.
RecallPlan wholeRecallPlan();
// The recall with conditions: the checked sections, share 100 ÷ n − 6.
// With nothing checked the plan gathers nothing.
RecallPlan conditionalRecallPlan(const std::array<bool, kRecallSectionCount>& checked,
                                 const QString& description);

// A step that cannot go on ends the run; its message says what failed.
class RecallStopped : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One run over the sections of a plan, section after section, into a target.
// Every loader asks the recall conditions about each record, so a run with
// conditions keeps only the records that pass. The summary grows as the run
// goes and stays readable when a step throws.
class RecallRun {
public:
    RecallRun(RecallTarget& target, WorkFile& workFile);

    void run(const RecallPlan& plan);
    const QString& summary() const { return m_summary; }
    // Sections that ran to their end, in order.
    const QList<int>& gathered() const { return m_gathered; }

private:
    // Each returns false when it stopped early (no closing steps).
    bool activitySection();
    bool historySection();
    bool cookieSection();
    bool linksSection();
    bool recentSection();
    bool temporarySection();

    bool openWorkFile();
    // Text 149 and the work file's path.
    void reportWorkFileError();
    void advanceOverall();
    void setProgress(int position);
    void closeSection(int section);
    QString countText(int text, int section);

    RecallTarget& m_target;
    WorkFile& m_workFile;
    RecallPlan m_plan;
    QString m_summary;
    QList<int> m_gathered;
    QList<QByteArray> m_lines; // the staging list of row lines
};

} // namespace vc
