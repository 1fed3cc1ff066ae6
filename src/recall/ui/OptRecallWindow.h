#pragma once

#include "app/WindowLayer.h"

#include "recall/RecallConditions.h"
#include "recall/RecallSections.h"
#include "recall/ui/DatePicker.h"
#include "tables/ui/ModalWindow.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <array>

namespace vc {

// The recall-conditions window: which sections to gather, a range of dates
// the record's date must fall within or outside, and a phrase the row must
// or must not contain, joined by AND or OR. OK turns what it shows into the
// conditions of the set it was given (the main window's). It lives for the
// whole run; each showing starts afresh except for the phrase history.
class TOptRecall1 : public ModalWindow {
    Q_OBJECT

public:
    explicit TOptRecall1(RecallConditionSet& conditions, QWidget* parent = nullptr);

    // Shows the window modally (or lets the installed hook answer);
    // QDialog::Accepted after OK, with the conditions built.
    int execute();

    // Captions from the interface texts.
    Q_INVOKABLE void applyInterfaceTexts();
    // The date both calendars open on (the newest date of the loaded rows);
    // an invalid date for today.
    void setCalendarStart(const QDate& date) { m_calendarStart = date; }

    // Entry i of the section list is checked (section i is to be gathered).
    bool sectionChecked(int section) const;
    std::array<bool, kRecallSectionCount> checkedSections() const;
    // The window's state as plain values.
    RecallChoice choice() const;

    // Handlers, by their window names.
    void FormActivate();
    void ClearForm();
    void DateTimePickerCloseUp(DatePicker* picker);
    void DateTimePickerKeyDown(DatePicker* picker, int key);
    void ClearPickerClick();
    void TabsCheckListBoxClickCheck();
    void UpdateOkButton();
    void OKBitBtnClick();
    void BuildRecallConditions();

    QLabel* Panel9 = nullptr;
    QListWidget* TabsCheckListBox = nullptr;
    QLabel* Panel7 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* Predicat1ComboBox = nullptr;
    DatePicker* DateTimePicker1 = nullptr;
    DatePicker* DateTimePicker2 = nullptr;
    QComboBox* Predicat2ComboBox = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* Predicat3ComboBox = nullptr;
    QComboBox* WordsComboBox = nullptr;
    QPushButton* CancelBitBtn = nullptr;
    QPushButton* BitBtn3 = nullptr; // Clear
    QPushButton* OKBitBtn = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* ClearPicker = nullptr;

protected:
    void prepareForInput() override;
    void done(int result) override;

private:
    // Shows no date on a picker and forgets that one was picked.
    void emptyPicker(DatePicker* picker);
    static quint8 selectedCode(const QComboBox* box);

    RecallConditionSet& m_conditions;
    bool m_activated = false;            // set on the first activation of a showing
    DatePicker* m_popupPicker = nullptr; // the picker the popup menu was opened on
    QDate m_calendarStart;
};

} // namespace vc
