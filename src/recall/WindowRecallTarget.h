#pragma once

#include "recall/RecallRun.h"

class QWidget;

namespace vc {

class TForm1;

// The main window as the place a recall fills: its six table tabs, its two
// progress bars, its labels and panes, and its own table fills.
class WindowRecallTarget : public RecallTarget {
public:
    explicit WindowRecallTarget(TForm1& form) : m_form(form) {}

    TableModel& table(int section) override;
    Progress* progress() override;
    Progress* overall() override;
    QString openSection(int section) override;
    void setLabelText(int section, RecallLabel label, const QString& text) override;
    void setLabelHint(int section, RecallLabel label, const QString& hint) override;
    void clearPane(int section) override;
    void selectFirstRow(int section) override;
    bool linearScan() const override;
    bool fullHistory() const override;
    void fillActivityTable(const QString& workFileName, const QString& indexFile, int share,
                           double version) override;
    void fillHistoryTable(const QString& workFileName, int share) override;
    void fillCookieTableFromFiles(const QString& workFileName, int share) override;
    void fillCookieTableFromIndex(const QString& workFileName, int share) override;
    void linesToLinksTable(QList<QByteArray>& lines, int share) override;
    void linesToTable(int section, QList<QByteArray>& lines, int share) override;

private:
    QWidget* labelOf(int section, RecallLabel label) const;

    TForm1& m_form;
};

} // namespace vc
