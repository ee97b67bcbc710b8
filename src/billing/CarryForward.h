#pragma once

#include "billing/BillingHistory.h"
#include "billing/Readings.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// A period carried forward from the stored history: a readings line with one
// number holds the property's current reading, and its previous reading is
// the last current reading stored for it (in the periods that end before
// `from`, when given). A line with two numbers stands as it is. The faults
// name the properties without a stored reading.
std::vector<std::string> CarryReadingsForward(ReadingsTable& readings,
                                              const BillingCoefficients& coefficients,
                                              const std::vector<StoredPeriod>& latest,
                                              const std::optional<BillDate>& from);

// Per property (by number), the units billed by estimate since its meter
// was last read, over the stored periods that end before `from` (all when
// it is not given): the next real reading takes them off its measure.
std::map<int, BilledEstimate> BilledEstimatesBefore(const std::vector<StoredPeriod>& latest,
                                                    const std::optional<BillDate>& from);

// The latest stored current reading of each property (by number), for a
// period carried forward; only properties read from meters have one.
std::map<int, BillNumber> CarriedReadings(const std::vector<StoredPeriod>& latest);

// Each property's (by number) share of the building's measure over the
// stored periods of a method, for estimates; a property never measured has
// none.
std::map<int, double> HistoricalShares(const std::vector<StoredPeriod>& latest, MeterMethod method);

} // namespace pyrostat
