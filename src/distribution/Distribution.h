#pragma once

#include "distribution/ResultRecord.h"
#include "program/NumberLocale.h"
#include "program/ProgramState.h"

#include <string>
#include <vector>

namespace pyrostat {

inline constexpr const char* kResultFileName = "PYROSTAT.TMP";
inline constexpr const char* kFormulaHeading = "ΓΕΝΙΚΟΣ ΤΥΠΟΣ :";
inline constexpr const char* kGeneralFormula =
    "Πi(%) = [fi x ei + (1 - Σ(fi x ei) x (ei x Ωi)/Σ(ei x Ωi))] x 100";

// ⌊x × 10000 + 0.5⌋ / 10000 with the product first held as a single, so that
// a share of 0.00005 (a single just below it) still goes up to 0.0001.
float RoundFourDecimals(float x);

// "##,##0.0000": at least one integer digit, four decimals, the decimal
// separator and a grouping separator every three integer digits.
std::string FormatFourDecimals(float x, char decimal, char group);

// One property's formula line; the three numbers come already formatted.
std::string FormulaLine(int number, const std::string& fe, const std::string& oms,
                        const std::string& e);

// Why the distribution could not be written.
enum class DistributionStop {
    None,
    NoRecords,     // nothing to share out
    ZeroDemand,    // the building's demand (or volume) is zero
    NegativeShare, // a property's share came out below zero
    WideNumber,    // a number of a formula line does not fit six characters
};

struct DistributionResult {
    DistributionStop stop = DistributionStop::None;
    int stopRow = 0; // the property the stop names
    std::string stopName;

    // The completed records as the working result file holds them (the share
    // unrounded), and the lines of the formula text file (UTF-8, no quotes).
    std::vector<ResultRecord> records;
    std::vector<std::string> lines;

    // The building's quantities, each a single.
    float T = 0, W = 0, V = 0, K = 0, Q = 0, S = 0;

    bool Ok() const { return stop == DistributionStop::None; }
};

// The five passes over the records of a run: the demand of every property,
// its share, its exposure fields again, the fixed-part sum and the formula
// lines. Every quantity is a single; sums add one term at a time, each sum
// rounded to single. Nothing is written here, so that a result that cannot
// stand is refused before any file changes.
DistributionResult CalculateDistribution(const std::vector<ResultRecord>& records,
                                         NumberLocale locale);

// The Greek prompt for a stop (empty for None and NoRecords).
std::string DistributionStopPrompt(const DistributionResult& result);

// Writes the two files of a result into the program folder (each deleted
// first); false when one cannot be written.
bool WriteDistributionFiles(const ProgramState& state, const DistributionResult& result);

// Why the two files cannot be written (a folder in the place of one, a
// read-only file, a folder that is not there), in Greek with the file named;
// empty when nothing stands in the way that can be seen beforehand.
std::string DistributionFilesProblem(const ProgramState& state);

} // namespace pyrostat
