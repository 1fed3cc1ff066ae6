#pragma once

#include "app/WindowLayer.h"

#include "tables/ui/DialogControls.h"
#include "tables/ui/ModalWindow.h"
#include "tables/ui/RadioGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <vector>

namespace vc {

// The find window: the text to find with its history, the columns to look
// in, direction, origin and case. It lives for the whole run, so its
// settings carry over to the next find and to Search Again.
class TSearch1 : public ModalWindow {
    Q_OBJECT

public:
    explicit TSearch1(QWidget* parent = nullptr);

    // Captions from the interface texts.
    Q_INVOKABLE void applyInterfaceTexts();

    // One checked item per column caption.
    void fillColumns(const QStringList& captions);
    // Which columns are checked, by column number.
    std::vector<bool> checkedColumns() const;
    int checkedColumnCount() const;
    // Puts a text at the top of the history unless it is there already.
    void rememberText(const QString& text) { FindComboBox->remember(text); }
    QStringList history() const { return FindComboBox->history(); }

    enum Direction { Forward = 0, Backward = 1 };
    enum Origin { FromCursor = 0, EntireScope = 1 };

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QLabel* toFindLabel = nullptr;
    HistoryComboBox* FindComboBox = nullptr;
    QLabel* Panel4 = nullptr;
    QListWidget* ColumnsCheckListBox = nullptr;
    RadioGroup* DirectionRadioGroup = nullptr;
    RadioGroup* OriginRadioGroup = nullptr;
    QGroupBox* OptonsGroupBox = nullptr;
    QCheckBox* CaseCheckBox = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel

protected:
    void prepareForInput() override;
};

} // namespace vc
