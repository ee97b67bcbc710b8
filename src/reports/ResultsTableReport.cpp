#include "reports/ResultsTableReport.h"

#include "platform/PathRoutines.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"
#include "reports/ReportRoutine.h"
#include "reports/SheetAddress.h"
#include "reports/SheetFormat.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pyrostat {

float RoundHalfUpSingle(float x, int decimals) {
    const float scale = decimals == 4 ? 10000.0f : decimals == 3 ? 1000.0f : 100.0f;
    return std::floor(x * scale + 0.5f) / scale;
}

float FixedCoefficientOf(const ResultRecord& r) {
    return r.KindFactor - (r.PipeFactor + r.AreaFactor + r.ExposureFactor);
}

namespace {

// ⌊x × 100 + 0.5⌋ / 100.
double RoundHalfUpCents(double x) {
    return std::floor(x * 100.0 + 0.5) / 100.0;
}

} // namespace

TableTotals TotalsOf(const std::vector<ResultRecord>& records) {
    TableTotals t;
    for (const ResultRecord& r : records) {
        t.totalLosses += static_cast<double>(r.TotalLosses);
        t.openingAndVentilation +=
            static_cast<double>(r.OpeningLosses) + static_cast<double>(r.VentilationLosses);
        t.volume += static_cast<double>(r.Volume);
        t.openingLosses += static_cast<double>(r.OpeningLosses);
        t.ventilationLosses += static_cast<double>(r.VentilationLosses);
        t.heatDemand += static_cast<double>(r.HeatDemand);
        t.demandShare += static_cast<double>(r.DemandShare);
        // The row prints the product in single precision; the sum adds those.
        t.fixedPart += static_cast<double>(FixedCoefficientOf(r) * r.DemandShare);
    }
    t.distributedLosses = RoundHalfUpCents(t.totalLosses - t.openingAndVentilation);
    // A building without volume has nothing to spread per cubic metre.
    t.lossesPerVolume = t.volume != 0.0 ? RoundHalfUpCents(t.distributedLosses / t.volume) : 0.0;
    return t;
}

namespace {

// The rows of the property lines, page by page: [first, last] of each page.
std::vector<std::pair<int, int>> PropertyLineRows(size_t n) {
    std::vector<std::pair<int, int>> rows;
    for (size_t first = 0; first < n; first += kTableLinesPerPage) {
        const int page = static_cast<int>(first / kTableLinesPerPage);
        const int count = static_cast<int>(std::min<size_t>(kTableLinesPerPage, n - first));
        rows.emplace_back(kTablePageRows * page + 9, kTablePageRows * page + 8 + count);
    }
    return rows;
}

// "=SUM(C9:C39,C50:C80)" over the rows of a column.
std::string SumFormula(int col, const std::vector<std::pair<int, int>>& rows) {
    std::string formula = "=SUM(";
    for (size_t i = 0; i < rows.size(); ++i) {
        formula += (i == 0 ? "" : ",") + CellName(rows[i].first, col) + ":" +
                   CellName(rows[i].second, col);
    }
    return formula + ")";
}

void WritePropertyLine(SheetModel& sheet, int row, size_t i, const ResultRecord& r, size_t n) {
    auto single = [&](int col, float v) { sheet.SetNumber(row, col, static_cast<double>(v)); };
    sheet.SetText(row, 1, std::to_string(i));
    sheet.SetText(row, 2, TrimBlanks(r.PropertyName));
    single(3, r.TotalLosses);
    single(4, r.OpeningLosses);
    single(5, r.VentilationLosses);
    single(6, r.Area);
    single(7, r.Volume);
    single(8, r.HeatDemand);
    single(9, RoundHalfUpSingle(r.DemandShare, 4));
    single(10, r.ExposedWallArea);
    single(11, r.LateralWallArea);
    single(12, RoundHalfUpSingle(r.ExposureRatio, 3));
    const float fixed = FixedCoefficientOf(r);
    single(13, r.KindFactor);
    single(14, r.PipeFactor);
    single(15, r.AreaFactor);
    single(16, r.ExposureFactor);
    single(17, fixed);
    sheet.SetText(row, 18, "");
    sheet.SetText(row, 19, "");
    sheet.SetText(row, 20, "");
    single(21, fixed * r.DemandShare);
    sheet.SetText(row, 22, kSeeFormula);
    sheet.SetNumber(row, 23, (100.0 / static_cast<double>(n)) / 100.0);
}

} // namespace

void ResultsTableReport(ReportServices& services, const ReportJob& job) {
    const std::string folder = AddBackslash(services.state.ProgramFolder);
    const RecordFileContents file = ReadRecordFile(folder + "PYROSTAT.TMP", ResultRecord::kLength);
    const size_t n = file.records.size();
    if (n == 0) {
        // Nothing to tabulate: no page of zeros and no division by a zero count
        // or volume.
        return;
    }
    std::vector<ResultRecord> records;
    records.reserve(n);
    for (const std::string& bytes : file.records) {
        records.push_back(ResultRecord::Unpack(bytes));
    }

    RunSheetReport(services, kTableTemplateName, 3, job, [&](SheetModel& sheet) {
        // A last page filled with 31 lines gets one more page for
        // the totals row.
        RepeatFirstPage(sheet, kTablePageRows, kTablePageRows, n / kTableLinesPerPage);

        const TableTotals totals = TotalsOf(records);
        int page = 1;
        int k = 0;
        for (size_t i = 1; i <= n; ++i) {
            const ResultRecord& r = records[i - 1];
            ++k;
            WritePropertyLine(sheet, kTablePageRows * (page - 1) + 8 + k, i, r, n);
            if (i % kTableLinesPerPage == 0) {
                ++page;
                k = 0;
            }
        }

        const int t = kTablePageRows * (page - 1) + 8 + k + 1;
        sheet.ChangeFormats({t, 1, t, kTableColumns}, [](CellFormat& f) {
            f.bold = true;
            f.interiorColorIndex = kTotalsColorIndex;
            // A solid fill, so that the colour shows.
            f.interiorPattern = kPatternSolid;
        });
        sheet.SetText(t, 2, kTotalsCaption);
        // In a spreadsheet each total is the sum of its column's property
        // lines, page by page, so that it follows an edited cell.
        const std::vector<std::pair<int, int>> lines = PropertyLineRows(n);
        const std::pair<int, double> sums[] = {
            {3, totals.totalLosses}, {4, totals.openingLosses}, {5, totals.ventilationLosses},
            {7, totals.volume},      {8, totals.heatDemand},    {9, totals.demandShare},
            {21, totals.fixedPart}};
        for (const auto& [col, sum] : sums) {
            sheet.SetFormula(t, col, SumFormula(col, lines), sum);
        }
        sheet.SetNumber(t, 23, 1.0);

        // The boxes of W and K with their captions belong to the
        // foot of the last page only: the pages before it are
        // copies of the first and carry them empty.
        for (int p = 1; p < page; ++p) {
            const CellRange foot{kTablePageRows * p - 1, 1, kTablePageRows * p - 1, kTableColumns};
            sheet.ClearRangeValues(foot);
            // Their text and number formats stay.
            sheet.ChangeFormats(foot, [](CellFormat& f) {
                f.left = f.top = f.right = f.bottom = BorderLine::None;
                f.interiorColorIndex = 0;
                f.interiorPattern = kPatternNone;
                f.fillRgb = -1;
            });
        }
        const int foot = kTablePageRows * page - 1;
        sheet.SetNumber(foot, 2, totals.distributedLosses);
        sheet.SetNumber(foot, 11, totals.lossesPerVolume);
    });
}

} // namespace pyrostat
