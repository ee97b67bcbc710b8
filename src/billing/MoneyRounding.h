#pragma once

#include <cstdint>
#include <vector>

namespace pyrostat {

// Shares a whole number of cents by exact (fractional) shares that add up to
// it: each share is first cut to the cent, and the cents left over go one
// each to the largest cut-off remainders, the earlier property first when two
// remainders are equal. Every result is within one cent of its exact share and
// the results add up to `total`.
std::vector<int64_t> ShareCents(const std::vector<double>& exactCents, int64_t total);

// Rounds a (non-negative) number of cents half up to a whole cent.
int64_t RoundCentsHalfUp(double cents);

// Rounds a non-negative value half up to `decimals` places, as the exact
// decimal value it stands for would round: a value within rounding noise of a
// tie (2.173795 computed as 2.17379499999999) goes up. The result is the
// double nearest to the printed text.
double RoundHalfUpAt(double value, int decimals);

} // namespace pyrostat
