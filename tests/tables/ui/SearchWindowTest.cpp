#include "tables/ui/SearchWindow.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"
#include "tables/ui/GotoLineWindow.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace vc;

namespace {

struct FindAnswer {
    QString text;
    int direction = TSearch1::Forward;
    int origin = TSearch1::FromCursor;
    bool caseSensitive = false;
    std::vector<int> uncheckedColumns;
    bool cancel = false;
};

FindAnswer find(const QString& text, int direction = TSearch1::Forward,
                int origin = TSearch1::FromCursor, bool caseSensitive = false,
                std::vector<int> unchecked = {}, bool cancel = false) {
    FindAnswer a;
    a.text = text;
    a.direction = direction;
    a.origin = origin;
    a.caseSensitive = caseSensitive;
    a.uncheckedColumns = std::move(unchecked);
    a.cancel = cancel;
    return a;
}

} // namespace

class SearchWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        TableTab& t = window->tab(TabId::Activity);
        t.model->beginBulkUpdate();
        // URL, modification, access, file name, extension, type, directory, header
        const QList<QList<QByteArray>> rows = {
            {"http://one.example/abc", "", "", "a.htm", ".htm", "URL", "X1", "HTTP/1.1 200"},
            {"http://two.example/", "", "", "foo", "bar", "URL", "X1", ""},
            {"http://three.example/ABC", "", "", "c.gif", ".gif", "URL", "X2", ""},
            {"http://four.example/", "", "", "d.css", ".css", "LEAK", "X2", "abc here"},
            {"http://five.example/", "", "", "e.js", ".js", "URL", "X3", ""},
        };
        for (const auto& row : rows)
            t.model->appendRow(row);
        t.model->endBulkUpdate();
        window->showTab(TabId::Activity);
        window->UpdateTabState();
    }

    // Answers the next find window: fills its controls and presses a button.
    void answerFind(const FindAnswer& answer) {
        window->search().Search1->setModalHook([this, answer](ModalWindow&) {
            TSearch1* s = window->search().Search1;
            seenColumns.clear();
            for (int i = 0; i < s->ColumnsCheckListBox->count(); ++i)
                seenColumns.append(s->ColumnsCheckListBox->item(i)->text());
            editTextOnOpen = s->FindComboBox->currentText();
            s->FindComboBox->setEditText(answer.text);
            s->DirectionRadioGroup->setItemIndex(answer.direction);
            s->OriginRadioGroup->setItemIndex(answer.origin);
            s->CaseCheckBox->setChecked(answer.caseSensitive);
            for (int c : answer.uncheckedColumns)
                s->ColumnsCheckListBox->item(c)->setCheckState(Qt::Unchecked);
            (answer.cancel ? s->BitBtn2 : s->BitBtn1)->click();
        });
    }
    void answerGoto(const QString& number, bool cancel = false) {
        window->search().GotoLine1->setModalHook([this, number, cancel](ModalWindow&) {
            numberOnOpen = window->search().GotoLine1->GotoComboBox->currentText();
            window->search().GotoLine1->GotoComboBox->setEditText(number);
            (cancel ? window->search().GotoLine1->BitBtn2 : window->search().GotoLine1->BitBtn1)
                ->click();
        });
    }
    int current() {
        const QModelIndex index =
            window->tab(TabId::Activity).view->selectionModel()->currentIndex();
        return index.isValid() ? index.row() : -1;
    }
    void select(int row) {
        TableTab& t = window->tab(TabId::Activity);
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }
    QString notFound(const QString& text) {
        return tx(TextSearchNotFound) + QStringLiteral(":\n") + text;
    }

    QStringList seenColumns;
    QString editTextOnOpen;
    QString numberOnOpen;
};

TEST_F(SearchWindow, FindFromCursorThenSearchAgainToTheEnd) {
    EXPECT_FALSE(window->actions().SearchAction_Again->isEnabled());
    select(0);
    answerFind(find(QStringLiteral("abc")));
    window->actions().SearchAction_Find->trigger();
    // The window offered every column, checked, and an empty text.
    EXPECT_EQ(seenColumns.size(), 9); // with "User"
    EXPECT_EQ(seenColumns.value(0), tx(TextUrlAddress));
    EXPECT_TRUE(editTextOnOpen.isEmpty());
    // From the cursor, the current row itself matches.
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(window->search().LastSearchTable, window->tab(TabId::Activity).model);
    EXPECT_TRUE(window->actions().SearchAction_Again->isEnabled());
    // The pane follows the found row.
    EXPECT_EQ(window->tab(TabId::Activity).pane->filePanel()->text(),
              QStringLiteral("http://one.example/abc"));

    // Search Again moves on; case is ignored, so "ABC" in row 2 matches, then
    // the header cell of row 3.
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(window->tab(TabId::Activity).pane->filePanel()->text(),
              QStringLiteral("http://three.example/ABC"));
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(current(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
    // Nothing further: the information box, the row stays, Search Again
    // stays enabled and says so again.
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(current(), 3);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(messages.shown[0].text, notFound(QStringLiteral("abc")));
    EXPECT_TRUE(window->actions().SearchAction_Again->isEnabled());
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(messages.shown.size(), 2);

    // A tab change ends Search Again.
    window->showTab(TabId::History);
    QApplication::processEvents();
    EXPECT_EQ(window->search().LastSearchTable, nullptr);
    EXPECT_FALSE(window->actions().SearchAction_Again->isEnabled());
}

TEST_F(SearchWindow, ColumnsCaseDirectionAndHistory) {
    // The row text has no separators: "foo" + "bar" holds "obar".
    answerFind(find(QStringLiteral("obar"), TSearch1::Forward, TSearch1::EntireScope));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(current(), 1);
    // With the extension column left out it is not found.
    answerFind(find(QStringLiteral("obar"), TSearch1::Forward, TSearch1::EntireScope, false, {4}));
    window->actions().SearchAction_Find->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, notFound(QStringLiteral("obar")));
    EXPECT_EQ(window->search().LastSearchTable, window->tab(TabId::Activity).model);

    // Case sensitive: "ABC" is only in row 2.
    answerFind(find(QStringLiteral("ABC"), TSearch1::Forward, TSearch1::EntireScope, true));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(current(), 2);
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(messages.shown.size(), 2);

    // Backward over the entire scope starts at the last row.
    answerFind(find(QStringLiteral("example"), TSearch1::Backward, TSearch1::EntireScope));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(current(), 4);
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(current(), 3);

    // The history: newest first, no repeats.
    answerFind(find(QStringLiteral("obar"), TSearch1::Forward, TSearch1::EntireScope));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(
        window->search().Search1->history(),
        QStringList({QStringLiteral("example"), QStringLiteral("ABC"), QStringLiteral("obar")}));

    // Cancel, an empty text or no checked column end the find quietly and
    // leave Search Again off.
    const qsizetype shown = messages.shown.size();
    answerFind(find(QStringLiteral("abc"), 0, 0, false, {}, true));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(window->search().LastSearchTable, nullptr);
    EXPECT_FALSE(window->actions().SearchAction_Again->isEnabled());
    answerFind(find(QString()));
    window->actions().SearchAction_Find->trigger();
    answerFind(find(QStringLiteral("abc"), 0, 0, false, {0, 1, 2, 3, 4, 5, 6, 7, 8}));
    window->actions().SearchAction_Find->trigger();
    EXPECT_EQ(messages.shown.size(), shown);
    EXPECT_EQ(window->search().LastSearchTable, nullptr);
}

TEST_F(SearchWindow, SearchAgainStartingPoints) {
    // Without a current row a forward Search Again counts row 0 as current,
    // so a match only in row 0 is not found.
    answerFind(find(QStringLiteral("one.example"), TSearch1::Forward, TSearch1::EntireScope));
    window->actions().SearchAction_Find->trigger();
    ASSERT_EQ(current(), 0);
    window->tab(TabId::Activity).view->selectionModel()->clearCurrentIndex();
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(messages.shown.size(), 1);

    // Backward from row 0 the last row counts as current: the search starts
    // at the row before the last.
    answerFind(find(QStringLiteral("example"), TSearch1::Backward, TSearch1::EntireScope));
    window->actions().SearchAction_Find->trigger();
    select(0);
    window->actions().SearchAction_Again->trigger();
    EXPECT_EQ(current(), 3);
}

TEST_F(SearchWindow, GoToLine) {
    select(1);
    answerGoto(QStringLiteral("4"));
    window->actions().SearchAction_GoLine->trigger();
    EXPECT_EQ(numberOnOpen, QStringLiteral("2")); // the current row, 1-based
    EXPECT_EQ(current(), 3);
    // The pane follows through the table's selection handler.
    EXPECT_EQ(window->tab(TabId::Activity).pane->filePanel()->text(),
              QStringLiteral("http://four.example/"));

    // 0, one beyond the last row, a cancelled window and an empty text
    // change nothing.
    for (const QString& number : {QStringLiteral("0"), QStringLiteral("6"), QString()}) {
        answerGoto(number);
        window->actions().SearchAction_GoLine->trigger();
        EXPECT_EQ(current(), 3) << number.toStdString();
    }
    answerGoto(QStringLiteral("1"), true);
    window->actions().SearchAction_GoLine->trigger();
    EXPECT_EQ(current(), 3);
    answerGoto(QStringLiteral("5"));
    window->actions().SearchAction_GoLine->trigger();
    EXPECT_EQ(current(), 4);
    answerGoto(QStringLiteral("4"));
    window->actions().SearchAction_GoLine->trigger();
    // Only numbers that were used enter the history, newest first, once.
    EXPECT_EQ(window->search().GotoLine1->history(),
              QStringList({QStringLiteral("5"), QStringLiteral("4")}));
    EXPECT_TRUE(messages.shown.isEmpty());

    // The number box takes digits and backspace; a letter beeps and is dropped.
    int beeps = 0;
    window->search().GotoLine1->beep = [&beeps] { ++beeps; };
    QLineEdit* edit = window->search().GotoLine1->GotoComboBox->lineEdit();
    edit->setText(QStringLiteral("1"));
    edit->setCursorPosition(1);
    auto type = [edit](int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
    };
    type(Qt::Key_2, QStringLiteral("2"));
    type(Qt::Key_A, QStringLiteral("a"));
    type(Qt::Key_Minus, QStringLiteral("-"));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps, 2);
    type(Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    EXPECT_EQ(beeps, 2);

    // With an empty table the search menu is off and the actions do nothing.
    window->showTab(TabId::Temp);
    window->UpdateTabState();
    EXPECT_FALSE(window->actions().SearchItem->menuAction()->isEnabled());
    EXPECT_FALSE(window->actions().SearchAction_Find->isEnabled());
    int opened = 0;
    window->search().GotoLine1->setModalHook([&opened](ModalWindow&) { ++opened; });
    window->SearchAction_GoLineExecute();
    EXPECT_EQ(opened, 0);
}

TEST_F(SearchWindow, WindowsCarryTheirTexts) {
    TSearch1* s = window->search().Search1;
    EXPECT_EQ(s->windowTitle(), tx(TextFindTextCaption));
    EXPECT_EQ(s->toFindLabel->text(), tx(TextTextToFind) + QLatin1Char(':'));
    EXPECT_EQ(s->Panel4->text(), tx(TextColumnsForSearch) + QLatin1Char(':'));
    EXPECT_EQ(s->DirectionRadioGroup->items(), QStringList({tx(TextForward), tx(TextBackward)}));
    EXPECT_EQ(s->OriginRadioGroup->items(), QStringList({tx(TextFromCursor), tx(TextEntireScope)}));
    EXPECT_EQ(s->DirectionRadioGroup->itemIndex(), 0);
    EXPECT_EQ(s->OriginRadioGroup->itemIndex(), 0);
    EXPECT_FALSE(s->CaseCheckBox->isChecked());
    EXPECT_EQ(s->BitBtn2->text(), tx(TextCancel));
    EXPECT_EQ(window->search().GotoLine1->windowTitle(), tx(TextGoToLineCaption));
    EXPECT_EQ(window->search().GotoLine1->Label1->text(), tx(TextNewLineNumber));
    // The small window is wide enough for its caption and the frame's button.
    TGotoLine1* g = window->search().GotoLine1;
    g->show();
    QApplication::processEvents();
    EXPECT_GE(g->width(), g->fontMetrics().horizontalAdvance(g->windowTitle()) + 100);
    g->hide();
    // A new language reaches the windows.
    setInterfaceText(TextFindTextCaption, QStringLiteral("Suchen"));
    window->ApplyInterfaceTexts();
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Suchen"));
    fillDefaultInterfaceTexts();
}
