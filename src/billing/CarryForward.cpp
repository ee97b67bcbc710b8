#include "billing/CarryForward.h"

#include <chrono>
#include <cmath>

namespace pyrostat {

namespace {

bool Before(const BillDate& a, const BillDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

std::vector<StoredPeriod> EndingBefore(const std::vector<StoredPeriod>& latest,
                                       const std::optional<BillDate>& from) {
    std::vector<StoredPeriod> earlier;
    for (const StoredPeriod& p : latest) {
        if (!from || Before(p.to, *from)) {
            earlier.push_back(p);
        }
    }
    return earlier;
}

} // namespace

std::map<int, BilledEstimate> BilledEstimatesBefore(const std::vector<StoredPeriod>& latest,
                                                    const std::optional<BillDate>& from) {
    std::map<int, BilledEstimate> since;
    for (const StoredPeriod& p : EndingBefore(latest, from)) { // oldest first
        for (const StoredLine& l : p.lines) {
            if (l.current) {
                since[l.number] = {l.current->value, 0, l.current->decimals};
            } else if (l.estimated) {
                if (const auto it = since.find(l.number); it != since.end()) {
                    BilledEstimate& e = it->second;
                    e.decimals = std::max(e.decimals, l.omegaDecimals);
                    const double scale = std::pow(10.0, e.decimals);
                    e.units = std::round((e.units + l.omega) * scale) / scale;
                }
            } else if (!l.closed) {
                // Hours given as such: the meter's count is no longer known.
                since.erase(l.number);
            }
        }
    }
    return since;
}

std::vector<std::string> CarryReadingsForward(ReadingsTable& readings,
                                              const BillingCoefficients& coefficients,
                                              const std::vector<StoredPeriod>& latest,
                                              const std::optional<BillDate>& from) {
    const std::vector<StoredPeriod> earlier = EndingBefore(latest, from);
    if (earlier.empty()) {
        return {"Δεν υπάρχει αποθηκευμένη περίοδος του κτιρίου πριν από αυτή: οι προηγούμενες "
                "ενδείξεις δεν μεταφέρονται (δώστε προηγούμενη και τρέχουσα ένδειξη)."};
    }
    const std::map<int, BillNumber> carried = CarriedReadings(earlier);
    std::vector<std::string> faults;
    const PropertyIndex properties(coefficients);
    for (ReadingLine& line : readings.lines) {
        if (!line.measure) {
            continue;
        }
        std::string fault;
        const int index = properties.Match(line.property, fault);
        if (index < 0) {
            continue; // the bill names it
        }
        const CoefficientLine& property = coefficients.lines[static_cast<size_t>(index)];
        const auto previous = carried.find(property.number);
        if (previous == carried.end()) {
            faults.push_back("Η Ιδιοκτησία «" + coefficients.DisplayName(property) +
                             "» δεν έχει αποθηκευμένη ένδειξη μετρητή για να μεταφερθεί: δώστε "
                             "προηγούμενη και τρέχουσα ένδειξη.");
            continue;
        }
        line.previous = previous->second;
        line.current = line.measure;
        line.measure.reset();
    }
    return faults;
}

std::map<int, BillNumber> CarriedReadings(const std::vector<StoredPeriod>& latest) {
    std::map<int, BillNumber> carried;
    for (const StoredPeriod& p : latest) { // oldest first: the last one wins
        for (const StoredLine& l : p.lines) {
            if (l.current) {
                carried[l.number] = *l.current;
            }
        }
    }
    return carried;
}

std::map<int, double> HistoricalShares(const std::vector<StoredPeriod>& latest,
                                       MeterMethod method) {
    // Over the periods in which the property was read: its measure against
    // the building's measure of the properties read.
    std::map<int, double> own, building;
    for (const StoredPeriod& p : latest) {
        if (p.method != method) {
            continue;
        }
        double total = 0;
        for (const StoredLine& l : p.lines) {
            total += !l.estimated && !l.closed ? l.omega : 0.0;
        }
        for (const StoredLine& l : p.lines) {
            if (!l.estimated && !l.closed) {
                own[l.number] += l.omega;
                building[l.number] += total;
            }
        }
    }
    std::map<int, double> shares;
    for (const auto& [number, omega] : own) {
        if (building[number] > 0) {
            shares[number] = omega / building[number];
        }
    }
    return shares;
}

} // namespace pyrostat
