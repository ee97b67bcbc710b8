#include "reports/FormulaReport.h"

#include "distribution/FormulaTextFile.h"
#include "distribution/ResultRecord.h"
#include "platform/PathRoutines.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"
#include "reports/ReportRoutine.h"

#include <vector>

namespace pyrostat {

namespace {

// A further page p + 1 below page p: the head and the foot copied whole, the
// body copied with its formats and cleared of values.
void StartFormulaPage(SheetModel& sheet, int p) {
    const int top = kFormulaPageRows * p + 1;
    sheet.AddPageBreak(top);
    sheet.PasteRows(sheet.CopyRows(1, kFormulaHeadRows), top);
    const int bodyLast = kFormulaPageRows - 1;
    sheet.PasteRows(sheet.CopyRows(kFormulaHeadRows + 1, bodyLast), top + kFormulaHeadRows);
    sheet.ClearRowValues(top + kFormulaHeadRows, top + bodyLast - 1);
    sheet.PasteRows(sheet.CopyRows(kFormulaPageRows, kFormulaPageRows), kFormulaPageRows * (p + 1));
}

} // namespace

void FormulaReport(ReportServices& services, const ReportJob& job) {
    const std::string folder = AddBackslash(services.state.ProgramFolder);
    RunSheetReport(services, kFormulaTemplateName, 4, job, [&](SheetModel& sheet) {
        const std::vector<std::string> lines = ReadQuotedLines(folder + kFormulaFileName);
        const RecordFileContents results =
            ReadRecordFile(folder + "PYROSTAT.TMP", ResultRecord::kLength);
        const size_t n = results.records.size();
        size_t L = 0;
        size_t j = 0;
        int k = 0;
        int page = 1;
        for (const std::string& line : lines) {
            ++L;
            if (L <= 2) {
                continue; // the general formula's heading and formula
            }
            ++j;
            ++k;
            // A formula line without its record keeps an empty name.
            std::string name;
            if (j <= n) {
                name = TrimBlanks(ResultRecord::Unpack(results.records[j - 1]).PropertyName);
            }
            const int row = kFormulaPageRows * (page - 1) + kFormulaHeadRows + k;
            sheet.SetText(row, 1, std::to_string(j));
            sheet.SetText(row, 2, name + kFormulaLeader);
            sheet.SetText(row, 3, TrimBlanks(line));
            if (k > 0 && k % kFormulaLinesPerPage == 0 && L < n + 2) {
                StartFormulaPage(sheet, page);
                ++page;
                k = 0;
            }
        }
    });
}

} // namespace pyrostat
