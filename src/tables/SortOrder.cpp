#include "tables/SortOrder.h"

#include "platform/TimeValue.h"
#include "tables/TimeKey.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

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
    const int rows = table.storedRows();
    std::vector<DateKey> keys(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const QByteArrayView text = table.storedCellView(r, column);
        qint64 key;
        if (const std::optional<TimeValue> time = readTimeCell(text)) {
            // A stored time: its wall-clock seconds in the zone shown; one
            // without a calendar date sorts where its text would, the empty
            // text's place or the unconverted text's.
            if (const std::optional<qint64> when = timeSortKey(*time))
                key = *when;
            else
                key = time->rule == TimeRule::Blank ? base : base + kDay;
        } else if (const std::optional<qint64> when = reader.read(text))
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

// Text keys are sorted by a three-way radix quicksort on eight folded bytes
// at a time, kept beside each key: most comparisons then need no visit to
// the row's bytes, and a common start (every address begins "http://") is
// passed once per group instead of once per comparison.
struct TextKey {
    quint64 chunk; // folded bytes [depth, depth + 8), zero past the end
    const unsigned char* data;
    qsizetype size;
    int row;
};

quint64 chunkAt(const TextKey& key, qsizetype depth) {
    quint64 chunk = 0;
    for (qsizetype i = depth; i < depth + 8; ++i)
        chunk = (chunk << 8) | (i < key.size ? kFold.map[key.data[i]] : 0u);
    return chunk;
}

// Full order of two keys: the folded text, then the current row.
bool textKeyBefore(const TextKey& a, const TextKey& b, bool ascending) {
    const int d = compareTextFolded(QByteArrayView(reinterpret_cast<const char*>(a.data), a.size),
                                    QByteArrayView(reinterpret_cast<const char*>(b.data), b.size));
    if (d != 0)
        return ascending ? d < 0 : d > 0;
    return a.row < b.row;
}

void sortTextKeys(TextKey* keys, size_t n, qsizetype depth, bool ascending, int budget) {
    while (n > 1) {
        if (n < 16 || budget-- <= 0) {
            // Small groups, and any input that defeats the partitioning.
            std::sort(keys, keys + n, [ascending](const TextKey& a, const TextKey& b) {
                return textKeyBefore(a, b, ascending);
            });
            return;
        }
        // Median of three chunks as the pivot.
        quint64 p0 = keys[0].chunk, p1 = keys[n / 2].chunk, p2 = keys[n - 1].chunk;
        if (p0 > p1)
            std::swap(p0, p1);
        if (p1 > p2)
            std::swap(p1, p2);
        if (p0 > p1)
            std::swap(p0, p1);
        const quint64 pivot = p1;
        // Three-way partition: before, equal, after (in the sort direction).
        size_t lt = 0, i = 0, gt = n;
        while (i < gt) {
            const quint64 c = keys[i].chunk;
            const bool before = ascending ? c < pivot : c > pivot;
            const bool after = ascending ? c > pivot : c < pivot;
            if (before)
                std::swap(keys[lt++], keys[i++]);
            else if (after)
                std::swap(keys[i], keys[--gt]);
            else
                ++i;
        }
        sortTextKeys(keys, lt, depth, ascending, budget);
        sortTextKeys(keys + gt, n - gt, depth, ascending, budget);
        // The equal group: when its texts end within this chunk they are
        // equal and keep their current order; else go on eight bytes deeper.
        keys += lt;
        n = gt - lt;
        if ((pivot & 0xFF) == 0) {
            std::sort(keys, keys + n,
                      [](const TextKey& a, const TextKey& b) { return a.row < b.row; });
            return;
        }
        depth += 8;
        for (size_t k = 0; k < n; ++k)
            keys[k].chunk = chunkAt(keys[k], depth);
    }
}

std::vector<int> textOrder(const TableModel& table, int column, bool ascending) {
    const int rows = table.storedRows();
    std::vector<TextKey> keys(static_cast<size_t>(rows));
    // A table of a row source makes each row when it is read: its texts are
    // gathered into one block first, which the keys then point into.
    QByteArray made;
    std::vector<qsizetype> madeEnds;
    if (table.hasRowSource()) {
        madeEnds.reserve(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            made.append(table.storedCellView(r, column));
            madeEnds.push_back(made.size());
        }
    }
    for (int r = 0; r < rows; ++r) {
        QByteArrayView text;
        if (table.hasRowSource()) {
            const qsizetype start = r > 0 ? madeEnds[size_t(r - 1)] : 0;
            text = QByteArrayView(made.constData() + start, madeEnds[size_t(r)] - start);
        } else {
            text = table.storedCellView(r, column);
        }
        TextKey& key = keys[size_t(r)];
        key.data = reinterpret_cast<const unsigned char*>(text.data());
        key.size = text.size();
        key.row = r;
        key.chunk = chunkAt(key, 0);
    }
    int budget = 64;
    for (int n = rows; n > 1; n /= 2)
        budget += 2;
    sortTextKeys(keys.data(), keys.size(), 0, ascending, budget);
    std::vector<int> order(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        order[size_t(i)] = keys[size_t(i)].row;
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
        std::vector<int> unchanged(static_cast<size_t>(table.storedRows()));
        std::iota(unchanged.begin(), unchanged.end(), 0);
        return unchanged;
    }
    if (table.isDateColumn(column))
        return dateOrder(table, column, ascending, dates);
    return textOrder(table, column, ascending);
}

} // namespace vc
