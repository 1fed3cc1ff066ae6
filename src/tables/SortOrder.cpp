#include "tables/SortOrder.h"

#include "tables/TimeKey.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace vc {

namespace {

struct FoldTable {
    unsigned char map[256];
    FoldTable() {
        for (int i = 0; i < 256; ++i)
            map[i] = (i >= 'a' && i <= 'z') ? (unsigned char)(i - 'a' + 'A') : (unsigned char)i;
    }
};
const FoldTable kFold;

struct DateKey {
    qint64 key;
    int row;
};

std::vector<int> dateOrder(const TableModel& table, int column, bool ascending,
                           const DateSortRules& rules) {
    const TimeKeyReader reader(rules.pattern);
    const qint64 base = TimeKeyReader::keyOfDate(rules.baseDate);
    constexpr qint64 kDay = 86400;
    const int rows = table.rows();
    std::vector<DateKey> keys(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const QByteArrayView text = table.cellView(r, column);
        qint64 key;
        if (const std::optional<qint64> when = reader.read(text))
            key = *when;
        else if (text.isEmpty())
            key = base;
        else if (text == QByteArrayView(rules.unconvertedText))
            key = base + kDay;
        else
            key = base + 2 * kDay;
        keys[size_t(r)] = {key, r};
    }
    // The row index breaks ties, which keeps equal keys in their current order.
    if (ascending)
        std::sort(keys.begin(), keys.end(), [](const DateKey& a, const DateKey& b) {
            return a.key != b.key ? a.key < b.key : a.row < b.row;
        });
    else
        std::sort(keys.begin(), keys.end(), [](const DateKey& a, const DateKey& b) {
            return a.key != b.key ? a.key > b.key : a.row < b.row;
        });
    std::vector<int> order(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        order[size_t(i)] = keys[size_t(i)].row;
    return order;
}

std::vector<int> textOrder(const TableModel& table, int column, bool ascending) {
    const int rows = table.rows();
    std::vector<QByteArrayView> keys(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r)
        keys[size_t(r)] = table.cellView(r, column);
    std::vector<int> order(static_cast<size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    if (ascending)
        std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
            return compareTextFolded(keys[size_t(a)], keys[size_t(b)]) < 0;
        });
    else
        std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
            return compareTextFolded(keys[size_t(b)], keys[size_t(a)]) < 0;
        });
    return order;
}

} // namespace

int compareTextFolded(QByteArrayView a, QByteArrayView b) {
    const qsizetype n = std::min(a.size(), b.size());
    const auto* pa = reinterpret_cast<const unsigned char*>(a.data());
    const auto* pb = reinterpret_cast<const unsigned char*>(b.data());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(kFold.map[pa[i]]) - int(kFold.map[pb[i]]);
        if (d != 0)
            return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<int> sortedRowOrder(const TableModel& table, int column, bool ascending,
                                const DateSortRules& dates) {
    if (column < 0 || column >= table.columns()) {
        std::vector<int> unchanged(static_cast<size_t>(table.rows()));
        std::iota(unchanged.begin(), unchanged.end(), 0);
        return unchanged;
    }
    if (table.isDateColumn(column))
        return dateOrder(table, column, ascending, dates);
    return textOrder(table, column, ascending);
}

} // namespace vc
