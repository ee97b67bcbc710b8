#include "billing/CarryForward.h"

#include <chrono>

namespace pyrostat {

namespace {

bool Before(const BillDate& a, const BillDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

} // namespace

std::vector<std::string> CarryReadingsForward(ReadingsTable& readings,
                                              const BillingCoefficients& coefficients,
                                              const std::vector<StoredPeriod>& latest,
                                              const std::optional<BillDate>& from) {
    std::vector<StoredPeriod> earlier;
    for (const StoredPeriod& p : latest) {
        if (!from || Before(p.to, *from)) {
            earlier.push_back(p);
        }
    }
    if (earlier.empty()) {
        return {"Δεν υπάρχει αποθηκευμένη περίοδος του κτιρίου πριν από αυτή: οι προηγούμενες "
                "ενδείξεις δεν μεταφέρονται (δώστε προηγούμενη και τρέχουσα ένδειξη)."};
    }
    const std::map<int, BillNumber> carried = CarriedReadings(earlier);
    std::vector<std::string> faults;
    for (ReadingLine& line : readings.lines) {
        if (!line.measure) {
            continue;
        }
        std::string fault;
        const int index = MatchProperty(coefficients, line.property, fault);
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

} // namespace pyrostat
