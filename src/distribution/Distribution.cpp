#include "distribution/Distribution.h"

#include "platform/FileAccess.h"

#include "distribution/FormulaTextFile.h"
#include "platform/RecordFile.h"

#include <cmath>
#include <cstdio>

namespace pyrostat {

namespace {

// Each quantity is computed in double from singles and held as a single.
inline float Single(double x) {
    return static_cast<float>(x);
}
inline double D(float x) {
    return static_cast<double>(x);
}

float FixedCoefficient(const ResultRecord& r) {
    return Single(D(r.KindFactor) - (D(r.PipeFactor) + D(r.AreaFactor) + D(r.ExposureFactor)));
}

bool FitsSixCharacters(const std::string& text) {
    return text.size() == 6 && text.front() != '-';
}

} // namespace

float RoundFourDecimals(float x) {
    const float scaled = Single(D(x) * 10000.0);
    return Single(std::floor(D(scaled) + 0.5) / 10000.0);
}

std::string FormatFourDecimals(float x, char decimal, char group) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", D(x));
    std::string text(buffer);
    std::string sign;
    if (!text.empty() && text.front() == '-') {
        sign = "-";
        text.erase(text.begin());
    }
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string decimals = point == std::string::npos ? "0000" : text.substr(point + 1);
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            grouped += group;
        }
        grouped += whole[i];
    }
    return sign + grouped + decimal + decimals;
}

std::string FormulaLine(int number, const std::string& fe, const std::string& oms,
                        const std::string& e) {
    return "Π" + std::to_string(number) + " (%) = [" + fe + " + (" + oms + " x " + e +
           " x Ωρες_i) / (Σ(" + e + " x Ωρες_i))] x 100";
}

DistributionResult CalculateDistribution(const std::vector<ResultRecord>& input,
                                         NumberLocale locale) {
    DistributionResult result;
    result.records = input;
    std::vector<ResultRecord>& records = result.records;
    if (records.empty()) {
        result.stop = DistributionStop::NoRecords;
        return result;
    }

    // First pass: the building's losses and volume.
    float T = 0, W = 0, V = 0;
    for (const ResultRecord& r : records) {
        T = Single(D(T) + D(r.TotalLosses));
        W = Single(D(W) + (D(r.VentilationLosses) + D(r.OpeningLosses)));
        V = Single(D(V) + D(r.Volume));
    }
    result.T = T;
    result.W = W;
    result.V = V;
    if (V == 0.0f) {
        result.stop = DistributionStop::ZeroDemand;
        return result;
    }
    const float K = Single((D(T) - D(W)) / D(V));
    result.K = K;

    // Second pass: each property's demand.
    float Q = 0;
    for (ResultRecord& r : records) {
        r.HeatDemand = Single(D(r.Volume) * D(K) + (D(r.VentilationLosses) + D(r.OpeningLosses)));
        Q = Single(D(Q) + D(r.HeatDemand));
    }
    result.Q = Q;
    if (Q == 0.0f || !std::isfinite(Q)) {
        result.stop = DistributionStop::ZeroDemand;
        return result;
    }

    // Third pass: shares and the exposure fields.
    for (ResultRecord& r : records) {
        r.DemandShare = Single(D(r.HeatDemand) / D(Q));
        const double h = r.MeanHeight;
        r.ExposedWallArea = Single(D(r.LengthToExterior) * h + D(r.LengthToUnheated) * h * 0.5);
        r.LateralWallArea =
            Single((D(r.LengthToExterior) + D(r.LengthToHeated) + D(r.LengthToUnheated)) * h);
        r.ExposureRatio =
            r.LateralWallArea == 0.0f ? 0.0f : Single(D(r.ExposedWallArea) / D(r.LateralWallArea));
    }

    // Fourth pass: the fixed part of the building.
    float S = 0;
    for (const ResultRecord& r : records) {
        S = Single(D(S) + D(FixedCoefficient(r)) * D(r.DemandShare));
    }
    result.S = S;

    // Fifth pass: the formula lines.
    const char decimal = locale.decimal;
    const char group = locale.group;
    const float roundedS = RoundFourDecimals(S);
    const std::string oms = FormatFourDecimals(Single(1.0 - D(roundedS)), decimal, group);
    result.lines.push_back(kFormulaHeading);
    result.lines.push_back(kGeneralFormula);
    for (size_t i = 0; i < records.size(); ++i) {
        const ResultRecord& r = records[i];
        const int number = static_cast<int>(i + 1);
        const float f = FixedCoefficient(r);
        const float fe = Single(D(f) * D(r.DemandShare));
        const std::string eText =
            FormatFourDecimals(RoundFourDecimals(r.DemandShare), decimal, group);
        const std::string feText = FormatFourDecimals(RoundFourDecimals(fe), decimal, group);
        // The export and the reports read the numbers at fixed places: a
        // negative or wider number would shift every later one.
        if (r.DemandShare < 0.0f || fe < 0.0f) {
            result.stop = DistributionStop::NegativeShare;
        } else if (!FitsSixCharacters(eText) || !FitsSixCharacters(feText) ||
                   !FitsSixCharacters(oms)) {
            result.stop = DistributionStop::WideNumber;
        }
        if (!result.Ok()) {
            result.stopRow = number;
            result.stopName = r.PropertyName;
            result.lines.clear();
            return result;
        }
        result.lines.push_back(FormulaLine(number, feText, oms, eText));
    }
    return result;
}

std::string DistributionStopPrompt(const DistributionResult& result) {
    std::string property = "ΣΕΙΡΑ : " + std::to_string(result.stopRow);
    if (!result.stopName.empty()) {
        property = "«" + result.stopName + "», " + property;
    }
    switch (result.stop) {
    case DistributionStop::ZeroDemand:
        return "... Η Συνολική Θερμική Ζήτηση του Κτιρίου βγαίνει ΜΗΔΕΝΙΚΗ: ΔΕΝ είναι "
               "δυνατός ο Υπολογισμός ...\r";
    case DistributionStop::NegativeShare:
        return "... Η Ιδιοκτησία (" + property +
               ") βγαίνει με ΑΡΝΗΤΙΚΟ Ποσοστό: οι Απώλειες Ανοιγμάτων και Αερισμού "
               "ξεπερνούν όσα επιτρέπουν οι Συνολικές Απώλειες του Κτιρίου ...\r";
    case DistributionStop::WideNumber:
        return "... Για την Ιδιοκτησία (" + property +
               ") κάποιος Συντελεστής του Τύπου ΔΕΝ είναι μεταξύ 0 και 9,9999: "
               "ελέγξτε τις Καταχωρήσεις ...\r";
    case DistributionStop::None:
    case DistributionStop::NoRecords:
        break;
    }
    return {};
}

bool WriteDistributionFiles(const ProgramState& state, const DistributionResult& result) {
    std::string bytes;
    bytes.reserve(result.records.size() * ResultRecord::kLength);
    for (const ResultRecord& r : result.records) {
        bytes += r.Pack();
    }
    const std::string resultPath = state.InProgramFolder(kResultFileName);
    const std::string formulaPath = state.InProgramFolder(kFormulaFileName);
    // The files of an earlier run go first, so that a failed write never
    // leaves them to be shown as this run's; a folder in their place stays
    // and is told.
    RemoveFileOnly(resultPath);
    RemoveFileOnly(formulaPath);
    return WriteWholeFile(resultPath, bytes) &&
           WriteWholeFile(formulaPath, FormatQuotedLines(result.lines));
}

std::string DistributionFilesProblem(const ProgramState& state) {
    for (const char* name : {kResultFileName, kFormulaFileName}) {
        const std::string path = state.InProgramFolder(name);
        if (const FileProblem problem = WriteProblem(path); problem != FileProblem::None) {
            return FileProblemMessage(path, problem);
        }
    }
    return {};
}

} // namespace pyrostat
