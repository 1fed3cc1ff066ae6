#include "tables/ColumnShare.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vc {

namespace {

// A share of a width in whole pixels; the small allowance keeps 0.3 of 1000
// at 300 although 0.3 is a little less in binary.
int part(double width, double share) {
    return int(std::floor(width * share + 1e-6));
}

} // namespace

size_t restColumnOf(const std::vector<double>& factors) {
    for (size_t c = factors.size(); c-- > 0;)
        if (factors[c] <= 0.0)
            return c;
    return factors.empty() ? 0 : factors.size() - 1;
}

std::vector<int> shareColumnWidths(const std::vector<double>& factors,
                                   const std::vector<int>& minimums, int width) {
    const size_t n = factors.size();
    std::vector<int> widths(n, 0);
    if (n == 0)
        return widths;
    auto minimumOf = [&minimums](size_t c) { return c < minimums.size() ? minimums[c] : 0; };

    std::vector<double> shares(factors.begin(), factors.end());
    for (double& s : shares)
        s = std::max(0.0, s);
    const size_t rest = restColumnOf(factors);
    const double othersShare = std::accumulate(shares.begin(), shares.end(), 0.0) - shares[rest];
    shares[rest] = std::max(shares[rest], 1.0 - othersShare);
    const double total = othersShare + shares[rest];
    width = std::max(0, width);

    if (total > 1.0 + 1e-9) {
        // Wider than the view by design: every column keeps its share.
        for (size_t c = 0; c < n; ++c)
            widths[c] = std::max(minimumOf(c), part(width, shares[c]));
        return widths;
    }

    // Fill exactly `width`: columns held at their minimum drop out, the rest
    // share what is left in proportion to their shares.
    std::vector<bool> held(n, false);
    double scale = 0;
    for (;;) {
        long long heldWidth = 0;
        double freeShare = 0;
        for (size_t c = 0; c < n; ++c) {
            if (held[c])
                heldWidth += minimumOf(c);
            else
                freeShare += shares[c];
        }
        if (freeShare <= 0 || heldWidth >= width) {
            scale = 0;
            break;
        }
        scale = double(width - heldWidth) / freeShare;
        bool changed = false;
        for (size_t c = 0; c < n; ++c)
            if (!held[c] && scale * shares[c] < minimumOf(c)) {
                held[c] = true;
                changed = true;
            }
        if (!changed)
            break;
    }
    long long used = 0;
    size_t lastFree = n;
    for (size_t c = 0; c < n; ++c) {
        widths[c] =
            held[c] || scale <= 0 ? minimumOf(c) : std::max(minimumOf(c), part(scale, shares[c]));
        if (!held[c] && scale > 0)
            lastFree = c;
        used += widths[c];
    }
    // What the rounding left over goes to the last column that was not held.
    if (lastFree < n && used < width)
        widths[lastFree] += int(width - used);
    return widths;
}

} // namespace vc
