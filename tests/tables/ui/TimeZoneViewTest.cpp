// The View menu's time zones: the status bar names the zone, every filled
// table shows its times in the other zone at once without reading any
// evidence again, the examined machine's own zone is offered where its
// hives name one, and the choice is kept for the next start.
#include "tables/ui/TimeZoneView.h"
#include "TestData.h"
#include "platform/Registry.h"
#include "support/WindowFixture.h"
#include "support/ZoneGuard.h"
#include "tables/RowFilter.h"
#include "tables/ui/TableFilterBar.h"

#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

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
    QString saved() {
        return RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey,
                              QStringLiteral("TimesUtc"), QString(), QStringLiteral("read"));
    }

private:
    std::optional<vc::testing::ZoneGuard> m_zone;
};

} // namespace

TEST_F(TimeZoneView, SwitchingMakesTheTextsAgainWithoutReadingTheEvidence) {
    EXPECT_EQ(window->widgets().StatusPanel1->text(), QStringLiteral("Times: UTC"));
    EXPECT_TRUE(window->actions().ViewAction_Utc->isChecked());
    EXPECT_FALSE(window->actions().ViewAction_Machine->isEnabled()) << "nothing open names a zone";
    // A copy of the sample profile, read whole, then taken away: what the
    // tables show afterwards can only come from what they hold.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("xp"));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-aL"),
                                                 samplesPath(QStringLiteral("profiles/xp")), copy}),
        0);
    ASSERT_TRUE(window->openProfile(copy));
    window->actions().MyCompAction_Total->trigger();
    const qsizetype summaries = messages.shown.size();
    const int calls = chooser.calls;
    const int activityRows = window->tab(TabId::Activity).model->rows();
    ASSERT_GT(activityRows, 0);
    const QDateTime activity = firstTime(TabId::Activity);
    const QDateTime history = firstTime(TabId::History);
    const QDateTime visits = firstTime(TabId::WebHistory);
    ASSERT_TRUE(activity.isValid());
    ASSERT_TRUE(history.isValid());
    ASSERT_TRUE(visits.isValid());
    // The Cookie tab filtered by the date and hour of its first time: the
    // rows kept change with the zone, and so does its count label.
    const TableTab& cookies = window->tab(TabId::Cookie);
    const QDateTime cookie = firstTime(TabId::Cookie);
    ASSERT_TRUE(cookie.isValid());
    const QString hour = cookie.toString(QStringLiteral("yyyy-MM-dd HH"));
    cookies.filter->box()->setText(hour);
    const int cookiesKept = cookies.model->rows();
    ASSERT_GE(cookiesKept, 1);
    const QString cookieCount =
        QStringLiteral(": %1 of %2").arg(cookiesKept).arg(cookies.model->storedRows());
    EXPECT_TRUE(cookies.countLabel->text().contains(cookieCount))
        << cookies.countLabel->text().toStdString();
    ASSERT_TRUE(QDir(copy).removeRecursively());
    window->showTab(TabId::Links);

    window->actions().ViewAction_Local->trigger();
    EXPECT_TRUE(window->actions().ViewAction_Local->isChecked());
    EXPECT_FALSE(window->actions().ViewAction_Utc->isChecked());
    EXPECT_EQ(window->widgets().StatusPanel1->text(),
              QStringLiteral("Times: local time (Asia/Tokyo)"));
    // Each table in local time: nine hours on; the same rows, though no
    // file of the profile is left to read.
    EXPECT_EQ(activity.secsTo(firstTime(TabId::Activity)), 9 * 3600);
    EXPECT_EQ(history.secsTo(firstTime(TabId::History)), 9 * 3600);
    EXPECT_EQ(visits.secsTo(firstTime(TabId::WebHistory)), 9 * 3600);
    EXPECT_EQ(window->tab(TabId::Activity).model->rows(), activityRows);
    EXPECT_EQ(cookies.model->rows(), int(filteredRows(*cookies.model, hour).size()));
    for (int r = 0; r < cookies.model->rows(); ++r)
        EXPECT_TRUE(cookies.model->joinedRow(r, '|').contains(hour.toLatin1())) << r;
    EXPECT_TRUE(
        cookies.countLabel->text().contains(QStringLiteral(": %1 of").arg(cookies.model->rows())))
        << cookies.countLabel->text().toStdString();
    // Nothing asked, no summary shown again, the tab in front still in front.
    EXPECT_EQ(chooser.calls, calls);
    EXPECT_EQ(messages.shown.size(), summaries);
    EXPECT_EQ(window->currentTabId(), TabId::Links);
    EXPECT_EQ(saved(), QStringLiteral("local"));

    // And back; the choice is what the next start finds.
    window->actions().ViewAction_Utc->trigger();
    EXPECT_EQ(firstTime(TabId::Activity), activity);
    EXPECT_EQ(firstTime(TabId::History), history);
    EXPECT_EQ(cookies.model->rows(), cookiesKept);
    EXPECT_TRUE(cookies.countLabel->text().contains(cookieCount));
    EXPECT_EQ(window->widgets().StatusPanel1->text(), QStringLiteral("Times: UTC"));
    EXPECT_EQ(saved(), QStringLiteral("1"));
    setDisplayZone(DisplayZone::Local);
    RestoreTimeZoneChoice();
    EXPECT_EQ(displayZone(), DisplayZone::Utc);
}

TEST_F(TimeZoneView, TheExaminedMachinesZoneIsTheDefaultForAVolume) {
    // A start without a saved choice of UTC or local time.
    RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("TimesUtc"),
                   QStringLiteral("0"), QStringLiteral("write"));
    setDisplayZone(DisplayZone::Local);
    ASSERT_TRUE(window->openVolume(samplesPath(QStringLiteral("volumes/pc"))));
    // Central Europe Standard Time: Europe/Budapest in CLDR's table.
    EXPECT_EQ(displayZone(), DisplayZone::Machine);
    EXPECT_EQ(window->widgets().StatusPanel1->text(),
              QStringLiteral("Times: the examined machine's time zone, Europe/Budapest "
                             "(Central Europe Standard Time)"));
    EXPECT_TRUE(window->actions().ViewAction_Machine->isEnabled());
    EXPECT_TRUE(window->actions().ViewAction_Machine->isChecked());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("SAMPLE-PC, 2 users - ")))
        << qPrintable(window->windowTitle());
    window->actions().MyCompAction_Total->trigger();
    const QDateTime machine = firstTime(TabId::Activity);
    ASSERT_TRUE(machine.isValid());
    window->actions().ViewAction_Utc->trigger();
    const QDateTime utc = firstTime(TabId::Activity);
    // 6 March 2015: standard time, an hour east of UTC.
    EXPECT_EQ(utc.secsTo(machine), 3600);
    window->actions().ViewAction_Machine->trigger();
    EXPECT_EQ(firstTime(TabId::Activity), machine);
    EXPECT_EQ(saved(), QStringLiteral("machine"));
}
