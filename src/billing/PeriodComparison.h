#pragma once

#include "billing/BillingHistory.h"
#include "billing/PeriodBill.h"

#include <optional>
#include <vector>

namespace pyrostat {

// A property's figures in one period.
struct PeriodFigure {
    BillDate from, to;
    double omega = 0;
    int omegaDecimals = 0;
    int64_t amountCents = 0;
    bool estimated = false;
};

// What a notice sets beside the property's line of the period: the previous
// stored period, the same period a year before, the building's average per
// unit of e, and the property's last periods for a small bar chart.
struct PropertyComparison {
    std::optional<PeriodFigure> previous, yearBefore;
    double perE = 0;                  // the property's Ω per unit of e
    double buildingPerE = 0;          // the building's ΣΩ / Σe, of the properties read
    std::vector<PeriodFigure> recent; // oldest first; this period last
    // The property's share of the building's measure moved by more than half
    // against its share in the stored periods.
    bool implausible = false;
    // Its share of the measure of the properties read, this period and on
    // average over the stored periods before it (none: not read, or no
    // stored period).
    std::optional<double> share, averageShare;
};

// One comparison per line of the bill, from the latest versions of the stored
// periods (a stored copy of this very period is left out).
std::vector<PropertyComparison> ComparePeriod(const PeriodBill& bill,
                                              const std::vector<StoredPeriod>& latest);

// Stored periods shown in a notice's bar chart besides this one.
inline constexpr size_t kBarsBefore = 4;

// The mark of an implausible measure on the period's sheet.
inline constexpr const char* kImplausibleMark = "μεταβολή > 50%";

} // namespace pyrostat
