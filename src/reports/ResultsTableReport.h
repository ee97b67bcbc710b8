#pragma once

#include "distribution/ResultRecord.h"
#include "reports/ReportServices.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pyrostat {

// Page block of the table template: 41 rows, 31 property lines from row 9, the
// distributed losses W (column B) and their K per cubic metre (column K) on
// the block's row 40 of the last page.
inline constexpr int kTablePageRows = 41;
inline constexpr int kTableLinesPerPage = 31;
inline constexpr int kTableColumns = 23;
inline constexpr int kTotalsColorIndex = 36;
inline constexpr const char* kTotalsCaption = "ΣΥΝΟΛΙΚΕΣ ΤΙΜΕΣ";
inline constexpr const char* kSeeFormula = "βλ. Τύπο";

// The sums of the table and the two numbers of the foot, all single precision.
struct TableTotals {
    float totalLosses = 0;           // ΣT
    float openingAndVentilation = 0; // ΣOV
    float volume = 0;                // ΣV
    float openingLosses = 0;         // ΣO
    float ventilationLosses = 0;     // ΣN
    float heatDemand = 0;            // ΣQ
    float demandShare = 0;           // ΣE
    float fixedPart = 0;             // ΣFE
    double distributedLosses = 0;    // W, rounded to cents in double precision
    double lossesPerVolume = 0;      // K, likewise
};

// ⌊x × 10^decimals + 0.5⌋ / 10^decimals in single precision.
float RoundHalfUpSingle(float x, int decimals);

// KindFactor − (PipeFactor + AreaFactor + ExposureFactor).
float FixedCoefficientOf(const ResultRecord& r);

// The results table report from "PYROSTAT.TMP": one line per property, a
// highlighted totals row and W and K at the foot of the last page. An empty
// (or missing) result file makes no report.
void ResultsTableReport(ReportServices& services, const ReportJob& job);

} // namespace pyrostat
