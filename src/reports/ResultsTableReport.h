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

// The sums of the table's columns and the two numbers of the foot. Each sum
// adds the values its rows print, in double precision: a running sum in
// single precision loses the cents of a large building (500 properties of a
// few thousand kcal/h need more than its 24 bits).
struct TableTotals {
    double totalLosses = 0;           // ΣT
    double openingAndVentilation = 0; // ΣOV
    double volume = 0;                // ΣV
    double openingLosses = 0;         // ΣO
    double ventilationLosses = 0;     // ΣN
    double heatDemand = 0;            // ΣQ
    double demandShare = 0;           // ΣE
    double fixedPart = 0;             // ΣFE
    double distributedLosses = 0;     // W = ΣT − ΣOV, rounded to cents
    double lossesPerVolume = 0;       // K = W / ΣV, rounded to cents
};

// The sums of the rows of `records` and the foot's W and K.
TableTotals TotalsOf(const std::vector<ResultRecord>& records);

// ⌊x × 10^decimals + 0.5⌋ / 10^decimals in single precision.
float RoundHalfUpSingle(float x, int decimals);

// KindFactor − (PipeFactor + AreaFactor + ExposureFactor).
float FixedCoefficientOf(const ResultRecord& r);

// The results table report from "PYROSTAT.TMP": one line per property, a
// highlighted totals row and W and K at the foot of the last page. An empty
// (or missing) result file makes no report.
void ResultsTableReport(ReportServices& services, const ReportJob& job);

} // namespace pyrostat
