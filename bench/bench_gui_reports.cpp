// Times the three reports of a 500-property building (formulas, results
// table, input data) from their work files to a PDF file and to an .xlsx
// file, through the same engine as the program. The work files come from the
// program's own calculation of the building.
#include "distribution/CalculationRun.h"
#include "reports/FormulaReport.h"
#include "reports/InputDataReport.h"
#include "reports/ReportCommands.h"
#include "reports/ResultsTableReport.h"
#include "reports/gui/QtReportOutputs.h"
#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/XlsxExport.h"
#include "workspace/MemoryGrid.h"

#include "BenchBuilding.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace pyrostat;
using bench::SilentMessages;

// The fonts and the PDF writer need an application object; the benchmarks
// make one, without a screen. It is never destroyed: at exit the static
// destructors would run after Qt's own globals are gone.
void EnsureApplication() {
    static QGuiApplication* app = nullptr;
    if (app == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_gui_reports";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
}

ProgramState MakeState(const std::filesystem::path& folder) {
    ProgramState state;
    state.ProgramFolder = folder.string() + "/";
    state.ChosenEngineer = "Γεώργιος Παπαδόπουλος";
    state.Employer = "Σύλλογος Ιδιοκτητών";
    state.Project = "Κατανομή θέρμανσης";
    state.Location = "Πάτρα";
    return state;
}

// A program folder with the three templates and the work files of a
// calculated building of `n` properties: "PYROSTAT.TMP", "~mirttype.txt" and
// "S_PYROS.TMP". Empty when the calculation does not complete.
std::filesystem::path MakeProgramFolder(int n) {
    const auto folder = std::filesystem::temp_directory_path() / "pyrostat-bench-reports";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const char* name : {kFormulaTemplateName, kTableTemplateName, kInputDataTemplateName}) {
        std::filesystem::copy_file(std::string(PYROSTAT_SOURCE_DATA_DIR) + "/" + name,
                                   folder / name);
    }
    ProgramState state = MakeState(folder);
    MemoryGrid grid;
    bench::FillBuilding(grid, n);
    SilentMessages messages;
    TitleBoxAccess title;
    const std::string text = "Πολυκατοικία " + std::to_string(n) + " ιδιοκτησιών";
    title.text = [&] { return text; };
    if (RunCalculation(grid, state, messages, title, true) != CalculationOutcome::Written ||
        !WriteInputDataFile(grid, state, text, true)) {
        return {};
    }
    return folder;
}

enum class Target { Pdf, Xlsx };
using Routine = void (*)(ReportServices&, const ReportJob&);

void Report(benchmark::State& st, Routine routine, Target target) {
    EnsureApplication();
    const auto folder = MakeProgramFolder(static_cast<int>(st.range(0)));
    if (folder.empty()) {
        st.SkipWithError("the building was not calculated");
        return;
    }
    const std::string output =
        (folder / (target == Target::Pdf ? "report.pdf" : "report.xlsx")).string();
    ProgramState state = MakeState(folder);
    SilentMessages messages;
    bool ok = true;
    int pages = 0;
    QtReportOutputs::Hooks outputs;
    outputs.preview = [&](const SheetModel& model) {
        std::string error;
        pages = static_cast<int>(model.PageBreaks().size()) + 1;
        ok = target == Target::Pdf ? WriteSheetPdf(model, output, ',', '.', error)
                                   : WriteSheetXlsx(model, output, error);
        return ok;
    };
    ReportServices services{
        state, messages, QtReportOutputs::Make(',', '.', &messages, nullptr, outputs), {}};
    for (auto _ : st) {
        routine(services, ReportJob::Preview());
    }
    if (!ok || !std::filesystem::exists(output)) {
        st.SkipWithError("the report file was not written");
        return;
    }
    st.counters["bytes"] = static_cast<double>(std::filesystem::file_size(output));
    st.counters["pages"] = pages;
}

void BM_FormulaReportToPdf(benchmark::State& st) {
    Report(st, FormulaReport, Target::Pdf);
}
void BM_FormulaReportToXlsx(benchmark::State& st) {
    Report(st, FormulaReport, Target::Xlsx);
}
void BM_TableReportToPdf(benchmark::State& st) {
    Report(st, ResultsTableReport, Target::Pdf);
}
void BM_TableReportToXlsx(benchmark::State& st) {
    Report(st, ResultsTableReport, Target::Xlsx);
}
void BM_InputDataReportToPdf(benchmark::State& st) {
    Report(st, InputDataReport, Target::Pdf);
}
void BM_InputDataReportToXlsx(benchmark::State& st) {
    Report(st, InputDataReport, Target::Xlsx);
}

BENCHMARK(BM_FormulaReportToPdf)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormulaReportToXlsx)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableReportToPdf)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableReportToXlsx)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InputDataReportToPdf)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InputDataReportToXlsx)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
