#pragma once

#include "tables/TableModel.h"

#include <QDate>
#include <QString>

namespace vc {

// The newest calendar date that a table's date columns show, no later than
// `latest` (a cookie that expires in 9999 is no date the examiner looks
// for), over every stored row, shown or hidden by a filter. Time cells count
// as shown in the current zone; text cells as read with the time pattern
// `pattern`. An invalid date when the table holds none.
QDate newestShownDate(const TableModel& table, const QString& pattern, const QDate& latest);

} // namespace vc
