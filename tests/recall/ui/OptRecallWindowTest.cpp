// The recall-conditions window driven offscreen: its controls, the empty
// date pickers, the OK rules and the conditions it builds.
#include "recall/ui/OptRecallWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/TimeText.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace vc;

namespace {

class OptRecallWindowTest : public ::testing::Test {
protected:
    RecallConditionSet conditions;
    void SetUp() override {
        fillDefaultInterfaceTexts();
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        window = std::make_unique<TOptRecall1>(conditions);
        window->FormActivate();
    }
    void TearDown() override {
        window.reset();
        conditions.clear();
        setDateTimeFormat(defaultDateTimeFormat());
    }

    void pick(DatePicker* picker, const QDate& date) {
        picker->dropDown();
        picker->calendar()->clicked(date); // as a click on that day
        QApplication::processEvents();
    }
    void pressKey(DatePicker* picker, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(picker->findChild<QLineEdit*>(), &press);
    }

    std::unique_ptr<TOptRecall1> window;
};

TEST_F(OptRecallWindowTest, FirstActivationFillsTheListsAndEmptiesThePickers) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Recall with Conditions"));
    ASSERT_EQ(window->TabsCheckListBox->count(), kRecallSectionCount);
    EXPECT_EQ(window->TabsCheckListBox->item(0)->text(),
              QStringLiteral("Internet Explorer. Activity"));
    EXPECT_EQ(window->TabsCheckListBox->item(2)->text(),
              QStringLiteral("Internet Explorer. Cookie"));
    EXPECT_EQ(window->TabsCheckListBox->item(5)->text(),
              QStringLiteral("Documents. Not erased temporary files"));
    EXPECT_EQ(window->TabsCheckListBox->item(6)->text(),
              QStringLiteral("Chrome, Edge, Firefox. History"));
    EXPECT_EQ(window->TabsCheckListBox->item(7)->text(),
              QStringLiteral("Chrome, Edge, Firefox. Downloads"));
    EXPECT_EQ(window->TabsCheckListBox->item(8)->text(),
              QStringLiteral("Chrome, Edge, Firefox. Cookies"));
    for (int i = 0; i < kRecallSectionCount; ++i)
        EXPECT_TRUE(window->sectionChecked(i)) << i;
    EXPECT_EQ(window->Predicat1ComboBox->currentText(), QStringLiteral("Within Range"));
    EXPECT_EQ(window->Predicat2ComboBox->currentText(), QStringLiteral("AND"));
    EXPECT_EQ(window->Predicat3ComboBox->currentText(), QStringLiteral("Contains"));
    EXPECT_EQ(window->Predicat1ComboBox->itemData(1).toInt(), kOutsideRange);
    EXPECT_EQ(window->Predicat2ComboBox->itemData(1).toInt(), 1);
    EXPECT_EQ(window->Predicat3ComboBox->itemData(1).toInt(), kNotContains);
    for (DatePicker* p : {window->DateTimePicker1, window->DateTimePicker2}) {
        EXPECT_EQ(p->Tag, 0);
        EXPECT_TRUE(p->displayText().isEmpty());
        EXPECT_EQ(p->date(), QDate::currentDate());
        EXPECT_EQ(p->popupMenu(), nullptr);
    }
    EXPECT_FALSE(window->OKBitBtn->isEnabled());
    EXPECT_EQ(window->BitBtn3->text(), QStringLiteral("Clear"));
    EXPECT_EQ(window->ClearPicker->text(), QStringLiteral("Clear Calendar"));
}

TEST_F(OptRecallWindowTest, PickingDeletingAndClearCalendar) {
    DatePicker* p1 = window->DateTimePicker1;
    pick(p1, QDate(2015, 8, 25));
    EXPECT_FALSE(p1->isDroppedDown());
    EXPECT_EQ(p1->Tag, 1);
    EXPECT_EQ(p1->displayText(), QStringLiteral("2015-08-25"));
    EXPECT_EQ(p1->popupMenu(), window->PopupMenu1);
    EXPECT_TRUE(window->OKBitBtn->isEnabled());

    // Another key leaves the date; Delete empties the picker.
    pressKey(p1, Qt::Key_A);
    EXPECT_EQ(p1->Tag, 1);
    pressKey(p1, Qt::Key_Delete);
    EXPECT_EQ(p1->Tag, 0);
    EXPECT_TRUE(p1->displayText().isEmpty());
    EXPECT_EQ(p1->popupMenu(), nullptr);
    EXPECT_FALSE(window->OKBitBtn->isEnabled());

    // "Clear Calendar" acts on the picker the menu was opened on.
    DatePicker* p2 = window->DateTimePicker2;
    pick(p2, QDate(2015, 9, 1));
    pick(p1, QDate(2015, 8, 1));
    p2->menuOpening();
    window->ClearPicker->trigger();
    EXPECT_EQ(p2->Tag, 0);
    EXPECT_TRUE(p2->displayText().isEmpty());
    EXPECT_EQ(p1->Tag, 1);
    EXPECT_TRUE(window->OKBitBtn->isEnabled());

    // Closing the calendar without a click still takes its date.
    pressKey(p1, Qt::Key_Delete);
    p2->dropDown();
    p2->closeUp();
    EXPECT_EQ(p2->Tag, 1);
    EXPECT_FALSE(p2->displayText().isEmpty());
}

TEST_F(OptRecallWindowTest, EscapeInADateFieldClosesTheWindow) {
    for (DatePicker* picker : {window->DateTimePicker1, window->DateTimePicker2}) {
        window->show();
        QApplication::processEvents();
        ASSERT_TRUE(window->isVisible());
        pressKey(picker, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), QDialog::Rejected);
    }
}

TEST_F(OptRecallWindowTest, OkNeedsASectionAndACondition) {
    window->WordsComboBox->setEditText(QStringLiteral("   "));
    EXPECT_TRUE(window->OKBitBtn->isEnabled()) << "a phrase of spaces counts";
    for (int i = 0; i < kRecallSectionCount; ++i)
        window->TabsCheckListBox->item(i)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(window->OKBitBtn->isEnabled());
    window->TabsCheckListBox->item(7)->setCheckState(Qt::Checked);
    EXPECT_TRUE(window->OKBitBtn->isEnabled());
    std::array<bool, kRecallSectionCount> onlyDownloads{};
    onlyDownloads[7] = true;
    EXPECT_EQ(window->checkedSections(), onlyDownloads);
    window->TabsCheckListBox->item(7)->setCheckState(Qt::Unchecked);
    window->TabsCheckListBox->item(3)->setCheckState(Qt::Checked);
    EXPECT_TRUE(window->OKBitBtn->isEnabled());
    window->BitBtn3->click(); // Clear
    EXPECT_TRUE(window->WordsComboBox->currentText().isEmpty());
    EXPECT_FALSE(window->OKBitBtn->isEnabled());
    EXPECT_TRUE(window->sectionChecked(3)) << "Clear keeps the sections";
}

TEST_F(OptRecallWindowTest, OkBuildsTheConditionsAndKeepsTheHistory) {
    int runs = 0;
    window->setModalHook([&](ModalWindow&) {
        ++runs;
        pick(window->DateTimePicker1, QDate(2015, 8, 26));
        pick(window->DateTimePicker2, QDate(2015, 8, 25));
        window->Predicat2ComboBox->setCurrentIndex(1); // OR
        window->WordsComboBox->setEditText(QStringLiteral("msn"));
        window->OKBitBtn->click();
    });
    ASSERT_EQ(window->execute(), QDialog::Accepted);
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(conditions.size(), 2);
    EXPECT_EQ(DescribeRecallConditions(conditions),
              QStringLiteral("Search Options: The Date of the Last Access Within Range "
                             "[2015-08-25, 2015-08-26]  OR Some Field of the Table Contains: "
                             "\"msn\""));
    EXPECT_EQ(window->WordsComboBox->itemText(0), QStringLiteral("msn"));

    // The next showing starts afresh but keeps the phrases; the same phrase
    // in capitals is not added again, a phrase of spaces is.
    window->setModalHook([&](ModalWindow&) {
        EXPECT_EQ(window->DateTimePicker1->Tag, 0);
        EXPECT_TRUE(window->WordsComboBox->currentText().isEmpty());
        EXPECT_EQ(window->Predicat2ComboBox->currentIndex(), 0);
        window->WordsComboBox->setEditText(QStringLiteral("MSN"));
        window->OKBitBtn->click();
    });
    ASSERT_EQ(window->execute(), QDialog::Accepted);
    EXPECT_EQ(window->WordsComboBox->count(), 1);
    window->setModalHook([&](ModalWindow&) {
        window->WordsComboBox->setEditText(QStringLiteral("  "));
        window->OKBitBtn->click();
    });
    ASSERT_EQ(window->execute(), QDialog::Accepted);
    EXPECT_EQ(window->WordsComboBox->count(), 2);
    EXPECT_EQ(window->WordsComboBox->itemText(0), QStringLiteral("  "));
    EXPECT_TRUE(conditions.isEmpty()) << "spaces make no condition";

    // Cancel builds nothing and leaves the set as it was.
    window->setModalHook([&](ModalWindow&) {
        window->WordsComboBox->setEditText(QStringLiteral("bank"));
        window->CancelBitBtn->click();
    });
    EXPECT_EQ(window->execute(), QDialog::Rejected);
    EXPECT_TRUE(conditions.isEmpty());

    // Escape in a date field reaches the window.
    window->setModalHook([&](ModalWindow&) {
        window->WordsComboBox->setEditText(QStringLiteral("bank"));
        pressKey(window->DateTimePicker1, Qt::Key_Escape);
    });
    EXPECT_EQ(window->execute(), QDialog::Rejected);
    EXPECT_TRUE(conditions.isEmpty());
}

} // namespace

TEST_F(OptRecallWindowTest, DatesAreTypedInThePatternTheFieldsShow) {
    setDateTimeFormat(QStringLiteral("dd MMM yyyy HH:mm:ss"));
    window->show();
    QApplication::processEvents();
    DatePicker* p1 = window->DateTimePicker1;
    auto* edit = p1->findChild<QLineEdit*>();
    edit->setFocus();
    auto typeText = [edit](const QString& text) {
        for (QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &key);
        }
    };
    auto backspaces = [edit](int n) {
        for (int i = 0; i < n; ++i) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
            QApplication::sendEvent(edit, &key);
        }
    };

    // A whole date is taken as it is typed: OK is enabled before Enter.
    typeText(QStringLiteral("23 May 2011"));
    EXPECT_EQ(p1->Tag, 1);
    EXPECT_EQ(p1->date(), QDate(2011, 5, 23));
    EXPECT_TRUE(window->OKBitBtn->isEnabled());
    EXPECT_EQ(p1->popupMenu(), window->PopupMenu1);
    EXPECT_EQ(p1->displayText(), QStringLiteral("23 May 2011"));
    // Letter case and blanks around it do not matter; the end of the typing
    // shows the date in the field's pattern.
    backspaces(11);
    typeText(QStringLiteral(" 1 jun 2011 "));
    pressKey(p1, Qt::Key_Tab);
    edit->clearFocus();
    EXPECT_EQ(p1->date(), QDate(2011, 6, 1));
    EXPECT_EQ(p1->displayText(), QStringLiteral("01 Jun 2011"));
    // The calendar opens on the typed date.
    p1->dropDown();
    EXPECT_EQ(p1->calendar()->selectedDate(), QDate(2011, 6, 1));
    EXPECT_EQ(p1->calendar()->yearShown(), 2011);
    p1->closeUp();

    // A text that is no date leaves the date taken before.
    edit->setFocus();
    backspaces(3);
    typeText(QStringLiteral("x"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(p1->date(), QDate(2011, 6, 1));
    EXPECT_EQ(p1->displayText(), QStringLiteral("01 Jun 2011"));
    EXPECT_EQ(p1->Tag, 1);
    // A field emptied by typing shows no date, as after Delete.
    backspaces(20);
    EXPECT_EQ(p1->Tag, 0);
    EXPECT_FALSE(window->OKBitBtn->isEnabled());
    EXPECT_EQ(p1->popupMenu(), nullptr);
    window->hide();
}

TEST_F(OptRecallWindowTest, TheCalendarsOpenAtTheStartGivenElseToday) {
    window->setCalendarStart(QDate(2011, 5, 23));
    window->ClearForm();
    for (DatePicker* p : {window->DateTimePicker1, window->DateTimePicker2}) {
        EXPECT_EQ(p->date(), QDate(2011, 5, 23));
        EXPECT_EQ(p->Tag, 0);
        EXPECT_TRUE(p->displayText().isEmpty());
        p->dropDown();
        EXPECT_EQ(p->calendar()->monthShown(), 5);
        EXPECT_EQ(p->calendar()->yearShown(), 2011);
        p->closeUp();
    }
    window->setCalendarStart(QDate());
    window->ClearForm();
    EXPECT_EQ(window->DateTimePicker1->date(), QDate::currentDate());
}
