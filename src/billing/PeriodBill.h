#pragma once

#include "billing/BillDate.h"
#include "billing/BillingCoefficients.h"
#include "billing/Readings.h"

#include "program/NumberLocale.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// What the meters count: hours of heating (the study's formula weighs them by
// e) or units of energy (heat meters, shared as they are).
enum class MeterMethod { Hours, Energy };

// The units estimated and billed for a property since its meter last showed
// `reading`: billed once already, they are taken off the measure when that
// reading is the previous one of a real reading at last.
struct BilledEstimate {
    double reading = 0;
    double units = 0;
    int decimals = 0;
};

struct BillRequest {
    MeterMethod method = MeterMethod::Hours;
    int64_t costCents = 0;
    std::optional<BillDate> from, to;
    bool estimate = false; // estimate the missing readings
    // Each property's (by number) share of the building's measure in the
    // stored periods; an estimate uses it before the building's mean.
    std::map<int, double> historicalShares;
    // By property number: estimates billed since the last real reading.
    std::map<int, BilledEstimate> billedEstimates;
    // The separators every number of the bill's sheets and notes is
    // printed with: the user's, as the grid shows numbers.
    NumberLocale locale = NumberLocale::Greek();
};

// One property's line of the period's bill.
struct BilledLine {
    CoefficientLine coefficients;
    std::string name; // as the sheet shows it
    std::optional<ReadingLine> reading;
    double omega = 0;      // the period's hours or units, as billed and printed
    int omegaDecimals = 0; // the decimals it is printed with
    bool closed = false;
    bool estimated = false;
    double settled = 0; // units of earlier estimates taken off the measure
    double percent = 0; // Π, of 100 (PrintedPercent gives the five decimals printed)
    double exactCents = 0;
    int64_t fixedCents = 0, variableCents = 0, amountCents = 0;
};

struct PeriodBill {
    BillRequest request;
    std::vector<BilledLine> lines;
    double sumOmega = 0;
    int omegaDecimals = 0;
    double sumFe = 0;
    double oms = 0;
    // The printed coefficients add up to ΣFE + OMS; when that is not 1 every
    // percentage is multiplied by `factor` so that they add up to 100.
    double factor = 1;
    bool scaled = false;
    int estimatedCount = 0;
    bool manyEstimates = false; // more than a quarter of the properties
    long periodHours = 0;       // 0 without dates
    int64_t fixedTotal = 0, variableTotal = 0;
    std::vector<std::string> faults; // Greek; nothing is billed while there is one
    // Greek: what the bill is made with but the manager should know (a
    // closed property whose meter moved, an estimate the meter fell short of).
    std::vector<std::string> notes;

    bool Ok() const { return faults.empty(); }
    // What the percentages add up to: 100, but for a cost of nothing shared
    // among properties that all measured nothing (the variable part then goes
    // to no one).
    double PercentTotal() const;
};

// The bill of a period: each property's measure from its readings (or its
// estimate), its percentage by the method, and the cost shared to the cent.
// It is the four steps below, in turn.
PeriodBill MakePeriodBill(const BillingCoefficients& coefficients, const ReadingsTable& readings,
                          const BillRequest& request);

// 1. The period's hours and a line per property with the one readings line
// that names it; the faults of the files, of the dates and of the matching.
PeriodBill MatchReadings(const BillingCoefficients& coefficients, const ReadingsTable& readings,
                         const BillRequest& request);
// 2. Each line's measure from its readings: the difference of two readings,
// or the old meter's and the new one's after a replacement, less estimates
// billed before; nothing for a closed property. A reading that runs back or
// hours past the period's are faults. Returns the lines without a reading.
std::vector<size_t> MeasureLines(PeriodBill& bill);
// 3. The measure of each line of `missing`, when the request asks for
// estimates: the property's stored share of the building's measure, else the
// building's mean per unit of e; a fault per line otherwise.
void EstimateMissing(PeriodBill& bill, const std::vector<size_t>& missing);
// 4. With no fault: the percentages by the method (scaled to add up to 100
// when the coefficients do not) and the cost shared to the cent, each amount
// split into its fixed and its variable part.
void ShareCost(PeriodBill& bill);

// The property a reading names: its name as written, else the same name with
// other capitals or accents, else its number; -1 with a Greek `fault` when
// none or more than one, or when the text is the name of one property and
// the number of another.
int MatchProperty(const BillingCoefficients& coefficients, const std::string& key,
                  std::string& fault);

// The same, with the names and numbers looked up in tables made once for all
// the lines of a readings table.
class PropertyIndex {
public:
    explicit PropertyIndex(const BillingCoefficients& coefficients);
    int Match(const std::string& key, std::string& fault) const;

private:
    std::multimap<std::string, int> byName_, byFolded_;
    std::map<int, int> byNumber_;
};

// A percentage as every sheet, table and window prints it: rounded half up
// at the fifth decimal as its exact decimal value would be.
double PrintedPercent(double percent);

// The warning printed when more than a quarter of the properties are estimated.
std::string ManyEstimatesWarning(const PeriodBill& bill);
// The line that explains the scale factor.
std::string ScaleFactorNote(const PeriodBill& bill);

// Hours per day, for the length of a period.
inline constexpr long kHoursPerDay = 24;

} // namespace pyrostat
