#include "billing/PeriodBill.h"

#include "billing/BillNumber.h"
#include "billing/MoneyRounding.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace pyrostat {

namespace {

// A difference of two readings with no more decimals than they were typed
// with: 1234.5 − 1000.2 is 234.3, not 234.29999999999995.
double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// A meter read at last after periods billed by estimate: what the meter
// counted since the reading the estimates started from, less the estimates
// already billed. An estimate above the meter is told and bills nothing now,
// never less than nothing.
void SettleEstimates(BilledLine& line, const BillRequest& request,
                     std::vector<std::string>& notes) {
    const auto it = request.billedEstimates.find(line.coefficients.number);
    if (it == request.billedEstimates.end() || it->second.units <= 0) {
        return;
    }
    const BilledEstimate& estimate = it->second;
    const int decimals = std::max(line.omegaDecimals, estimate.decimals);
    if (std::fabs(Rounded(line.reading->previous->value, decimals) -
                  Rounded(estimate.reading, decimals)) > 0) {
        return; // read from another reading: the estimates are not in it
    }
    const double net = Rounded(line.omega - estimate.units, decimals);
    line.omegaDecimals = decimals;
    const char* unit = request.method == MeterMethod::Hours ? " ώρες" : " μονάδες";
    if (net < 0) {
        line.settled = line.omega;
        notes.push_back("ΠΡΟΣΟΧΗ: η Ιδιοκτησία «" + line.name + "» είχε χρεωθεί με εκτίμηση " +
                        FormatDecimal(estimate.units, estimate.decimals, request.locale) + unit +
                        ", περισσότερες από όσες έδειξε ο μετρητής από τότε (" +
                        FormatDecimal(line.omega, decimals, request.locale) +
                        "): η περίοδος τη χρεώνει με 0" + unit + " και μένουν " +
                        FormatDecimal(-net, decimals, request.locale) + unit +
                        " χρεωμένες πέρα από τον μετρητή.");
        line.omega = 0;
        return;
    }
    line.settled = estimate.units;
    notes.push_back("Η Ιδιοκτησία «" + line.name + "»: από τις " +
                    FormatDecimal(line.omega, decimals, request.locale) + unit +
                    " του μετρητή αφαιρέθηκαν οι " +
                    FormatDecimal(estimate.units, estimate.decimals, request.locale) + unit +
                    " που είχαν ήδη χρεωθεί με εκτίμηση.");
    line.omega = net;
}

} // namespace

PropertyIndex::PropertyIndex(const BillingCoefficients& c) {
    for (size_t i = 0; i < c.lines.size(); ++i) {
        const int index = static_cast<int>(i);
        if (!c.lines[i].name.empty()) {
            byName_.emplace(c.lines[i].name, index);
        }
        if (const std::string folded = FoldTitle(c.lines[i].name); !folded.empty()) {
            byFolded_.emplace(folded, index);
        }
        byNumber_.emplace(c.lines[i].number, index);
    }
}

int PropertyIndex::Match(const std::string& key, std::string& fault) const {
    // By name as written, else with other capitals or accents.
    auto [first, last] = byName_.equal_range(key);
    if (first == last) {
        std::tie(first, last) = byFolded_.equal_range(FoldTitle(key));
    }
    const auto matches = std::distance(first, last);
    if (matches > 1) {
        fault = "Η Ιδιοκτησία «" + key +
                "» των ενδείξεων ταιριάζει σε περισσότερες από μία Ιδιοκτησίες: δώστε τον "
                "αριθμό της.";
        return -1;
    }
    int byNumber = -1;
    if (AllDigits(key) && key.size() < 6) {
        if (const auto it = byNumber_.find(std::stoi(key)); it != byNumber_.end()) {
            byNumber = it->second;
        }
    }
    if (matches == 1) {
        // "2" may name a property and number another: neither is guessed.
        if (byNumber >= 0 && byNumber != first->second) {
            fault = "Η Ιδιοκτησία «" + key +
                    "» των ενδείξεων είναι όνομα μιας Ιδιοκτησίας και αριθμός άλλης: "
                    "γράψτε το όνομα όπως είναι στους συντελεστές ή διορθώστε τον αριθμό.";
            return -1;
        }
        return first->second;
    }
    if (byNumber >= 0) {
        return byNumber;
    }
    fault = "Η Ιδιοκτησία «" + key + "» των ενδείξεων δεν υπάρχει στους συντελεστές.";
    return -1;
}

int MatchProperty(const BillingCoefficients& c, const std::string& key, std::string& fault) {
    return PropertyIndex(c).Match(key, fault);
}

PeriodBill MatchReadings(const BillingCoefficients& coefficients, const ReadingsTable& readings,
                         const BillRequest& request) {
    PeriodBill bill;
    bill.request = request;
    bill.faults = coefficients.faults;
    bill.faults.insert(bill.faults.end(), readings.faults.begin(), readings.faults.end());
    if (coefficients.lines.empty()) {
        if (bill.faults.empty()) {
            bill.faults.push_back("Οι συντελεστές δεν έχουν καμία Ιδιοκτησία.");
        }
        return bill;
    }
    if (request.from.has_value() != request.to.has_value()) {
        bill.faults.push_back("Η περίοδος θέλει και την αρχή και το τέλος της.");
    } else if (request.from) {
        bill.periodHours = DaysCounted(*request.from, *request.to) * kHoursPerDay;
        if (bill.periodHours == 0) {
            bill.faults.push_back("Η περίοδος τελειώνει (" + FormatBillDate(*request.to) +
                                  ") πριν αρχίσει (" + FormatBillDate(*request.from) + ").");
        }
    }

    // Every property once in the readings, and every reading of a property.
    bill.lines.resize(coefficients.lines.size());
    for (size_t i = 0; i < coefficients.lines.size(); ++i) {
        bill.lines[i].coefficients = coefficients.lines[i];
        bill.lines[i].name = coefficients.DisplayName(coefficients.lines[i]);
    }
    const PropertyIndex properties(coefficients);
    for (const ReadingLine& r : readings.lines) {
        std::string fault;
        const int index =
            r.propertyIndex >= 0 ? r.propertyIndex : properties.Match(r.property, fault);
        if (index < 0) {
            bill.faults.push_back(fault);
            continue;
        }
        BilledLine& line = bill.lines[static_cast<size_t>(index)];
        if (line.reading) {
            bill.faults.push_back(
                "Η Ιδιοκτησία «" + line.name + "» έχει δύο γραμμές ενδείξεων (γραμμές " +
                std::to_string(line.reading->lineNo) + " και " + std::to_string(r.lineNo) + ").");
            continue;
        }
        line.reading = r;
    }
    return bill;
}

std::vector<size_t> MeasureLines(PeriodBill& bill) {
    const BillRequest& request = bill.request;
    std::vector<size_t> missing;
    for (size_t i = 0; i < bill.lines.size(); ++i) {
        BilledLine& line = bill.lines[i];
        if (!line.reading) {
            bill.faults.push_back("Η Ιδιοκτησία «" + line.name +
                                  "» δεν έχει γραμμή στις ενδείξεις.");
            continue;
        }
        const ReadingLine& r = *line.reading;
        line.closed = r.closed;
        if (r.closed) {
            line.omega = 0; // a closed property bills its fixed part only
            if (r.previous && r.current && r.current->value > r.previous->value) {
                const int decimals = std::max(r.previous->decimals, r.current->decimals);
                bill.notes.push_back(
                    "ΠΡΟΣΟΧΗ: η Ιδιοκτησία «" + line.name +
                    "» είναι κλειστή, αλλά ο μετρητής της " + "προχώρησε κατά " +
                    FormatDecimal(Rounded(r.current->value - r.previous->value, decimals), decimals,
                                  bill.request.locale) +
                    (request.method == MeterMethod::Hours ? " ώρες" : " μονάδες") + " (" +
                    FormatDecimal(r.previous->value, r.previous->decimals, bill.request.locale) +
                    " → " +
                    FormatDecimal(r.current->value, r.current->decimals, bill.request.locale) +
                    "): χρεώνεται μόνο το πάγιο.");
            }
            continue;
        }
        if (r.Missing()) {
            missing.push_back(i);
            continue;
        }
        if (r.measure) {
            line.omega = r.measure->value;
            line.omegaDecimals = r.measure->decimals;
        } else if (r.replaced) {
            line.omegaDecimals = std::max({r.previous->decimals, r.current->decimals,
                                           r.oldFinal.decimals, r.newStart.decimals});
            if (r.oldFinal.value < r.previous->value) {
                bill.faults.push_back(
                    "Η Ιδιοκτησία «" + line.name + "»: η τελική ένδειξη του παλιού μετρητή (" +
                    FormatDecimal(r.oldFinal.value, r.oldFinal.decimals, bill.request.locale) +
                    ") είναι μικρότερη από την προηγούμενη (" +
                    FormatDecimal(r.previous->value, r.previous->decimals, bill.request.locale) +
                    ").");
                continue;
            }
            if (r.current->value < r.newStart.value) {
                bill.faults.push_back(
                    "Η Ιδιοκτησία «" + line.name + "»: η τρέχουσα ένδειξη (" +
                    FormatDecimal(r.current->value, r.current->decimals, bill.request.locale) +
                    ") είναι μικρότερη από την αρχική του νέου μετρητή (" +
                    FormatDecimal(r.newStart.value, r.newStart.decimals, bill.request.locale) +
                    ").");
                continue;
            }
            line.omega = Rounded((r.oldFinal.value - r.previous->value) +
                                     (r.current->value - r.newStart.value),
                                 line.omegaDecimals);
        } else {
            line.omegaDecimals = std::max(r.previous->decimals, r.current->decimals);
            if (r.current->value < r.previous->value) {
                bill.faults.push_back(
                    "Η Ιδιοκτησία «" + line.name + "»: η τρέχουσα ένδειξη (" +
                    FormatDecimal(r.current->value, r.current->decimals, bill.request.locale) +
                    ") είναι μικρότερη από την προηγούμενη (" +
                    FormatDecimal(r.previous->value, r.previous->decimals, bill.request.locale) +
                    "). Αν άλλαξε ο μετρητής, σημειώστε «αντικατάσταση» με την τελική ένδειξη "
                    "του παλιού και την αρχική του νέου.");
                continue;
            }
            line.omega = Rounded(r.current->value - r.previous->value, line.omegaDecimals);
        }
        if (!r.measure) {
            SettleEstimates(line, request, bill.notes);
        }
        if (request.method == MeterMethod::Hours && bill.periodHours > 0 &&
            line.omega > static_cast<double>(bill.periodHours)) {
            bill.faults.push_back(
                "Η Ιδιοκτησία «" + line.name + "» έχει " +
                FormatDecimal(line.omega, line.omegaDecimals, bill.request.locale) +
                " ώρες, περισσότερες από τις " + std::to_string(bill.periodHours) +
                " ώρες της περιόδου.");
        }
    }
    return missing;
}

void EstimateMissing(PeriodBill& bill, const std::vector<size_t>& missing) {
    const BillRequest& request = bill.request;
    if (missing.empty()) {
        return;
    }
    if (!request.estimate) {
        for (const size_t i : missing) {
            bill.faults.push_back("Η Ιδιοκτησία «" + bill.lines[i].name +
                                  "» δεν έχει ένδειξη (για εκτίμηση από τον μέσο όρο του "
                                  "κτιρίου ζητήστε την εκτίμηση).");
        }
    } else {
        // The building's mean measure per unit of e, over the properties
        // that were read.
        double sumOmega = 0, sumE = 0;
        for (const BilledLine& line : bill.lines) {
            if (line.reading && !line.closed && !line.reading->Missing()) {
                sumOmega += line.omega;
                sumE += line.coefficients.e;
            }
        }
        if (sumE <= 0) {
            bill.faults.push_back("Καμία Ιδιοκτησία δεν έχει ένδειξη: η εκτίμηση δεν "
                                  "είναι δυνατή.");
        } else {
            // The property's own share of the stored periods, against
            // the shares of the properties read now, when both are known.
            const auto& shares = request.historicalShares;
            double readShares = 0, readOmega = 0;
            for (const BilledLine& line : bill.lines) {
                const auto share = shares.find(line.coefficients.number);
                if (line.reading && !line.closed && !line.reading->Missing() &&
                    share != shares.end()) {
                    readShares += share->second;
                    readOmega += line.omega;
                }
            }
            for (const size_t i : missing) {
                BilledLine& line = bill.lines[i];
                line.estimated = true;
                line.omegaDecimals = 2;
                const auto share = shares.find(line.coefficients.number);
                line.omega = share != shares.end() && readShares > 0
                                 ? Rounded(share->second * readOmega / readShares, 2)
                                 : Rounded(line.coefficients.e * sumOmega / sumE, 2);
                ++bill.estimatedCount;
            }
        }
    }
}

void ShareCost(PeriodBill& bill) {
    const BillRequest& request = bill.request;
    if (!bill.Ok() || bill.lines.empty()) {
        return;
    }
    double weightSum = 0;
    for (BilledLine& line : bill.lines) {
        bill.sumOmega += line.omega;
        bill.omegaDecimals = std::max(bill.omegaDecimals, line.omegaDecimals);
        bill.sumFe += line.coefficients.fe;
        weightSum +=
            request.method == MeterMethod::Hours ? line.coefficients.e * line.omega : line.omega;
    }
    bill.sumOmega = Rounded(bill.sumOmega, bill.omegaDecimals);
    bill.oms = bill.lines.front().coefficients.oms;
    if (weightSum <= 0 && request.costCents > 0) {
        bill.faults.push_back(
            request.method == MeterMethod::Hours
                ? "Καμία Ιδιοκτησία δεν έχει ώρες λειτουργίας (ή όσες έχουν έχουν e = 0): το "
                  "μεταβλητό μέρος της δαπάνης δεν μπορεί να κατανεμηθεί."
                : "Καμία Ιδιοκτησία δεν έχει κατανάλωση: το μεταβλητό μέρος της δαπάνης δεν "
                  "μπορεί να κατανεμηθεί.");
        return;
    }
    const double total = bill.sumFe + bill.oms;
    if (std::fabs(total - 1.0) > 1e-9 && total > 0) {
        bill.factor = 1.0 / total;
        bill.scaled = true;
    }
    const double cost = static_cast<double>(request.costCents);
    std::vector<double> exact;
    std::vector<double> fixedExact;
    for (BilledLine& line : bill.lines) {
        const double weight =
            request.method == MeterMethod::Hours ? line.coefficients.e * line.omega : line.omega;
        const double variableShare = weightSum > 0 ? bill.oms * weight / weightSum : 0.0;
        const double fixedShare = line.coefficients.fe;
        line.percent = (fixedShare + variableShare) * bill.factor * 100.0;
        const double fixedCents = cost * fixedShare * bill.factor;
        const double variableCents = cost * variableShare * bill.factor;
        line.exactCents = fixedCents + variableCents;
        exact.push_back(line.exactCents);
        fixedExact.push_back(fixedCents);
    }
    const std::vector<int64_t> amounts = ShareCents(exact, request.costCents);
    for (size_t i = 0; i < bill.lines.size(); ++i) {
        BilledLine& line = bill.lines[i];
        line.amountCents = amounts[i];
        // The fixed part in the same proportion to the amount as exactly.
        int64_t fixed = line.amountCents;
        if (exact[i] > 0 && fixedExact[i] < exact[i]) {
            fixed =
                RoundCentsHalfUp(static_cast<double>(line.amountCents) * fixedExact[i] / exact[i]);
        }
        line.fixedCents = std::clamp<int64_t>(fixed, 0, line.amountCents);
        line.variableCents = line.amountCents - line.fixedCents;
        bill.fixedTotal += line.fixedCents;
        bill.variableTotal += line.variableCents;
    }
    bill.manyEstimates = bill.estimatedCount * 4 > static_cast<int>(bill.lines.size());
}

PeriodBill MakePeriodBill(const BillingCoefficients& coefficients, const ReadingsTable& readings,
                          const BillRequest& request) {
    PeriodBill bill = MatchReadings(coefficients, readings, request);
    if (bill.lines.empty()) {
        return bill;
    }
    EstimateMissing(bill, MeasureLines(bill));
    ShareCost(bill);
    return bill;
}

double PrintedPercent(double percent) {
    return RoundHalfUpAt(percent, 5);
}

double PeriodBill::PercentTotal() const {
    double sum = 0;
    for (const BilledLine& line : lines) {
        sum += line.percent;
    }
    return sum;
}

std::string ManyEstimatesWarning(const PeriodBill& bill) {
    return "ΠΡΟΣΟΧΗ: " + std::to_string(bill.estimatedCount) + " από τις " +
           std::to_string(bill.lines.size()) +
           " Ιδιοκτησίες χρεώνονται με εκτίμηση (περισσότερες από το ένα τέταρτο).";
}

std::string ScaleFactorNote(const PeriodBill& bill) {
    return "Οι τυπωμένοι συντελεστές αθροίζουν ΣFE + ΟΜΣ = " +
           FormatDecimal(bill.sumFe, 4, bill.request.locale) + " + " +
           FormatDecimal(bill.oms, 4, bill.request.locale) + " = " +
           FormatDecimal(bill.sumFe + bill.oms, 4, bill.request.locale) +
           " αντί για 1: τα ποσοστά πολλαπλασιάστηκαν με τον συντελεστή αναγωγής " +
           FormatDecimal(bill.factor, 8, bill.request.locale) + " ώστε να αθροίζουν 100%.";
}

} // namespace pyrostat
