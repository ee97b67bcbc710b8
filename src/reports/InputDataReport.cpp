#include "reports/InputDataReport.h"

#include "distribution/Plausibility.h"
#include "platform/PathRoutines.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"
#include "reports/ReportRoutine.h"
#include "studies/PropertyRecord.h"

#include <iterator>
#include <vector>

namespace pyrostat {

namespace {

// A record's numbers where the grid holds them.
StudyNumbers NumbersOf(const PropertyRecord& r) {
    StudyNumbers numbers{};
    const float values[] = {
        r.TotalLosses, r.OpeningLosses,    r.VentilationLosses, r.Area,
        r.MeanHeight,  r.LengthToExterior, r.LengthToUnheated,  r.LengthToHeated};
    for (size_t c = 0; c < std::size(values); ++c) {
        numbers[c + 1] = static_cast<double>(values[c]);
    }
    return numbers;
}

} // namespace

void InputDataReport(ReportServices& services, const ReportJob& job) {
    const std::string folder = AddBackslash(services.state.ProgramFolder);
    RunSheetReport(services, kInputDataTemplateName, 3, job, [&](SheetModel& sheet) {
        const RecordFileContents file =
            ReadRecordFile(folder + kInputDataFileName, PropertyRecord::kLength);
        const size_t n = file.records.size();
        if (n >= 1) {
            const float insulation = PropertyRecord::Unpack(file.records[0]).Insulation;
            if (insulation == -1.0f) {
                sheet.SetText(6, 4, kInsulationYes);
            } else if (insulation == 0.0f) {
                sheet.SetText(6, 4, kInsulationNo);
            }
        }

        // As many pages as 25 lines need, and never an empty last one.
        const size_t pages = (n + kDataLinesPerPage - 1) / kDataLinesPerPage;
        RepeatFirstPage(sheet, kDataPageRows, kDataPageRows, pages > 1 ? pages - 1 : 0);

        std::vector<StudyNumbers> numbers;
        std::vector<int> sheetRows;
        int page = 1;
        int k = 0;
        for (size_t i = 1; i <= n; ++i) {
            const PropertyRecord r = PropertyRecord::Unpack(file.records[i - 1]);
            ++k;
            const int row = kDataPageRows * (page - 1) + 11 + k;
            numbers.push_back(NumbersOf(r));
            sheetRows.push_back(row);
            auto single = [&](int col, float v) {
                sheet.SetNumber(row, col, static_cast<double>(v));
            };
            sheet.SetText(row, 1, std::to_string(i));
            sheet.SetText(row, 2, TrimBlanks(r.PropertyName));
            single(3, r.TotalLosses);
            single(4, r.OpeningLosses);
            single(5, r.VentilationLosses);
            single(6, r.Area);
            single(7, r.MeanHeight);
            single(8, r.LengthToExterior);
            single(9, r.LengthToUnheated);
            single(10, r.LengthToHeated);
            sheet.SetText(row, 11, TrimBlanks(r.Kind));
            sheet.SetText(row, 12, TrimBlanks(r.PipePassage));
            if (i % kDataLinesPerPage == 0) {
                ++page;
                k = 0;
            }
        }
        // What the calculation warned about stands out: red and bold. The
        // sheet's columns are the grid's moved one right by the number.
        for (const ImplausibleEntry& entry : FindImplausibleEntries(numbers)) {
            const int row = sheetRows[static_cast<size_t>(entry.row - 1)];
            sheet.ChangeFormats({row, entry.col + 1, row, entry.col + 1}, [](CellFormat& f) {
                f.fontRgb = kImplausibleRgb;
                f.bold = true;
            });
        }
    });
}

} // namespace pyrostat
