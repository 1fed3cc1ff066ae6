#include "timeline/TimelineRows.h"

#include "language/TextIds.h"

#include <algorithm>

namespace vc {

std::vector<TableColumn> timelineTableColumns() {
    return {{TextTime, true, 0.15},        {TextEvent, false, 0.15},
            {TextSource, false, 0.15},     {TextUser, false, 0.07},
            {TextComputer, false, 0.08},   {TextAddressOrPath, false, 0.30},
            {TextDescription, false, 0.30}};
}

std::unique_ptr<TableModel> makeTimelineTable() {
    auto table =
        std::make_unique<TableModel>(QStringLiteral("tl_ListView"), timelineTableColumns());
    table->setCellEncoding(CellEncoding::Utf8);
    return table;
}

TimelineRows::TimelineRows(std::shared_ptr<const Timeline> timeline, qsizetype first,
                           qsizetype last)
    : m_timeline(std::move(timeline)) {
    const qsizetype size = m_timeline ? m_timeline->size() : 0;
    m_first = std::clamp<qsizetype>(first, 0, size);
    // A table counts its rows in an int.
    m_last = std::clamp<qsizetype>(last, m_first, std::min<qsizetype>(size, m_first + 0x7fffffff));
}

void TimelineRows::appendRow(int row, QByteArray& out) const {
    const TimelineEvent& e = m_timeline->event(eventIndex(row));
    const TimelineTable& t = m_timeline->tableOf(e);
    RowCells cells;
    splitRow(t.table->storedPackedRow(int(e.row)), t.table->columns(), cells);
    out.append(cells[e.column]);
    out.append('\0');
    out.append(m_timeline->eventText(t, e.column));
    out.append('\0');
    out.append(t.caption);
    out.append('\0');
    m_timeline->appendUser(t, cells, out);
    out.append('\0');
    out.append(t.machineUtf8);
    out.append('\0');
    m_timeline->appendAddress(t, cells, out);
    out.append('\0');
    m_timeline->appendDescription(t, cells, out);
}

qsizetype timelineEventOfRow(const TableModel& table, int row) {
    const auto* rows = dynamic_cast<const TimelineRows*>(table.rowSource());
    const int stored = table.storedRow(row);
    if (!rows || stored < 0)
        return -1;
    return rows->eventIndex(table.sourceRowOf(stored));
}

} // namespace vc
