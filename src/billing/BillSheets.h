#pragma once

#include "billing/PeriodBill.h"
#include "billing/PeriodComparison.h"
#include "reports/SheetModel.h"

namespace pyrostat {

// The period's sheet of the building: its general data, the period, the cost
// and the method, one line per property (readings, Ω, e, FE, Π, the fixed,
// variable and total euros, its marks), the totals, and the notes on the
// scale factor and the estimates. Landscape A4, the headings on every page.
// With the comparisons of the stored history, the lines whose measure moved
// by more than half against their own history are marked.
SheetModel PeriodSheet(const PeriodBill& bill, const BillingCoefficients& coefficients,
                       const std::vector<PropertyComparison>* comparisons = nullptr);

// One notice per property, two to an A4 page: its readings, measure,
// coefficients and formula with the numbers in it, its fixed and variable
// part and amount, and the building's totals, so that each owner can check
// his line. With the comparisons of the stored history, each notice also sets
// its figures against the previous period, the same period a year before and
// the building's average per unit of e, with a bar chart of its last periods.
SheetModel NoticesSheet(const PeriodBill& bill, const BillingCoefficients& coefficients,
                        const std::vector<PropertyComparison>* comparisons = nullptr);

// Property lines on one page of the period's sheet.
inline constexpr int kSheetLinesPerPage = 30;

// "Ωρομετρητές (ώρες λειτουργίας)" or "Θερμιδομετρητές (μονάδες ενέργειας)".
std::string MethodText(MeterMethod method);

} // namespace pyrostat
