#include "tables/RowSearch.h"

#include <algorithm>
#include <functional>
#include <string>

namespace vc {

namespace {

inline char foldByte(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

} // namespace

int findRow(const TableModel& table, const RowSearch& search, int start, int step) {
    if (search.text.isEmpty() || (step != 1 && step != -1))
        return -1;
    const int columns = table.columns();
    std::vector<bool> checked(static_cast<size_t>(columns), false);
    for (int c = 0; c < columns && size_t(c) < search.columns.size(); ++c)
        checked[size_t(c)] = search.columns[size_t(c)];
    const bool allChecked = std::all_of(checked.begin(), checked.end(), [](bool b) { return b; });

    std::string needle(search.text.constData(), size_t(search.text.size()));
    if (!search.caseSensitive)
        std::transform(needle.begin(), needle.end(), needle.begin(), foldByte);
    const std::boyer_moore_horspool_searcher finder(needle.begin(), needle.end());

    std::string rowText;
    for (int row = start; row >= 0 && row < table.rows(); row += step) {
        // The row text: the checked cells of the stored row, whose cells are
        // separated by zero bytes, joined without the separators.
        const QByteArrayView packed = table.packedRow(row);
        rowText.clear();
        int column = 0;
        for (char c : packed) {
            if (c == '\0') {
                ++column;
                continue;
            }
            if (allChecked || (column < columns && checked[size_t(column)]))
                rowText.push_back(search.caseSensitive ? c : foldByte(c));
        }
        if (std::search(rowText.begin(), rowText.end(), finder) != rowText.end())
            return row;
    }
    return -1;
}

} // namespace vc
