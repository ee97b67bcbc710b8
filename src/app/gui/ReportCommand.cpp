#include "app/gui/ReportCommand.h"

#include "app/SystemLocale.h"

#include "app/CommandOptions.h"

#include "app/ExitCodes.h"
#include "platform/FileAccess.h"

#include "printing/gui/PrinterCommand.h"

#include "app/CalcCommand.h"
#include "app/StreamMessages.h"
#include "distribution/ResultsFiles.h"
#include "distribution/TitleBoxAccess.h"

#include "platform/MessageService.h"
#include "platform/Utf8.h"
#include "reports/FormulaReport.h"
#include "reports/InputDataReport.h"
#include "reports/ReportCommands.h"
#include "reports/ResultsTableReport.h"
#include "reports/gui/QtReportOutputs.h"
#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/XlsxExport.h"
#include "studies/MemoryStudyFields.h"
#include "studies/StudyFile.h"
#include "workspace/MemoryGrid.h"

#include <charconv>
#include <locale>
#include <ostream>
#include <sstream>

namespace pyrostat {

namespace {

void Usage(std::ostream& err) {
    err << "Χρήση: pyrostat report formulas|table|data[,...] ΜΕΛΕΤΗ.pyx [--pdf ΑΡΧΕΙΟ.pdf] "
           "[--xlsx ΑΡΧΕΙΟ.xlsx] [--print ΕΚΤΥΠΩΤΗΣ [--copies N]] [--decimal ,|.]\n"
           "  Με περισσότερες αναφορές (π.χ. formulas,table,data) κάθε αρχείο παίρνει το "
           "όνομα της αναφοράς πριν από την κατάληξη: Α-table.pdf.\n";
}

} // namespace

std::optional<std::vector<std::string>> ReportKinds(const std::string& word) {
    std::vector<std::string> kinds;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = word.find(',', start);
        const std::string kind =
            word.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (ReportTemplateName(kind).empty() ||
            std::find(kinds.begin(), kinds.end(), kind) != kinds.end()) {
            return std::nullopt;
        }
        kinds.push_back(kind);
        if (comma == std::string::npos) {
            return kinds;
        }
        start = comma + 1;
    }
}

std::string ReportFileFor(const std::string& path, const std::string& kind, bool several) {
    if (!several || path.empty()) {
        return path;
    }
    // The extension is what follows the last dot of the file's own name.
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    if (!hasExtension) {
        return path + "-" + kind;
    }
    return path.substr(0, dot) + "-" + kind + path.substr(dot);
}

PreparedReport PrepareReport(const std::vector<std::string>& args, ProgramState& state,
                             std::istream& in, std::ostream& err) {
    PreparedReport job;
    job.status = [&]() -> int {
        const std::optional<std::vector<std::string>> kinds =
            args.empty() ? std::nullopt : ReportKinds(args[0]);
        if (!kinds) {
            Usage(err);
            return 1;
        }
        job.kinds = *kinds;
        const auto wanted = [&job](const char* kind) {
            return std::find(job.kinds.begin(), job.kinds.end(), kind) != job.kinds.end();
        };
        std::string& pdfPath = job.pdfPath;
        std::string& xlsxPath = job.xlsxPath;
        std::string& printerName = job.printerName;
        std::string& copiesText = job.copiesText;
        std::string decimal;
        bool printGiven = false;
        const CommandOption table[] = {
            {"--pdf", &pdfPath},       {"--xlsx", &xlsxPath},   {"--print", &printerName},
            {"--copies", &copiesText}, {"--decimal", &decimal},
        };
        const std::optional<std::vector<std::string>> files =
            ParseCommandOptions(std::vector<std::string>(args.begin() + 1, args.end()), table, err);
        if (!files) {
            Usage(err);
            return 1;
        }
        printGiven = std::find(args.begin(), args.end(), "--print") != args.end();
        if (files->size() != 1 || (printGiven && printerName.empty()) ||
            (!copiesText.empty() &&
             (copiesText.find_first_not_of("0123456789") != std::string::npos ||
              copiesText.size() > 3)) ||
            (!decimal.empty() && decimal != "," && decimal != ".")) {
            Usage(err);
            return 1;
        }
        const std::string& studyPath = files->front();
        if (studyPath.empty() || (pdfPath.empty() && xlsxPath.empty() && printerName.empty())) {
            Usage(err);
            return 1;
        }
        if (!xlsxPath.empty() && !XlsxExportAvailable()) {
            err << "Η εγγραφή .xlsx δεν είναι διαθέσιμη σε αυτή την έκδοση\n";
            return 1;
        }
        const char dec = decimal.empty() ? SystemNumberLocale().decimal : decimal[0];
        state.DecimalSeparatorCode = dec;
        state.ThousandsSeparatorCode = dec == ',' ? '.' : ',';

        job.messages = std::make_shared<StreamMessages>(err);
        StreamMessages& messages = *job.messages;
        job.grid = std::make_shared<MemoryGrid>(NumberLocale::Of(state));
        MemoryGrid& grid = *job.grid;
        // Its insulation box starts ticked, as in the window and for calc: a file
        // that makes no choice leaves it so, and every report reads the choice
        // the calculation uses.
        MemoryStudyFields& fields = job.fields;
        if (wanted("data")) {
            const FileProblem problem = ExamineFile(studyPath);
            if (problem != FileProblem::None) {
                err << "ΔΕΝ είναι δυνατή η ανάγνωση της μελέτης: "
                    << FileProblemMessage(studyPath, problem) << '\n';
                return kExitFileProblem;
            }
            StudyFile study(grid, state, messages, fields);
            if (!study.OpenFile(studyPath)) {
                return kExitFileProblem;
            }
            if (study.LastOpenDamaged()) {
                // The report would print part of the study as the whole of it.
                err << "Η αναφορά δεν έγινε: η μελέτη δεν διαβάστηκε ολόκληρη.\n";
                return kExitRefused;
            }
            if (grid.DataRowCnt() == 0) {
                err << "!! ΠΡΟΣΟΧΗ !!\n... Η Μελέτη ΔΕΝ έχει Ιδιοκτησίες ...\n";
                return 2;
            }
        }
        if (wanted("formulas") || wanted("table")) {
            // The calculation writes the working files that the two reports read.
            std::vector<std::string> calcArgs{studyPath, "--decimal", std::string(1, dec)};
            std::ostringstream formulaLines;
            const int rc = RunCalcCommand(calcArgs, state, in, formulaLines, err);
            if (rc != 0) {
                return rc;
            }
        }
        if (!GeneralDataComplete(state)) {
            err << "!! ΠΡΟΣΟΧΗ !!\n... Τα Γενικά Στοιχεία του Έργου (ΕΡΓΟΔΟΤΗΣ, ΕΡΓΟ, ΘΕΣΗ ΕΡΓΟΥ) "
                   "είναι ελλιπή ...\n";
            return 2;
        }
        return -1;
    }();
    return job;
}

int DrawReport(PreparedReport& job, ProgramState& state, std::ostream& err) {
    if (job.status >= 0) {
        return job.status;
    }
    const std::string& printerName = job.printerName;
    const std::string& copiesText = job.copiesText;
    StreamMessages& messages = *job.messages;
    MemoryGrid& grid = *job.grid;
    MemoryStudyFields& fields = job.fields;

    int copies = 1;
    if (!printerName.empty() && !copiesText.empty()) {
        const auto [end, ec] =
            std::from_chars(copiesText.data(), copiesText.data() + copiesText.size(), copies);
        if (ec != std::errc() || end != copiesText.data() + copiesText.size() || copies < 1 ||
            copies > 999) {
            err << "Το --copies δέχεται αριθμό αντιτύπων από 1 έως 999: " << copiesText << '\n';
            return kExitUsage;
        }
    }
    const bool several = job.kinds.size() > 1;
    for (const std::string& kind : job.kinds) {
        const std::string pdfPath = ReportFileFor(job.pdfPath, kind, several);
        const std::string xlsxPath = ReportFileFor(job.xlsxPath, kind, several);
        bool written = false;
        bool failed = false;
        QtReportOutputs::Hooks outputs;
        outputs.preview = [&](const SheetModel& model) {
            std::string error;
            if (!pdfPath.empty() && !WriteSheetPdf(model, pdfPath, state.DecimalSeparator(),
                                                   state.ThousandsSeparator(), error)) {
                err << error << '\n';
                failed = true;
            }
            if (!xlsxPath.empty() && !WriteSheetXlsx(model, xlsxPath, error)) {
                err << error << '\n';
                failed = true;
            }
            written = true;
            return !failed;
        };
        ReportServices services{state,
                                messages,
                                QtReportOutputs::Make(state.DecimalSeparator(),
                                                      state.ThousandsSeparator(), &messages,
                                                      nullptr, outputs),
                                {}};
        // One run of the report: the preview writes the files, the print sends
        // the sheet to the printer named.
        auto runReport = [&](const ReportJob& reportJob) {
            if (kind == "formulas") {
                FormulaReport(services, reportJob);
            } else if (kind == "table") {
                ResultsTableReport(services, reportJob);
            } else {
                TitleBoxAccess title;
                title.text = [&fields] { return fields.title; };
                ReportCommandHooks hooks;
                // The printer is named, not chosen.
                hooks.choosePrinter = [&reportJob] { return std::optional<ReportJob>(reportJob); };
                RunInputDataCommand(grid, title, fields.insulation, services, hooks,
                                    reportJob.kind == ReportJob::Kind::Print);
            }
        };
        if (!pdfPath.empty() || !xlsxPath.empty()) {
            runReport(ReportJob::Preview());
        }
        if (!printerName.empty()) {
            bool printed = false;
            const bool known =
                RunPrintCommand(messages, printerName, copies, [&](const std::string& name, int n) {
                    runReport(ReportJob::Print(name, n));
                    printed = true;
                });
            if (!known || !printed) {
                return messages.Shown() > 0 ? 2 : 1;
            }
            written = true;
        }
        if (failed) {
            return 1;
        }
        if (!written) {
            // The check or the templates stopped the report; its message is on err.
            return messages.Shown() > 0 ? 2 : 1;
        }
    }
    return 0;
}

int RunReportCommand(const std::vector<std::string>& args, ProgramState& state, std::istream& in,
                     std::ostream& /*out*/, std::ostream& err) {
    PreparedReport job = PrepareReport(args, state, in, err);
    return DrawReport(job, state, err);
}

} // namespace pyrostat
