#pragma once

#include "platform/Progress.h"
#include "platform/Reporter.h"
#include "recall/RecallRun.h"
#include "tables/TableModel.h"

#include <QMap>

#include <memory>

namespace vc {

// A recall target without windows: the tables of the main window's layout,
// two counting bars, and the labels kept as texts; failures go to standard
// error or to the reporter given. The command line and
// the tests run the recall into it.
class HeadlessRecallTarget : public RecallTarget {
public:
    HeadlessRecallTarget();
    ~HeadlessRecallTarget() override;

    TableModel& table(int section) override;
    Progress* progress() override { return &m_progress; }
    Progress* overall() override { return &m_overall; }
    QString openSection(int section) override;
    void setLabelText(int section, RecallLabel label, const QString& text) override;
    void setLabelHint(int section, RecallLabel label, const QString& hint) override;
    void clearPane(int) override {}
    void selectFirstRow(int) override {}
    void beginFill(int) override {}
    void endFill(int) override {}
    bool linearScan() const override { return m_linearScan; }
    bool fullHistory() const override { return m_fullHistory; }
    Reporter& reporter() override { return *m_reporter; }

    void setLinearScan(bool on) { m_linearScan = on; }
    void setFullHistory(bool on) { m_fullHistory = on; }
    // Where failures go: standard error unless another reporter is given.
    void setReporter(Reporter* reporter) { m_reporter = reporter ? reporter : &m_stderr; }
    QString labelText(int section, RecallLabel label) const;
    QString labelHint(int section, RecallLabel label) const;
    const CountingProgress& overallBar() const { return m_overall; }
    // The sections opened so far, in order.
    const QList<int>& opened() const { return m_opened; }

private:
    std::unique_ptr<TableModel> m_tables[kRecallSectionCount];
    CountingProgress m_progress;
    CountingProgress m_overall;
    QMap<QPair<int, int>, QString> m_texts;
    QMap<QPair<int, int>, QString> m_hints;
    QList<int> m_opened;
    StderrReporter m_stderr;
    Reporter* m_reporter = &m_stderr;
    bool m_linearScan = true;
    bool m_fullHistory = false;
};

} // namespace vc
