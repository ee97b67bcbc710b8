// The whole calculation of a 500-property building: the check on the grid,
// the records, the distribution, "PYROSTAT.TMP" and "~mirttype.txt", the
// archive copy and the export for the common-expenses program.
#include "distribution/CalculationRun.h"
#include "distribution/ResultsFiles.h"
#include "workspace/MemoryGrid.h"

#include "BenchBuilding.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace pyrostat;

using bench::FillBuilding;
using bench::SilentMessages;

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
        DistributionResult result = CalculateDistribution(records, NumberLocale::Of(state));
        benchmark::DoNotOptimize(result.lines.data());
    }
}
BENCHMARK(BM_DistributionOnlyOf500Properties)->Unit(benchmark::kMicrosecond);

} // namespace
