#pragma once

#include "app/WindowLayer.h"

#include "platform/Reporter.h"
#include "recall/RecallRun.h"

namespace vc {

class WindowFrame;

// The main window as the place a recall fills: its table tabs, its two
// progress bars, its labels and panes, and its message boxes for reports.
class WindowRecallTarget : public RecallTarget {
public:
    explicit WindowRecallTarget(WindowFrame& form);

    TableModel& table(int section) override;
    Progress* progress() override;
    Progress* overall() override;
    Reporter& reporter() override;
    QString openSection(int section) override;
    void setLabelText(int section, RecallLabel label, const QString& text) override;
    void setLabelHint(int section, RecallLabel label, const QString& hint) override;
    void clearPane(int section) override;
    void beginFill(int section) override;
    void endFill(int section) override;
    void selectFirstRow(int section) override;
    bool linearScan() const override;
    bool fullHistory() const override;

private:
    WindowFrame& m_form;
    // Errors go to the window's message boxes; warnings are shown on the
    // count labels by the recall, not in boxes.
    KeepingWarnings m_report;
};

} // namespace vc
