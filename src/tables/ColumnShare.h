#pragma once

#include <cstddef>
#include <vector>

namespace vc {

// How the columns of a table share the width of its view.
//
// Every column has a share of the width (its width factor) and a narrowest
// readable width (its minimum). The last column takes what the others leave,
// but never less than its own share. When the shares add up to no more than
// the whole width, the columns fill exactly `width`: a column that its share
// would make narrower than its minimum gets the minimum, and the others give
// up what that costs, in proportion to their shares, as far as their own
// minimums allow. When even the minimums do not fit, every column gets its
// minimum and the table scrolls sideways. A table whose shares add up to
// more than the width (many trailing columns) keeps every share, raised to
// its minimum where needed, and scrolls.
//
// The column that takes the rest is the last whose share is 0 (a table's
// trailing columns, such as "User", keep their own shares after it), else
// the last column.
std::vector<int> shareColumnWidths(const std::vector<double>& factors,
                                   const std::vector<int>& minimums, int width);
size_t restColumnOf(const std::vector<double>& factors);

} // namespace vc
