#pragma once

#include "platform/Progress.h"
#include "recall/RecallRun.h"
#include "tables/TableModel.h"

#include <QMap>

#include <memory>

namespace vc {

// A recall target without windows: six tables of the main window's layout,
// two counting bars, and the labels kept as texts. The command line and
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
    bool linearScan() const override { return m_linearScan; }
    bool fullHistory() const override { return m_fullHistory; }
    void fillActivityTable(const QString& workFileName, const QString& indexFile, int share,
                           double version) override;
    void fillHistoryTable(const QString& workFileName, int share) override;
    void fillCookieTableFromFiles(const QString& workFileName, int share) override;
    void fillCookieTableFromIndex(const QString& workFileName, int share) override;
    void linesToLinksTable(QList<QByteArray>& lines, int share) override;
    void linesToTable(int section, QList<QByteArray>& lines, int share) override;

    void setLinearScan(bool on) { m_linearScan = on; }
    void setFullHistory(bool on) { m_fullHistory = on; }
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
    bool m_linearScan = true;
    bool m_fullHistory = false;
};

} // namespace vc
