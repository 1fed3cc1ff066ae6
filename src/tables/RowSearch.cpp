#include "tables/RowSearch.h"

#include "platform/TimeValue.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace vc {

namespace {

struct FoldTable {
    char map[256];
    FoldTable() {
        for (int i = 0; i < 256; ++i)
            map[i] = char((i >= 'a' && i <= 'z') ? i - 'a' + 'A' : i);
    }
};
const FoldTable kFold;

// Copies n bytes with a-z turned into A-Z, eight bytes at a time: a byte
// gets its 0x20 bit cleared when it lies in 'a'..'z' (bytes above 127 and
// every other byte stay).
void copyFolded(char* out, const char* in, size_t n) {
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHigh = 0x8080808080808080ULL;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 x;
        memcpy(&x, in + i, 8);
        const quint64 low7 = x & ~kHigh;
        const quint64 aboveA = low7 + (0x80 - 'a') * kOnes;     // high bit: byte >= 'a'
        const quint64 aboveZ = low7 + (0x80 - 'z' - 1) * kOnes; // high bit: byte > 'z'
        const quint64 lower = (aboveA ^ aboveZ) & ~x & kHigh;
        x ^= lower >> 2;
        memcpy(out + i, &x, 8);
    }
    for (; i < n; ++i)
        out[i] = kFold.map[static_cast<unsigned char>(in[i])];
}

} // namespace

int findRow(const TableModel& table, const RowSearch& search, int start, int step) {
    if (search.text.isEmpty() || (step != 1 && step != -1))
        return -1;
    const int columns = table.columns();
    std::vector<char> checked(static_cast<size_t>(columns), 0);
    for (int c = 0; c < columns && size_t(c) < search.columns.size(); ++c)
        checked[size_t(c)] = search.columns[size_t(c)] ? 1 : 0;

    QByteArray needle = search.text;
    if (!search.caseSensitive)
        for (char& c : needle)
            c = kFold.map[static_cast<unsigned char>(c)];

    // One searcher for every row: its skip table is worked out once.
    const std::boyer_moore_horspool_searcher finder(needle.cbegin(), needle.cend());
    std::vector<char> rowText;
    QByteArray shown;
    for (int row = start; row >= 0 && row < table.rows(); row += step) {
        // The row text: the checked cells of the stored row (cells separated
        // by zero bytes), joined without separators, folded when case does
        // not count.
        QByteArrayView packed = table.packedRow(row);
        if (packed.contains(kTimeCellMark)) {
            // The times as their texts: the row as it is shown.
            shown = table.joinedRow(row, '\0');
            packed = shown;
        }
        if (packed.size() < needle.size())
            continue;
        rowText.resize(size_t(packed.size()));
        char* out = rowText.data();
        const char* p = packed.data();
        const char* const end = p + packed.size();
        for (int column = 0; column < columns; ++column) {
            const char* cellEnd = static_cast<const char*>(memchr(p, '\0', size_t(end - p)));
            if (!cellEnd)
                cellEnd = end;
            if (checked[size_t(column)]) {
                const size_t n = size_t(cellEnd - p);
                if (search.caseSensitive)
                    memcpy(out, p, n);
                else
                    copyFolded(out, p, n);
                out += n;
            }
            if (cellEnd == end)
                break; // the row's last stored cell
            p = cellEnd + 1;
        }
        const char* const textBegin = rowText.data();
        if (std::search(textBegin, static_cast<const char*>(out), finder) != out)
            return row;
    }
    return -1;
}

} // namespace vc
