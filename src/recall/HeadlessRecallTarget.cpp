#include "recall/HeadlessRecallTarget.h"

#include "browsers/BrowserColumns.h"
#include "tables/TableColumns.h"

#include <algorithm>

namespace vc {

HeadlessRecallTarget::HeadlessRecallTarget() {
    m_tables[0] = std::make_unique<TableModel>(QStringLiteral("ListView1"), activityColumns());
    m_tables[1] = std::make_unique<TableModel>(QStringLiteral("ieH_ListView"), historyColumns());
    m_tables[2] = std::make_unique<TableModel>(QStringLiteral("ieC_ListView"), cookieColumns());
    m_tables[3] = std::make_unique<TableModel>(QStringLiteral("ieL_ListView"), linksColumns());
    m_tables[4] = std::make_unique<TableModel>(QStringLiteral("docsR_ListView"), recentColumns());
    m_tables[5] = std::make_unique<TableModel>(QStringLiteral("docsT_ListView"), tempColumns());
    m_tables[6] = makeBrowserTable(BrowserTable::History);
    m_tables[7] = makeBrowserTable(BrowserTable::Downloads);
    m_tables[8] = makeBrowserTable(BrowserTable::Cookies);
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

} // namespace vc
