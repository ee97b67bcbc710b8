#include "billing/MoneyRounding.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pyrostat {

namespace {

// Exact shares come from sums and products of doubles: a remainder that
// differs from another by less than this is taken as equal to it, and a share
// this close to a whole cent as that cent.
constexpr double kTolerance = 1e-7;

} // namespace

std::vector<int64_t> ShareCents(const std::vector<double>& exactCents, int64_t total) {
    const size_t n = exactCents.size();
    std::vector<int64_t> cut(n);
    std::vector<double> remainder(n);
    int64_t given = 0;
    for (size_t i = 0; i < n; ++i) {
        const double exact = std::max(0.0, exactCents[i]);
        double whole = std::floor(exact);
        if (exact - whole > 1.0 - kTolerance) {
            whole += 1.0; // 1234.99999999 is 1235 cents
        }
        cut[i] = static_cast<int64_t>(whole);
        remainder[i] = std::max(0.0, exact - whole);
        given += cut[i];
    }
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return remainder[a] > remainder[b] + kTolerance; });
    int64_t left = total - given;
    for (size_t k = 0; left > 0 && n > 0; k = (k + 1) % n) {
        ++cut[order[k]];
        --left;
    }
    // Shares that overshoot by rounding noise give back from the smallest
    // remainders, the last property first.
    for (size_t k = n; left < 0 && n > 0; k = (k == 0 ? n : k)) {
        --k;
        if (cut[order[k]] > 0) {
            --cut[order[k]];
            ++left;
        }
    }
    return cut;
}

int64_t RoundCentsHalfUp(double cents) {
    return static_cast<int64_t>(std::floor(cents + 0.5 + kTolerance));
}

double RoundHalfUpAt(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // The noise of a few products and sums of doubles, in units of the last
    // decimal: far below any real difference from a tie of decimal inputs.
    const double scaled = value * scale;
    const double noise = std::max(1.0, std::fabs(scaled)) * 1e-11;
    return std::floor(scaled + 0.5 + noise) / scale;
}

} // namespace pyrostat
