#include "timeline/ui/TimelineView.h"

#include "app/BusyCursor.h"
#include "app/RowFocus.h"
#include "app/RowTableView.h"
#include "app/WindowSettings.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PaneActions.h"
#include "tables/ExportTarget.h"
#include "tables/RowFilter.h"
#include "tables/ui/HandlerPause.h"
#include "tables/ui/TableFilterBar.h"
#include "timeline/MachineName.h"
#include "timeline/TimelineExport.h"
#include "timeline/TimelineHistogram.h"
#include "timeline/TimelineRows.h"
#include "timeline/ui/HistogramView.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

namespace vc {

SourceWidgets timelineWidgets() {
    return {"tl_TabSheet",
            "tl_Label",
            "tl_CondLabel",
            "tl_BotPanel",
            "tl_Memo",
            "tl_FilePanel",
            "",
            "",
            0,
            0};
}

QString timelineTableName() {
    return QStringLiteral("tl_ListView");
}

TimelineView::TimelineView(WindowFrame& form, TableTab& tab, QWidget* top)
    : QObject(form.frameWidget()), m_form(form), m_tab(tab) {
    setObjectName(QStringLiteral("tl_Timeline"));
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    m_expiry = new QCheckBox(top);
    m_expiry->setObjectName(QStringLiteral("tl_ExpiryCheckBox"));
    m_expiry->setChecked(false);
    topLayout->addStretch(1);
    topLayout->addWidget(m_expiry);
    connect(m_expiry, &QCheckBox::toggled, this, [this] { updateHistogram(); });

    // The histogram above the table, in the splitter, so the user can give
    // it more room.
    m_histogram = new HistogramView;
    if (auto* splitter = qobject_cast<QSplitter*>(m_tab.view->parentWidget())) {
        splitter->insertWidget(0, m_histogram);
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 4);
        splitter->setStretchFactor(2, 1);
    }
    connect(m_histogram, &HistogramView::spanChosen, this, &TimelineView::narrowTo);
    connect(m_histogram, &HistogramView::spanCleared, this, &TimelineView::showEverySpan);

    // The filter box and a sort change what the histogram counts.
    connect(m_tab.model, &QAbstractItemModel::modelReset, this, [this] {
        updateHistogram();
        updateLabels();
    });
    if (auto* view = qobject_cast<RowTableView*>(m_tab.view))
        connect(view, &RowTableView::rowEntered, this, [this] { showEventRow(focusedRow(m_tab)); });

    // Every table of the sources: a change makes the timeline stale.
    for (int i = 0; i < kTableTabCount; ++i) {
        const TableModel* model = m_form.tab(TabId(i)).model;
        connect(model, &QAbstractItemModel::modelReset, this, &TimelineView::markStale);
        connect(model, &QAbstractItemModel::layoutChanged, this, &TimelineView::markStale);
        connect(model, &QAbstractItemModel::rowsInserted, this, &TimelineView::markStale);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &TimelineView::markStale);
    }
    applyInterfaceTexts();
}

void TimelineView::markStale() {
    m_stale = true;
    // Shown now: made again once the change is over.
    if (m_form.currentTabId() == kTimelineTab)
        QTimer::singleShot(0, this, [this] {
            if (m_form.currentTabId() == kTimelineTab)
                refreshIfStale();
        });
}

void TimelineView::refreshIfStale() {
    if (m_stale)
        rebuild();
}

void TimelineView::rebuild() {
    BusyCursor busy;
    auto timeline = std::make_shared<Timeline>();
    const QString machine = m_form.machine() ? machineNameOf(*m_form.machine()) : QString();
    for (int i = 0; i < kTableTabCount; ++i)
        timeline->addTable(i, m_form.tab(TabId(i)).model, machine);
    timeline->build();
    m_timeline = std::move(timeline);
    m_stale = false;
    m_span.reset();
    setRows(0, m_timeline->size());
}

void TimelineView::setRows(qsizetype first, qsizetype last) {
    {
        HandlerPause pause(m_form, kTimelineTab);
        m_tab.model->setRowSource(std::make_shared<TimelineRows>(m_timeline, first, last));
        m_tab.model->clearHeaderImages();
        m_tab.model->setHint(QString());
    }
    m_form.ClearPane(m_tab.pane);
    updateLabels();
    if (m_tab.model->rows() > 0 && m_form.currentTabId() == kTimelineTab)
        m_form.selectFirstRow(kTimelineTab);
    m_form.UpdateTabState();
}

void TimelineView::updateLabels() {
    m_tab.countLabel->setText(tx(TextEvents) + QStringLiteral(": ") + shownRowCount(*m_tab.model));
    QString span;
    if (m_span) {
        QByteArray from, to;
        const auto text = [](qint64 microseconds, QByteArray& out) {
            TableModel::appendShown(
                timeCell({TimeKind::UnixMicroseconds, TimeRule::Open, microseconds}), out);
        };
        text(m_span->first, from);
        // The span ends before its end: the last second in it.
        text(m_span->second - 1000000, to);
        span = tx(TextSpanShown).arg(QString::fromUtf8(from), QString::fromUtf8(to));
    }
    m_form.setConditionText(kTimelineTab, span);
}

void TimelineView::updateHistogram() {
    m_histogram->setHistogram(timelineHistogram(*m_tab.model, m_expiry->isChecked()));
}

void TimelineView::narrowTo(qint64 from, qint64 to) {
    if (!m_timeline || to <= from)
        return;
    m_span = std::make_pair(from, to);
    setRows(m_timeline->lowerBound(from), m_timeline->lowerBound(to));
}

void TimelineView::showEverySpan() {
    if (!m_timeline || !m_span)
        return;
    m_span.reset();
    setRows(0, m_timeline->size());
}

void TimelineView::showInPane(int row) {
    const qsizetype index = timelineEventOfRow(*m_tab.model, row);
    if (!m_timeline || index < 0)
        return;
    const TimelineEvent& e = m_timeline->event(index);
    const TimelineTable& t = m_timeline->tableOf(e);
    // What the event is, then every filled field of its row.
    QString text;
    for (int c = 0; c < kTimelineColumnCount; ++c) {
        const QString cell = m_tab.model->cellText(row, c);
        if (!cell.trimmed().isEmpty())
            text += m_tab.model->caption(c) + QStringLiteral(": ") + cell + QLatin1Char('\n');
    }
    text += QLatin1Char('\n');
    const int stored = int(e.row);
    for (int c = 0; c < t.table->columns(); ++c) {
        const QString cell = t.table->decodeCell(c, t.table->storedCellView(stored, c));
        if (!cell.trimmed().isEmpty())
            text += t.table->caption(c) + QStringLiteral(": ") + cell + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + tx(TextEventRowHint);
    m_tab.pane->memo()->setPlainText(text);
    const QString address = m_tab.model->cellText(row, kTimelineAddress);
    m_tab.pane->filePanel()->setText(address);
    m_tab.pane->filePanel()->setToolTip(fileOfRow(row));
}

QString TimelineView::fileOfRow(int row) {
    const qsizetype index = timelineEventOfRow(*m_tab.model, row);
    if (!m_timeline || index < 0)
        return QString();
    const TimelineEvent& e = m_timeline->event(index);
    const TimelineTable& t = m_timeline->tableOf(e);
    const int shown = t.table->shownRow(int(e.row));
    return shown < 0 ? QString() : FileOfRow(m_form, TabId(t.source), shown);
}

int TimelineView::sourceRowOf(int row, int source) const {
    const qsizetype index = timelineEventOfRow(*m_tab.model, row);
    if (!m_timeline || index < 0)
        return -1;
    const TimelineEvent& e = m_timeline->event(index);
    const TimelineTable& t = m_timeline->tableOf(e);
    return t.source == source ? t.table->shownRow(int(e.row)) : -1;
}

void TimelineView::showEventRow(int row) {
    const qsizetype index = timelineEventOfRow(*m_tab.model, row);
    if (!m_timeline || index < 0)
        return;
    const TimelineEvent& e = m_timeline->event(index);
    const TimelineTable& t = m_timeline->tableOf(e);
    TableTab& source = m_form.tab(TabId(t.source));
    // A row the source tab's filter hides is shown again: the filter goes.
    if (source.model->shownRow(int(e.row)) < 0 && source.filter)
        source.filter->box()->clear();
    const int shown = source.model->shownRow(int(e.row));
    if (shown < 0)
        return;
    m_form.showTab(TabId(t.source));
    focusRow(source, shown);
}

void TimelineView::exportTimeline() {
    if (!m_timeline || m_tab.model->rows() == 0)
        return;
    const QStringList filters{QStringLiteral("Timesketch JSONL (*.jsonl)"),
                              QStringLiteral("Timesketch CSV (*.csv)"),
                              QStringLiteral("plaso l2tcsv (*.csv)")};
    const QStringList extensions{QStringLiteral(".jsonl"), QStringLiteral(".csv"),
                                 QStringLiteral(".csv")};
    QString folder = lastExportFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    int chosen = 0;
    const QString path =
        chooseExportTargetAmong(*m_form.chooser(),
                                QDir(folder).filePath(exportFileSuggestion(
                                    tx(TextTimelineTab), QDate::currentDate(), extensions[0])),
                                filters, extensions, &chosen);
    if (path.isEmpty())
        return;
    const TimelineFormat format = chosen == 1   ? TimelineFormat::TimesketchCsv
                                  : chosen == 2 ? TimelineFormat::L2tCsv
                                                : TimelineFormat::Jsonl;
    // The rows shown, in the table's order.
    std::vector<qsizetype> events;
    events.reserve(size_t(m_tab.model->rows()));
    for (int r = 0; r < m_tab.model->rows(); ++r)
        events.push_back(timelineEventOfRow(*m_tab.model, r));
    BusyCursor busy;
    m_form.CreateProgressBar(true, 0, 100);
    QFile out(path);
    TimelineExportSummary summary;
    const bool written =
        out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        writeTimeline(*m_timeline, format, out, &summary, m_form.progress(), &events) &&
        out.flush();
    const QString failure = out.errorString();
    out.close();
    m_form.DestroyProgressBar();
    if (!written) {
        showError(tx(TextExportNotWritten) + QStringLiteral(":\n") + path + QStringLiteral("\n") +
                  failure);
        return;
    }
    rememberExportFolder(QFileInfo(path).absolutePath());
    QString said = tx(TextEventsWritten).arg(summary.written);
    if (summary.leftOut > 0)
        said += QStringLiteral("; ") + tx(TextEventsLeftOut).arg(summary.leftOut);
    m_form.statusPanel(0)->setText(said + QStringLiteral(": ") + path);
}

void TimelineView::applyInterfaceTexts() {
    m_expiry->setText(tx(TextExpiryInHistogram));
    m_histogram->setToolTip(tx(TextHistogramHint));
    if (m_timeline)
        m_timeline->refreshTexts();
    updateLabels();
    m_histogram->update();
}

} // namespace vc
