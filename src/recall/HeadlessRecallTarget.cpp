#include "recall/HeadlessRecallTarget.h"

#include "app/TableColumns.h"
#include "app/WorkFile.h"
#include "cache/ActivityTable.h"
#include "cache/CookieTable.h"
#include "cache/HistoryTable.h"
#include "cache/LinksTable.h"
#include "documents/LinesToTable.h"

namespace vc {

namespace {

// A table's rows replaced, its sort marks and sort state cleared.
void startAfresh(TableModel& table) {
    table.removeAllRows();
    table.clearHeaderImages();
    table.setHint(QString());
}

} // namespace

HeadlessRecallTarget::HeadlessRecallTarget() {
    m_tables[0] = std::make_unique<TableModel>(QStringLiteral("ListView1"), activityColumns());
    m_tables[1] = std::make_unique<TableModel>(QStringLiteral("ieH_ListView"), historyColumns());
    m_tables[2] = std::make_unique<TableModel>(QStringLiteral("ieC_ListView"), cookieColumns());
    m_tables[3] = std::make_unique<TableModel>(QStringLiteral("ieL_ListView"), linksColumns());
    m_tables[4] = std::make_unique<TableModel>(QStringLiteral("docsR_ListView"), recentColumns());
    m_tables[5] = std::make_unique<TableModel>(QStringLiteral("docsT_ListView"), tempColumns());
}

HeadlessRecallTarget::~HeadlessRecallTarget() = default;

TableModel& HeadlessRecallTarget::table(int section) {
    return *m_tables[std::clamp(section, 0, kRecallSectionCount - 1)];
}

QString HeadlessRecallTarget::openSection(int section) {
    m_opened.append(section);
    return recallOuterCaption(section) + QStringLiteral(": ") + recallSectionCaption(section);
}

void HeadlessRecallTarget::setLabelText(int section, RecallLabel label, const QString& text) {
    m_texts[{section, int(label)}] = text;
}

void HeadlessRecallTarget::setLabelHint(int section, RecallLabel label, const QString& hint) {
    m_hints[{section, int(label)}] = hint;
}

QString HeadlessRecallTarget::labelText(int section, RecallLabel label) const {
    return m_texts.value({section, int(label)});
}

QString HeadlessRecallTarget::labelHint(int section, RecallLabel label) const {
    return m_hints.value({section, int(label)});
}

void HeadlessRecallTarget::fillActivityTable(const QString& workFileName, const QString& indexFile,
                                             int share, double version) {
    setLabelText(0, RecallLabel::IndexFile,
                 indexFile + QStringLiteral(". ") + QString::asprintf("Version: %.1f", version));
    TableModel& t = table(0);
    t.beginBulkUpdate();
    startAfresh(t);
    FillActivityRows(readFileLines(workFileName), t, &m_progress, share);
    t.endBulkUpdate();
}

void HeadlessRecallTarget::fillHistoryTable(const QString& workFileName, int share) {
    TableModel& t = table(1);
    t.clearHeaderImages();
    t.setHint(QString());
    t.beginBulkUpdate();
    FillHistoryRows(readFileLines(workFileName), t, &m_progress, share);
    t.endBulkUpdate();
}

void HeadlessRecallTarget::fillCookieTableFromFiles(const QString& workFileName, int share) {
    TableModel& t = table(2);
    t.beginBulkUpdate();
    startAfresh(t);
    FillCookieRowsFromFiles(readFileLines(workFileName), t, &m_progress, share);
    t.endBulkUpdate();
}

void HeadlessRecallTarget::fillCookieTableFromIndex(const QString& workFileName, int share) {
    TableModel& t = table(2);
    QStringList fileNames;
    t.beginBulkUpdate();
    FillCookieRowsFromIndex(readFileLines(workFileName), t, fileNames, &m_progress, share);
    t.endBulkUpdate();
}

void HeadlessRecallTarget::linesToLinksTable(QList<QByteArray>& lines, int share) {
    TableModel& t = table(3);
    t.beginBulkUpdate();
    startAfresh(t);
    FillLinksRows(lines, t, &m_progress, share);
    t.endBulkUpdate();
    lines.clear();
}

void HeadlessRecallTarget::linesToTable(int section, QList<QByteArray>& lines, int share) {
    LinesToTable(lines, table(section), &m_progress, share);
}

} // namespace vc
