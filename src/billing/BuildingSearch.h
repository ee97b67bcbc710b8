#pragma once

#include "billing/BillingHistory.h"

#include <string_view>

namespace pyrostat {

// Whether a building of the list answers what is typed in the search box:
// every word of it found in the title, the general data or the study's path,
// with capitals and accents as they may be ("ευριπιδου χαλανδρι" finds
// «Πολυκατοικία Ευριπίδου 14, Χαλάνδρι»). An empty search finds every one.
bool BuildingMatches(const BillingHistory::BuildingSummary& building, std::string_view search);

} // namespace pyrostat
