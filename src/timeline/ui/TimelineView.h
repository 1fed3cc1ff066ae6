#pragma once

#include "app/WindowLayer.h"

#include "app/WindowFrame.h"
#include "timeline/Timeline.h"

#include <QCheckBox>
#include <QObject>

#include <memory>
#include <optional>
#include <utility>

namespace vc {

class HistogramView;

// The widgets of the Timeline tab, named as the other tabs' ("tl_").
SourceWidgets timelineWidgets();
QString timelineTableName();

// The Timeline tab: the events of every table of the window, made again
// when the tab is shown after a table changed; the histogram above them,
// whose drag narrows the table to a span; the pane of an event, Enter and a
// double click that show the event's row in its own tab; the export for
// Timesketch and plaso. The table tools work on its table as on any other.
class TimelineView : public QObject {
    Q_OBJECT
public:
    // tab: the timeline's table tab, built as every table tab; top: the
    // panel beside its count label.
    TimelineView(WindowFrame& form, TableTab& tab, QWidget* top);

    // A table changed: the timeline is made again when it is next shown.
    void markStale();
    bool isStale() const { return m_stale; }
    void refreshIfStale();
    // Reads every event of the tables again.
    void rebuild();

    // The pane of row `row` of the timeline's table, the file of its source
    // row (the file actions'), and its source row shown in its own tab.
    void showInPane(int row);
    QString fileOfRow(int row);
    // The shown row, in its own tab, of the row that event row `row` comes
    // from, when that is a row of source `source`; -1 otherwise (another
    // source, or the row hidden by its tab's filter).
    int sourceRowOf(int row, int source) const;
    void showEventRow(int row);

    // The events of a span only (from..to in microseconds since 1970 UTC,
    // to excluded), and all of them again.
    void narrowTo(qint64 from, qint64 to);
    void showEverySpan();
    // Exports the events the table shows, in its order, in a format the
    // user chooses.
    void exportTimeline();

    void applyInterfaceTexts();
    const Timeline* timeline() const { return m_timeline.get(); }
    HistogramView* histogram() const { return m_histogram; }
    QCheckBox* expiryBox() const { return m_expiry; }

private:
    void setRows(qsizetype first, qsizetype last);
    void updateLabels();
    void updateHistogram();

    WindowFrame& m_form;
    TableTab& m_tab;
    std::shared_ptr<Timeline> m_timeline;
    bool m_stale = true;
    std::optional<std::pair<qint64, qint64>> m_span;
    HistogramView* m_histogram = nullptr;
    QCheckBox* m_expiry = nullptr;
};

} // namespace vc
