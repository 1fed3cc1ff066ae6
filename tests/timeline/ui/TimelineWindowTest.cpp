// The Timeline tab of the real main window on the sample volume: its events
// in time order, the histogram following the filter box, a span chosen on
// the histogram, Enter showing an event's row in its own tab, the export for
// Timesketch, and a new timeline after a table is read again.
#include "TestData.h"
#include "app/RowFocus.h"
#include "app/RowTableView.h"
#include "evidence/Sources.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"
#include "tables/ui/TableFilterBar.h"
#include "timeline/TimelineRows.h"
#include "timeline/ui/HistogramView.h"
#include "timeline/ui/TimelineView.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>

namespace vc {
namespace {

class TimelineWindow : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(window->loadVolume(samplesPath(QStringLiteral("volumes/pc"))));
        messages.shown.clear();
        window->showTab(kTimelineTab);
        QApplication::processEvents();
    }
    TableTab& timeline() { return window->tab(kTimelineTab); }
    TimelineView& view() { return *window->timelineView(); }
    const TimelineEvent& eventOfRow(int row) {
        return view().timeline()->event(timelineEventOfRow(*timeline().model, row));
    }
    qint64 expiries() {
        qint64 n = 0;
        for (const TimelineEvent& e : view().timeline()->events())
            n += (e.flags & TimelineEvent::kExpiry) ? 1 : 0;
        return n;
    }
};

TEST_F(TimelineWindow, EveryTableInOneTableSortedByTimeWithItsHistogram) {
    EXPECT_EQ(window->widgets().mainPageControl->tabText(
                  window->widgets().mainPageControl->indexOf(timeline().sheet)),
              QStringLiteral("Timeline"));
    EXPECT_EQ(window->currentTabId(), kTimelineTab);
    ASSERT_FALSE(view().isStale());
    const TableModel& table = *timeline().model;
    ASSERT_GT(table.rows(), 100);
    EXPECT_EQ(table.rows(), view().timeline()->size());
    EXPECT_EQ(timeline().countLabel->text(), QStringLiteral("Events: %1").arg(table.rows()));
    // Every source table with times has its events here.
    QSet<int> sources;
    for (int r = 0; r < table.rows(); ++r) {
        sources.insert(view().timeline()->tableOf(eventOfRow(r)).source);
        if (r > 0) {
            ASSERT_LE(eventOfRow(r - 1).time, eventOfRow(r).time) << r;
        }
    }
    for (const char* name : {"web-history", "web-cookies", "win-programs", "win-deleted"})
        EXPECT_TRUE(sources.contains(sourceIndex(QLatin1String(name)))) << name;
    // The machine's name from its SYSTEM hive, the users of their rows.
    EXPECT_FALSE(table.cellText(0, kTimelineMachine).isEmpty());

    // The histogram counts every event but the expiries, until asked.
    const HistogramView& histogram = *view().histogram();
    EXPECT_EQ(histogram.histogram().events, table.rows() - expiries());
    EXPECT_GT(expiries(), 0);
    view().expiryBox()->setChecked(true);
    EXPECT_EQ(histogram.histogram().events, table.rows());
    view().expiryBox()->setChecked(false);

    // The filter box: the table and the histogram keep the visits only.
    timeline().filter->box()->setText(QStringLiteral("Page visited"));
    const int visits = table.rows();
    ASSERT_GT(visits, 0);
    ASSERT_LT(visits, view().timeline()->size());
    for (int r = 0; r < visits; ++r)
        ASSERT_EQ(table.cellText(r, kTimelineEvent), QStringLiteral("Page visited"));
    EXPECT_EQ(histogram.histogram().events, visits);
    EXPECT_TRUE(
        timeline().countLabel->text().startsWith(QStringLiteral("Events: %1 of ").arg(visits)));
    timeline().filter->box()->clear();
    EXPECT_EQ(table.rows(), view().timeline()->size());
}

TEST_F(TimelineWindow, SpanChosenOnTheHistogramNarrowsTheTable) {
    const TableModel& table = *timeline().model;
    const qsizetype all = table.rows();
    HistogramView& histogram = *view().histogram();
    const TimelineHistogram& bars = histogram.histogram();
    ASSERT_GE(bars.counts.size(), 2u);
    // The first bar with events: a drag across it alone.
    size_t bar = 0;
    while (bars.counts[bar] == 0)
        ++bar;
    const qint64 from = bars.starts[bar];
    const qint64 to = bars.starts[bar + 1];
    const qint64 inBar = bars.counts[bar];
    Q_EMIT histogram.spanChosen(from, to);
    ASSERT_GT(table.rows(), 0);
    EXPECT_LT(table.rows(), all);
    EXPECT_GE(table.rows(), inBar);
    for (int r = 0; r < table.rows(); ++r) {
        EXPECT_GE(eventOfRow(r).time, from) << r;
        EXPECT_LT(eventOfRow(r).time, to) << r;
    }
    EXPECT_FALSE(timeline().condLabel->text().isEmpty());
    // The histogram now shows the span in finer bars.
    EXPECT_EQ(
        histogram.histogram().events,
        table.rows() -
            std::count_if(view().timeline()->events().begin() + view().timeline()->lowerBound(from),
                          view().timeline()->events().begin() + view().timeline()->lowerBound(to),
                          [](const TimelineEvent& e) { return e.flags & TimelineEvent::kExpiry; }));
    // A click: every event again.
    Q_EMIT histogram.spanCleared();
    EXPECT_EQ(table.rows(), all);
    EXPECT_TRUE(timeline().condLabel->text().isEmpty());
}

TEST_F(TimelineWindow, EnterShowsTheEventsRowInItsOwnTab) {
    const TableModel& table = *timeline().model;
    // An event of the browsers' history, focused as a click does.
    int row = -1;
    for (int r = 0; r < table.rows() && row < 0; ++r)
        if (view().timeline()->tableOf(eventOfRow(r)).source ==
            sourceIndex(QStringLiteral("web-history")))
            row = r;
    ASSERT_GE(row, 0);
    focusRow(timeline(), row);
    QApplication::processEvents();
    // The pane names the event and every field of its row.
    const QString pane = timeline().pane->memo()->toPlainText();
    EXPECT_TRUE(pane.contains(QStringLiteral("Event: Page visited"))) << pane.toStdString();
    EXPECT_TRUE(pane.contains(QStringLiteral("Visit Count: "))) << pane.toStdString();
    const TimelineEvent event = eventOfRow(row);

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(timeline().view, &enter);
    QApplication::processEvents();
    const TabId history = TabId(sourceIndex(QStringLiteral("web-history")));
    EXPECT_EQ(window->currentTabId(), history);
    const TableTab& source = window->tab(history);
    EXPECT_EQ(focusedRow(source), source.model->shownRow(int(event.row)));
    EXPECT_EQ(source.view->selectionModel()->selectedRows().size(), 1);
    EXPECT_FALSE(source.pane->memo()->toPlainText().isEmpty());

    // A row the source's filter hides: the filter goes, the row is shown.
    window->showTab(kTimelineTab);
    QApplication::processEvents();
    window->tab(history).filter->box()->setText(QStringLiteral("no row holds this"));
    ASSERT_EQ(source.model->rows(), 0);
    window->showTab(kTimelineTab);
    QApplication::processEvents();
    // The filter of another tab leaves the stored rows, but the timeline is
    // made again: find the event's row anew.
    row = -1;
    for (int r = 0; r < table.rows() && row < 0; ++r)
        if (view().timeline()->tableOf(eventOfRow(r)).source == int(history) &&
            eventOfRow(r).row == event.row)
            row = r;
    ASSERT_GE(row, 0);
    focusRow(timeline(), row);
    window->ListViewDblClick(kTimelineTab);
    EXPECT_EQ(window->currentTabId(), history);
    EXPECT_TRUE(source.filter->box()->text().isEmpty());
    EXPECT_EQ(focusedRow(source), int(event.row));
}

TEST_F(TimelineWindow, ExportForTimesketchAndANewTimelineAfterALoad) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TableModel& table = *timeline().model;
    timeline().filter->box()->setText(QStringLiteral("Cookie"));
    ASSERT_GT(table.rows(), 0);
    // Every event shown but a local time of an unknown zone has a UTC time.
    int shown = 0;
    for (int r = 0; r < table.rows(); ++r)
        shown += (eventOfRow(r).flags & TimelineEvent::kWallClock) ? 0 : 1;
    EXPECT_TRUE(window->actions().ExportAction_Timeline->isEnabled());
    chooser.saveAnswer = dir.filePath(QStringLiteral("cookies"));
    chooser.filterAnswer = 0;
    window->actions().ExportAction_Timeline->trigger();
    EXPECT_EQ(chooser.lastFilters.size(), 3);
    QFile file(dir.filePath(QStringLiteral("cookies.jsonl")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    // One line per event shown, in the table's order.
    ASSERT_EQ(lines.size(), shown + 1);
    qint64 before = 0;
    for (int i = 0; i < shown; ++i) {
        const QJsonObject object = QJsonDocument::fromJson(lines[i]).object();
        ASSERT_FALSE(object.isEmpty()) << lines[i].data();
        EXPECT_TRUE(lines[i].toLower().contains("cookie")) << lines[i].data();
        EXPECT_GE(object.value("timestamp").toInteger(), before);
        before = object.value("timestamp").toInteger();
    }
    EXPECT_TRUE(window->widgets().StatusPanel0->text().startsWith(
        QStringLiteral("%1 events written").arg(shown)))
        << window->widgets().StatusPanel0->text().toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());

    // The export is the Timeline tab's only.
    window->showTab(TabId::Activity);
    QApplication::processEvents();
    EXPECT_FALSE(window->actions().ExportAction_Timeline->isEnabled());

    // A table read again: the timeline is made anew when it is shown.
    const qsizetype events = view().timeline()->size();
    window->tab(TabId::WebHistory).model->clearRows();
    EXPECT_TRUE(view().isStale());
    window->showTab(kTimelineTab);
    QApplication::processEvents();
    EXPECT_FALSE(view().isStale());
    EXPECT_LT(view().timeline()->size(), events);
    for (const TimelineEvent& e : view().timeline()->events())
        ASSERT_NE(view().timeline()->tableOf(e).source, int(TabId::WebHistory));
}

} // namespace
} // namespace vc
