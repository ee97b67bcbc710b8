// The whole calculation of a 500-property building: the check on the grid,
// the records, the distribution, "PYROSTAT.TMP" and "~mirttype.txt", the
// archive copy and the export for the common-expenses program.
#include "distribution/CalculationRun.h"
#include "distribution/ResultsFiles.h"
#include "platform/MessageService.h"
#include "workspace/MemoryGrid.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace pyrostat;

class SilentMessages : public MessageService {
public:
    Answer Show(const std::string&, const std::string&, Icon, Buttons, Answer a) override {
        return a;
    }
    void Beep() override {}
};

void FillBuilding(MemoryGrid& grid, int properties) {
    const char* kinds[] = {"ΥΠΟΓ.-ΗΜΙΫΠΟΓ.", "ΙΣΟΓΕΙΟ", "PILOTIS ΚΑΤΩ", "ΕΝΔΙΑΜΕΣΟ", "ΡΕΤΙΡΕ"};
    const char* pipes[] = {"ΕΚΤΟΣ ΙΔΙΟΚΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ."};
    for (int r = 1; r <= properties; ++r) {
        const int v = r % 37;
        grid.SetCellText(r, 1, "Διαμέρισμα " + std::to_string(r));
        grid.SetCellText(r, 2, std::to_string(3000 + 41 * v) + ".50");
        grid.SetCellText(r, 3, std::to_string(500 + 7 * v));
        grid.SetCellText(r, 4, std::to_string(300 + 5 * v));
        grid.SetCellText(r, 5, std::to_string(35 + 3 * v) + ".25");
        grid.SetCellText(r, 6, "2.90");
        grid.SetCellText(r, 7, std::to_string(4 + v % 9));
        grid.SetCellText(r, 8, std::to_string(v % 4));
        grid.SetCellText(r, 9, std::to_string(6 + v % 5));
        grid.SetCellText(r, 10, kinds[r % 5]);
        grid.SetCellText(r, 11, pipes[r % 3]);
    }
}

void BM_CalculationOf500Properties(benchmark::State& run) {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / "pyrostat-bench-calculation";
    std::filesystem::create_directories(home);
    ProgramState state;
    state.ProgramFolder = home.string() + "/";
    state.Employer = "Ένωση Ιδιοκτητών";
    state.Project = "Κατανομή Θέρμανσης";
    state.Location = "Αθήνα";
    MemoryGrid grid;
    FillBuilding(grid, 500);
    SilentMessages messages;
    TitleBoxAccess title;
    title.text = [] { return std::string("Πολυκατοικία 500 ιδιοκτησιών"); };
    for (auto _ : run) {
        const CalculationOutcome outcome = RunCalculation(grid, state, messages, title, true);
        if (outcome != CalculationOutcome::Written || !ArchiveResults(state, title.Text()) ||
            !ExportForCommonExpenses(state)) {
            run.SkipWithError("the calculation did not complete");
            break;
        }
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_CalculationOf500Properties)->Unit(benchmark::kMillisecond);

void BM_DistributionOnlyOf500Properties(benchmark::State& run) {
    ProgramState state;
    MemoryGrid grid;
    FillBuilding(grid, 500);
    const std::vector<ResultRecord> records = BuildResultRecords(grid, state, true);
    for (auto _ : run) {
        DistributionResult result = CalculateDistribution(records, state);
        benchmark::DoNotOptimize(result.lines.data());
    }
}
BENCHMARK(BM_DistributionOnlyOf500Properties)->Unit(benchmark::kMicrosecond);

} // namespace
