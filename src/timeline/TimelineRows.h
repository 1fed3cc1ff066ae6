#pragma once

#include "tables/TableModel.h"
#include "timeline/Timeline.h"

#include <memory>
#include <vector>

namespace vc {

// The columns of the timeline's table: the time, what it means, the source,
// the user, the computer, the row's address or path and a short
// description made from the row.
enum TimelineColumn {
    kTimelineTime,
    kTimelineEvent,
    kTimelineSource,
    kTimelineUser,
    kTimelineMachine,
    kTimelineAddress,
    kTimelineDescription,
    kTimelineColumnCount
};
std::vector<TableColumn> timelineTableColumns();
// An empty table laid out as the timeline's ("tl_ListView"); its text cells
// are UTF-8, its time cells those of the source rows.
std::unique_ptr<TableModel> makeTimelineTable();

// The rows of the timeline's table: the events first..last of a timeline,
// each row made from its source row when it is read.
class TimelineRows : public RowSource {
public:
    TimelineRows(std::shared_ptr<const Timeline> timeline, qsizetype first, qsizetype last);
    int rowCount() const override { return int(m_last - m_first); }
    void appendRow(int row, QByteArray& out) const override;

    const Timeline& timeline() const { return *m_timeline; }
    std::shared_ptr<const Timeline> sharedTimeline() const { return m_timeline; }
    // The event of a row of the source (0 <= row < rowCount()).
    qsizetype eventIndex(int row) const { return m_first + row; }
    qsizetype first() const { return m_first; }
    qsizetype last() const { return m_last; }

private:
    std::shared_ptr<const Timeline> m_timeline;
    qsizetype m_first;
    qsizetype m_last;
};

// The event a shown row of a timeline table stands for; -1 when the table
// shows no timeline or the row is outside it.
qsizetype timelineEventOfRow(const TableModel& table, int row);

} // namespace vc
