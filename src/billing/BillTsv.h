#pragma once

#include "billing/PeriodBill.h"

#include <string>

namespace pyrostat {

// The bill as tab-separated UTF-8 text, one line per property: number, name,
// Ω, the percentage with five decimals, fixed €, variable €, amount €, with
// the full stop as the decimal point; then the line of the totals: ΣΥΝΟΛΟ, an
// empty name, ΣΩ, the sum of the percentages (100.00000) and the three
// sums.
std::string BillTsv(const PeriodBill& bill);

} // namespace pyrostat
