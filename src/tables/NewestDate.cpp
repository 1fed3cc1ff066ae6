#include "tables/NewestDate.h"

#include "platform/TimeValue.h"
#include "tables/TimeKey.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

namespace vc {

QDate newestShownDate(const TableModel& table, const QString& pattern, const QDate& latest) {
    const TimeKeyReader reader(pattern);
    // Keys are the wall-clock seconds shown, counted as if in UTC.
    const qint64 bound = TimeKeyReader::keyOfDate(latest.addDays(1));
    std::optional<qint64> newest;
    for (int c = 0; c < table.columns(); ++c) {
        if (!table.isDateColumn(c))
            continue;
        for (int r = 0; r < table.storedRows(); ++r) {
            const QByteArrayView text = table.storedCellView(r, c);
            std::optional<qint64> key;
            if (isTimeCell(text)) {
                if (const std::optional<TimeValue> time = readTimeCell(text))
                    key = timeSortKey(*time);
            } else if (!text.isEmpty()) {
                key = reader.read(text);
            }
            if (key && *key < bound && (!newest || *key > *newest))
                newest = key;
        }
    }
    if (!newest)
        return {};
    return QDateTime::fromSecsSinceEpoch(*newest, QTimeZone::utc()).date();
}

} // namespace vc
