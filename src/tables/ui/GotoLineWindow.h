#pragma once

#include "app/WindowLayer.h"

#include "tables/ui/DialogControls.h"
#include "tables/ui/ModalWindow.h"

#include <QLabel>
#include <QPushButton>

#include <functional>

namespace vc {

// The go-to-line window: a 1-based row number with a history of the numbers
// entered before. The number box takes only digits and backspace; any other
// key is dropped with a beep.
class TGotoLine1 : public ModalWindow {
    Q_OBJECT

public:
    explicit TGotoLine1(QWidget* parent = nullptr);

    Q_INVOKABLE void applyInterfaceTexts();
    // Puts a number at the top of the history unless it is there already.
    void rememberNumber(const QString& text) { GotoComboBox->remember(text); }
    QStringList history() const { return GotoComboBox->history(); }

    // The beep of a refused key (the system's default beep).
    std::function<void()> beep;

    QLabel* Label1 = nullptr;
    HistoryComboBox* GotoComboBox = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel

protected:
    void prepareForInput() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vc
