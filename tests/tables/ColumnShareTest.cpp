#include "tables/ColumnShare.h"
#include "tables/TableColumns.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace vc;

namespace {

std::vector<double> factorsOf(const std::vector<TableColumn>& columns) {
    std::vector<double> factors;
    for (const TableColumn& c : columns)
        factors.push_back(c.widthFactor);
    return factors;
}

int sum(const std::vector<int>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0);
}

} // namespace

TEST(ColumnShare, FillsTheWidthByShares) {
    // Without minimums the columns take their shares and the last the rest:
    // together exactly the view's width, not more (no sideways scrolling).
    const auto factors = factorsOf(historyColumns()); // 0.40 0.20 0.20 0.10 rest
    const auto widths = shareColumnWidths(factors, {}, 1000);
    EXPECT_EQ(widths, (std::vector<int>{400, 200, 200, 100, 100}));
    EXPECT_EQ(sum(shareColumnWidths(factors, {}, 977)), 977);
    // An empty table and a view with no room do not fail.
    EXPECT_TRUE(shareColumnWidths({}, {}, 500).empty());
    EXPECT_EQ(shareColumnWidths(factors, {10, 10, 10, 10, 10}, -5),
              (std::vector<int>{10, 10, 10, 10, 10}));
}

TEST(ColumnShare, MinimumsAreKeptAndPaidForByTheWideColumns) {
    // The Cookie table: "File Name" and "Value" have 5 % each, too narrow
    // for their captions at 1000 pixels; they get their minimum and the
    // others shrink in proportion, the whole still exactly 1000.
    const auto factors = factorsOf(cookieColumns());
    const std::vector<int> minimums{40, 40, 130, 130, 90, 70, 50};
    const auto widths = shareColumnWidths(factors, minimums, 1000);
    ASSERT_EQ(widths.size(), 7u);
    EXPECT_EQ(sum(widths), 1000);
    for (size_t c = 0; c < widths.size(); ++c)
        EXPECT_GE(widths[c], minimums[c]) << c;
    EXPECT_EQ(widths[4], 90);
    EXPECT_EQ(widths[5], 70);
    // The wide columns keep their proportions among themselves.
    EXPECT_NEAR(double(widths[0]) / widths[2], 0.30 / 0.20, 0.02);

    // When even the minimums do not fit, each column keeps its minimum and
    // the table scrolls sideways rather than squeezing a column unreadable.
    const auto narrow = shareColumnWidths(factors, minimums, 400);
    EXPECT_EQ(narrow, minimums);
}

TEST(ColumnShare, TablesWiderThanTheViewKeepEveryShare) {
    // The recent documents' shares add up to more than the view: each
    // column keeps its share of the view, the trailing ones too, and a
    // minimum raises a share without shrinking the others.
    const auto factors = factorsOf(recentColumns());
    std::vector<int> minimums(factors.size(), 0);
    minimums[6] = 200; // "MRU Position" at 0.14 of 1000 is too narrow here
    const auto widths = shareColumnWidths(factors, minimums, 1000);
    ASSERT_EQ(widths.size(), factors.size());
    EXPECT_EQ(widths[0], 300);
    EXPECT_EQ(widths[6], 200);
    EXPECT_EQ(widths[18], 300); // the note
    EXPECT_GT(sum(widths), 1000);
}
