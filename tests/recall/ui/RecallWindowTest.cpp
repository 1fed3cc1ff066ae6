// The two recall actions of the main window, driven offscreen on the sample
// profile with the conditions window answered by a hook.
#include "TestData.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "recall/RecallConditions.h"
#include "recall/ui/OptRecallWindow.h"
#include "support/WindowFixture.h"

#include <QCalendarWidget>
#include <QListWidget>

using namespace vc;

namespace {

class RecallWindowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(window->openProfile(samplesPath(QStringLiteral("profiles/xp"))));
    }
    void TearDown() override {
        window->recall().RecallConditions.clear();
        WindowFixture::TearDown();
    }
    int rows(TabId id) { return window->tab(id).model->rows(); }
    QString condLabel(TabId id) { return window->tab(id).condLabel->text(); }
    // Answers the conditions window: only the given sections, a phrase.
    void answerConditions(QList<int> sections, const QString& phrase) {
        TOptRecall1* w = window->recall().OptRecall1;
        w->setModalHook([w, sections, phrase](ModalWindow&) {
            for (int i = 0; i < kRecallSectionCount; ++i)
                w->TabsCheckListBox->item(i)->setCheckState(sections.contains(i) ? Qt::Checked
                                                                                 : Qt::Unchecked);
            w->WordsComboBox->setEditText(phrase);
            w->OKBitBtn->click();
        });
    }
};

TEST_F(RecallWindowTest, WholeRecallFillsEveryTableAndShowsTheSummary) {
    ASSERT_NE(window->recall().OptRecall1, nullptr) << "created with the main window";
    window->tab(TabId::Links).condLabel->setText(QStringLiteral("stale"));
    window->actions().MyCompAction_Total->trigger();

    for (int i = 0; i < kTableTabCount; ++i) {
        // joe's XP profile holds no browser cache or activity database, the
        // profile given alone lies in no volume whose Recycle Bin is read,
        // and thumbnails are read from Linux homes only.
        if (i != 9 && i != 13 && i != 14 && i != 15) {
            EXPECT_GT(rows(TabId(i)), 0) << i;
        }
        EXPECT_TRUE(condLabel(TabId(i)).isEmpty()) << i;
    }
    ASSERT_EQ(messages.shown.size(), 1);
    const auto& summary = messages.shown.front();
    EXPECT_EQ(summary.kind, MessageKind::Information);
    EXPECT_EQ(summary.buttons, MessageButtons::Ok);
    const QStringList lines = summary.text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), kTableTabCount);
    EXPECT_EQ(lines[10], QStringLiteral("Windows: Folders opened. ") +
                             window->tab(TabId(10)).countLabel->text());
    EXPECT_EQ(lines[0], QStringLiteral("Internet Explorer: Activity. ") +
                            window->tab(TabId::Activity).countLabel->text());
    EXPECT_EQ(lines[2], QStringLiteral("Internet Explorer: Cookie. ") +
                            window->tab(TabId::Cookie).countLabel->text() +
                            QStringLiteral(". Cookie Files: 8"));
    EXPECT_EQ(window->widgets().ieC_FilesLabel->text(), QStringLiteral("Cookie Files: 8"));
    EXPECT_EQ(lines[5], QStringLiteral("Documents: Not erased temporary files. ") +
                            window->tab(TabId::Temp).countLabel->text());
    // The recent documents of both Recent folders, the XP lists and the
    // newer sources, as the Documents menu loads them.
    EXPECT_EQ(lines[4],
              QStringLiteral("Documents: Links to recent documents and folders. Records: 37"));
    EXPECT_EQ(rows(TabId::Recent), 37);
    EXPECT_EQ(lines[6], QStringLiteral("Chrome, Edge, Firefox: History. Records: 70"));
    EXPECT_EQ(lines[8], QStringLiteral("Chrome, Edge, Firefox: Cookies. ") +
                            window->tab(TabId::WebCookies).countLabel->text());
    // The window ends on the last table gathered: the Thumbnails of the
    // Documents tab.
    EXPECT_EQ(window->currentTabId(), TabId(kTableTabCount - 1));
    EXPECT_EQ(window->widgets().mainPageControl->tabText(window->widgets().mainPageControl->indexOf(
                  window->widgets().mainPageControl->currentWidget())),
              QStringLiteral("Documents"));
    EXPECT_TRUE(window->progressBar().isNull());
    EXPECT_TRUE(window->secondProgressBar().isNull());
    EXPECT_TRUE(
        window->widgets().HistoryFileNamePanel->text().contains(QStringLiteral("Version: 5.2")));
    // The first row of each browser table is selected and shown in its pane.
    for (TabId id : {TabId::WebHistory, TabId::WebDownloads, TabId::WebCookies}) {
        EXPECT_EQ(window->tab(id).view->currentIndex().row(), 0) << int(id);
        EXPECT_FALSE(window->tab(id).pane->memo()->toPlainText().isEmpty()) << int(id);
    }
}

TEST_F(RecallWindowTest, OnlyCookieCheckedChangesOnlyTheCookieTab) {
    window->actions().MyCompAction_Total->trigger();
    int before[kTableTabCount];
    for (int i = 0; i < kTableTabCount; ++i)
        before[i] = rows(TabId(i));
    messages.shown.clear();

    answerConditions({2}, QStringLiteral("bank"));
    window->actions().MyCompAction_Cond->trigger();

    EXPECT_EQ(window->currentTabId(), TabId::Cookie);
    EXPECT_EQ(window->widgets().mainPageControl->currentWidget(), window->widgets().IE_TabSheet);
    for (int i : {0, 1, 3, 4, 5, 6, 7, 8}) {
        EXPECT_EQ(rows(TabId(i)), before[i]) << i;
        EXPECT_TRUE(condLabel(TabId(i)).isEmpty()) << i;
    }
    const TableModel& cookies = *window->tab(TabId::Cookie).model;
    ASSERT_GT(cookies.rows(), 0);
    EXPECT_LT(cookies.rows(), before[2]);
    for (int r = 0; r < cookies.rows(); ++r)
        EXPECT_TRUE(cookies.joinedRow(r, ' ').contains("bank")) << r;
    EXPECT_EQ(condLabel(TabId::Cookie),
              QStringLiteral("Search Options: Some Field of the Table Contains bank "));
    EXPECT_EQ(window->tab(TabId::Cookie).condLabel->toolTip(), condLabel(TabId::Cookie));
    EXPECT_TRUE(window->recall().RecallConditions.isEmpty()) << "the conditions end with the run";
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(
        messages.shown.front().text.startsWith(QStringLiteral("Internet Explorer: Cookie. ")));

    // A whole recall afterwards empties the condition labels again.
    window->actions().MyCompAction_Total->trigger();
    EXPECT_TRUE(condLabel(TabId::Cookie).isEmpty());
    EXPECT_TRUE(window->tab(TabId::Cookie).condLabel->toolTip().isEmpty());
    EXPECT_EQ(rows(TabId::Cookie), before[2]);
}

TEST_F(RecallWindowTest, CancelRunsNothing) {
    window->showTab(TabId::History);
    window->recall().OptRecall1->setModalHook([this](ModalWindow&) {
        window->recall().OptRecall1->WordsComboBox->setEditText(QStringLiteral("bank"));
        window->recall().OptRecall1->CancelBitBtn->click();
    });
    window->actions().MyCompAction_Cond->trigger();
    EXPECT_TRUE(messages.shown.isEmpty());
    for (int i = 0; i < kTableTabCount; ++i)
        EXPECT_EQ(rows(TabId(i)), 0) << i;
    EXPECT_EQ(window->currentTabId(), TabId::History);
    EXPECT_TRUE(window->recall().RecallConditions.isEmpty());
    EXPECT_TRUE(window->progressBar().isNull());
}

TEST_F(RecallWindowTest, PickedDayFiltersTheActivityTable) {
    TOptRecall1* w = window->recall().OptRecall1;
    w->setModalHook([w](ModalWindow&) {
        for (int i = 1; i < kRecallSectionCount; ++i)
            w->TabsCheckListBox->item(i)->setCheckState(Qt::Unchecked);
        w->DateTimePicker2->dropDown();
        w->DateTimePicker2->calendar()->clicked(QDate(2015, 8, 25));
        w->OKBitBtn->click();
    });
    window->actions().MyCompAction_Cond->trigger();

    const TableModel& activity = *window->tab(TabId::Activity).model;
    ASSERT_GT(activity.rows(), 0);
    for (int r = 0; r < activity.rows(); ++r)
        EXPECT_TRUE(activity.cell(r, 2).startsWith("2015-08-25 ")) << r;
    EXPECT_EQ(condLabel(TabId::Activity),
              QStringLiteral("Search Options: The Date of the Last Access Within Range "
                             "[2015-08-25, 2015-08-25] "));
    EXPECT_EQ(window->currentTabId(), TabId::Activity);
    EXPECT_EQ(rows(TabId::History), 0);
    EXPECT_TRUE(window->recall().RecallConditions.isEmpty());
}

} // namespace

TEST_F(RecallWindowTest, TheCalendarsOpenAtTheNewestDateLoadedElseToday) {
    QDate opened;
    TOptRecall1* w = window->recall().OptRecall1;
    w->setModalHook([w, &opened](ModalWindow&) { opened = w->DateTimePicker1->date(); });
    window->actions().MyCompAction_Cond->trigger();
    EXPECT_EQ(opened, QDate::currentDate()) << "nothing loaded yet";

    window->actions().MyCompAction_Total->trigger();
    // The newest date any table shows (the fixture's pattern starts with
    // yyyy-MM-dd), none after today.
    QDate newest;
    for (int i = 0; i < kTableTabCount; ++i) {
        const TableModel& table = *window->tab(TabId(i)).model;
        for (int r = 0; r < table.rows(); ++r)
            for (int c = 0; c < table.columns(); ++c) {
                const QDate d = table.isDateColumn(c)
                                    ? QDate::fromString(table.cellText(r, c).left(10), Qt::ISODate)
                                    : QDate();
                if (d.isValid() && d <= QDate::currentDate() && (!newest.isValid() || d > newest))
                    newest = d;
            }
    }
    ASSERT_TRUE(newest.isValid());
    window->actions().MyCompAction_Cond->trigger();
    EXPECT_EQ(opened, newest);
}
