// Times the results table report of 500 properties, from the result file to a
// PDF file and to an .xlsx file, through the same engine as the program.
#include "distribution/ResultRecord.h"
#include "platform/MessageService.h"
#include "reports/ResultsTableReport.h"
#include "reports/gui/QtSheetApplication.h"
#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/XlsxExport.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace pyrostat;

class SilentMessages : public MessageService {
public:
    Answer Show(const std::string&, const std::string&, Icon, Buttons, Answer a) override {
        return a;
    }
    void Beep() override {}
};

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

// A program folder with the table template and a result file of `n` properties.
std::filesystem::path MakeProgramFolder(int n) {
    const auto folder = std::filesystem::temp_directory_path() / "pyrostat-bench-reports";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::string(PYROSTAT_SOURCE_DATA_DIR) + "/" + kTableTemplateName,
                               folder / kTableTemplateName,
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream out(folder / "PYROSTAT.TMP", std::ios::binary | std::ios::trunc);
    for (int i = 1; i <= n; ++i) {
        ResultRecord r;
        r.RowNo = static_cast<int16_t>(i);
        r.PropertyName = "Διαμέρισμα " + std::to_string(i);
        r.TotalLosses = 4000.0f + static_cast<float>(i);
        r.OpeningLosses = 900.0f;
        r.VentilationLosses = 400.0f;
        r.Area = 80.0f + static_cast<float>(i % 40);
        r.MeanHeight = 3.0f;
        r.Volume = r.Area * 3.0f;
        r.HeatDemand = 4100.0f;
        r.DemandShare = 1.0f / static_cast<float>(n);
        r.ExposedWallArea = 36.0f;
        r.LateralWallArea = 78.0f;
        r.ExposureRatio = 0.4615f;
        r.KindFactor = 0.65f;
        r.PipeFactor = 0.01f;
        r.AreaFactor = 0.04f;
        r.ExposureFactor = 0.05f;
        const std::string bytes = r.Pack();
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return folder;
}

enum class Target { Pdf, Xlsx };

void TableReport(benchmark::State& st, Target target) {
    EnsureApplication();
    const auto folder = MakeProgramFolder(static_cast<int>(st.range(0)));
    const std::string output =
        (folder / (target == Target::Pdf ? "table.pdf" : "table.xlsx")).string();
    ProgramState state;
    state.ProgramFolder = folder.string() + "/";
    state.ChosenEngineer = "Γεώργιος Παπαδόπουλος";
    state.Employer = "Σύλλογος Ιδιοκτητών";
    state.Project = "Κατανομή θέρμανσης";
    state.Location = "Πάτρα";
    SilentMessages messages;
    bool ok = true;
    QtSheetApplication::Outputs outputs;
    outputs.preview = [&](const SheetModel& model) {
        std::string error;
        ok = target == Target::Pdf ? WriteSheetPdf(model, output, ',', '.', error)
                                   : WriteSheetXlsx(model, output, error);
        return ok;
    };
    ReportServices services{state, messages,
                            QtSheetApplication::Factory(',', '.', &messages, nullptr, outputs),
                            [](ProgramState& s) { s.CurrentEngineer = s.ChosenEngineer; }};
    for (auto _ : st) {
        int16_t mode = kModePreview;
        std::string printer;
        int16_t copies = 1;
        ResultsTableReport(services, mode, printer, copies);
    }
    if (!ok) {
        st.SkipWithError("the report file was not written");
    }
    st.counters["bytes"] = static_cast<double>(std::filesystem::file_size(output));
}

void BM_TableReportToPdf(benchmark::State& st) {
    TableReport(st, Target::Pdf);
}
void BM_TableReportToXlsx(benchmark::State& st) {
    TableReport(st, Target::Xlsx);
}

BENCHMARK(BM_TableReportToPdf)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableReportToXlsx)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
