// The View menu's "Times in UTC": the status bar names the zone, every
// filled table is filled again in the other zone (each fill once, nothing
// asked again), and the choice is kept for the next start.
#include "tables/ui/TimeZoneView.h"
#include "TestData.h"
#include "platform/Registry.h"
#include "support/WindowFixture.h"
#include "support/ZoneGuard.h"

#include <QDateTime>

#include <optional>

using namespace vc;

namespace {

class TimeZoneView : public WindowFixture {
protected:
    void SetUp() override {
        // Nine hours ahead of UTC all the year round.
        m_zone.emplace("Asia/Tokyo");
        WindowFixture::SetUp();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        m_zone.reset();
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("TimesUtc"),
                       QStringLiteral("0"), QStringLiteral("write"));
    }

    // The first date cell of a table's first row, as a time.
    QDateTime firstTime(TabId id) {
        const TableModel& table = *window->tab(id).model;
        for (int c = 0; c < table.columns(); ++c)
            if (table.isDateColumn(c) && !table.cell(0, c).isEmpty())
                return QDateTime::fromString(table.cellText(0, c),
                                             QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return {};
    }

private:
    std::optional<vc::testing::ZoneGuard> m_zone;
};

} // namespace

TEST_F(TimeZoneView, SwitchingFillsEveryTableAgainOnceAndIsKept) {
    EXPECT_EQ(window->StatusPanel1->text(), QStringLiteral("Times: UTC"));
    EXPECT_TRUE(window->ViewAction_Utc->isChecked());
    ASSERT_TRUE(window->openProfile(samplesPath(QStringLiteral("profiles/xp"))));
    // The whole recall fills every table; then Activity from another index
    // file through its own action.
    window->MyCompAction_Total->trigger();
    const qsizetype summaries = messages.shown.size();
    chooser.fileAnswer = testDataPath(QStringLiteral("content-ie5-index.dat"));
    window->ActionLoadIEActivity->trigger();
    const int calls = chooser.calls;
    const int activityRows = window->tab(TabId::Activity).model->rows();
    ASSERT_GT(activityRows, 0);
    const QDateTime activity = firstTime(TabId::Activity);
    const QDateTime history = firstTime(TabId::History);
    const QDateTime visits = firstTime(TabId::WebHistory);
    ASSERT_TRUE(activity.isValid());
    ASSERT_TRUE(history.isValid());
    ASSERT_TRUE(visits.isValid());
    window->showTab(TabId::Links);

    window->ViewAction_Utc->trigger();
    EXPECT_FALSE(window->ViewAction_Utc->isChecked());
    EXPECT_EQ(window->StatusPanel1->text(), QStringLiteral("Times: local time (Asia/Tokyo)"));
    // Each table in local time: nine hours on; the same rows.
    EXPECT_EQ(activity.secsTo(firstTime(TabId::Activity)), 9 * 3600);
    EXPECT_EQ(history.secsTo(firstTime(TabId::History)), 9 * 3600);
    EXPECT_EQ(visits.secsTo(firstTime(TabId::WebHistory)), 9 * 3600);
    EXPECT_EQ(window->tab(TabId::Activity).model->rows(), activityRows);
    // Nothing asked, the recall's summary not shown again, the tab in
    // front still in front.
    EXPECT_EQ(chooser.calls, calls);
    EXPECT_EQ(messages.shown.size(), summaries);
    EXPECT_EQ(window->currentTabId(), TabId::Links);
    EXPECT_EQ(RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("TimesUtc"),
                             QString(), QStringLiteral("read")),
              QStringLiteral("0"));

    // And back; the choice is what the next start finds.
    window->ViewAction_Utc->trigger();
    EXPECT_EQ(firstTime(TabId::Activity), activity);
    EXPECT_EQ(firstTime(TabId::History), history);
    EXPECT_EQ(window->StatusPanel1->text(), QStringLiteral("Times: UTC"));
    setShowsUtc(false);
    RestoreTimesInUtc();
    EXPECT_TRUE(showsUtc());
}
