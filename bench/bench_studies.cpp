// Timings of the study files: the browser's rebuild of "Studies.std" over
// 2,000 study files, and a save and an open of a 500-row study.
#include "BenchBuilding.h"
#include "program/ProgramState.h"
#include "studies/GeneralDataFile.h"
#include "studies/MemoryStudyFields.h"
#include "studies/StudiesListFile.h"
#include "studies/StudyFile.h"
#include "workspace/MemoryGrid.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace {

using namespace pyrostat;
namespace fs = std::filesystem;

using bench::SilentMessages;

// A program folder of its own, removed at the end.
struct ProgramFolder {
    fs::path path;
    ProgramFolder() {
        std::random_device rd;
        path = fs::temp_directory_path() /
               ("pyrostat-bench-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        fs::create_directories(path / "PYXFiles");
    }
    ~ProgramFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string WithSlash() const { return path.string() + "/"; }
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FillGrid(MemoryGrid& grid, int rows) {
    for (int r = 1; r <= rows; ++r) {
        grid.SetCellText(r, 1, "Διαμέρισμα " + std::to_string(r));
        grid.SetCellText(r, 2, std::to_string(4000 + r) + ".50");
        grid.SetCellText(r, 3, "1200");
        grid.SetCellText(r, 4, "800.25");
        grid.SetCellText(r, 5, "95.5");
        grid.SetCellText(r, 6, "2.8");
        grid.SetCellText(r, 7, "12");
        grid.SetCellText(r, 8, "4.5");
        grid.SetCellText(r, 9, "20");
        grid.SetCellText(r, 10, "ΕΝΔΙΑΜΕΣΟ");
        grid.SetCellText(r, 11, "ΕΚΤΟΣ ΙΔΙΟΚΤ.");
    }
}

void BM_BrowserRebuild2000Studies(benchmark::State& st) {
    ProgramFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    std::string record(197, '\0');
    record.replace(2, 78, std::string("ΠΟΛΥΚΑΤΟΙΚΙΑ") + std::string(66, ' '));
    for (int i = 0; i < 2000; ++i) {
        WriteFile(folder.WithSlash() + "PYXFiles/study" + std::to_string(i) + ".pyx",
                  record + record + record);
    }
    for (auto _ : st) {
        const int count = MakeCurrentStudiesFile(state, folder.WithSlash() + "PYXFiles/");
        benchmark::DoNotOptimize(count);
        if (count != 2000) {
            st.SkipWithError("wrong count");
            break;
        }
    }
}
BENCHMARK(BM_BrowserRebuild2000Studies)->Unit(benchmark::kMillisecond);

// A program state over `folder` whose general data are complete and on disk,
// so that a save writes without asking.
ProgramState StateWithGeneralData(const ProgramFolder& folder) {
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    state.Employer = "ΕΡΓΟΔΟΤΗΣ";
    state.Project = "ΕΡΓΟ";
    state.Location = "ΘΕΣΗ";
    WriteFile(state.InProgramFolder("Thema.tmp"),
              FormatGeneralData({state.Employer, state.Project, state.Location}));
    return state;
}

void BM_Save500RowStudy(benchmark::State& st) {
    ProgramFolder folder;
    ProgramState state = StateWithGeneralData(folder);
    MemoryGrid grid;
    FillGrid(grid, 500);
    MemoryStudyFields fields;
    fields.title = "ΠΟΛΥΚΑΤΟΙΚΙΑ";
    SilentMessages messages;
    StudyFile study(grid, state, messages, fields);
    const std::string path = folder.WithSlash() + "PYXFiles/big.pyx";
    for (auto _ : st) {
        if (study.SaveAsFile(path) != SaveOutcome::Saved) {
            st.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_Save500RowStudy)->Unit(benchmark::kMillisecond);

void BM_Open500RowStudy(benchmark::State& st) {
    ProgramFolder folder;
    ProgramState state = StateWithGeneralData(folder);
    MemoryGrid source;
    FillGrid(source, 500);
    MemoryStudyFields fields;
    SilentMessages messages;
    const std::string path = folder.WithSlash() + "PYXFiles/big.pyx";
    StudyFile writer(source, state, messages, fields);
    if (writer.SaveAsFile(path) != SaveOutcome::Saved) {
        st.SkipWithError("save failed");
        return;
    }
    MemoryGrid grid;
    StudyFile reader(grid, state, messages, fields);
    for (auto _ : st) {
        if (!reader.OpenFile(path) || grid.DataRowCnt() != 500) {
            st.SkipWithError("open failed");
            break;
        }
    }
}
BENCHMARK(BM_Open500RowStudy)->Unit(benchmark::kMillisecond);

} // namespace
