#include "distribution/StudyCalculation.h"

#include "distribution/CalculationRun.h"
#include "distribution/FormulaTextFile.h"
#include "distribution/SampleStudy.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <random>

namespace pyrostat {
namespace {

using test::GridRowTexts;

const std::string kExpected = std::string(PYROSTAT_TESTS_DIR) + "/distribution/data/";

std::vector<StudyRow> RowsOf(const std::vector<GridRowTexts>& grid) {
    return {grid.begin(), grid.end()};
}

std::string Packed(const std::vector<ResultRecord>& records) {
    std::string bytes;
    for (const ResultRecord& r : records) {
        bytes += r.Pack();
    }
    return bytes;
}

// The sample study calculated from its plain rows gives the files the
// separate model of the rules made.
TEST(StudyCalculation, SampleRowsGiveTheReferenceFilesWithoutAGrid) {
    const StudyCalculation run =
        CalculateStudy(RowsOf(test::SampleGrid()), true, NumberLocale::English());
    ASSERT_TRUE(run.Ok());
    EXPECT_EQ(Packed(run.result.records), test::ReadAll(kExpected + "sample_PYROSTAT.TMP"));
    EXPECT_EQ(FormatQuotedLines(run.result.lines),
              test::ReadAll(kExpected + "sample_mirttype.txt"));

    std::vector<GridRowTexts> comma = test::SampleGrid();
    for (auto& row : comma) {
        for (size_t c = 1; c <= 8; ++c) {
            std::replace(row[c].begin(), row[c].end(), '.', ',');
        }
    }
    const StudyCalculation greek = CalculateStudy(RowsOf(comma), true, NumberLocale::Greek());
    ASSERT_TRUE(greek.Ok());
    EXPECT_EQ(FormatQuotedLines(greek.result.lines),
              test::ReadAll(kExpected + "sample_mirttype_comma.txt"));
}

// What the window's check finds on the grid, found on the rows: the codes,
// the row a message names, and the files of a run that passes.
struct GridRun {
    CalculationOutcome outcome;
    std::string title, prompt;
    std::string records, formula;
};

GridRun OnTheGrid(const std::vector<StudyRow>& rows, bool insulated) {
    test::TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    MemoryGrid grid(NumberLocale::English());
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 1; c <= 11; ++c) {
            grid.Table().SetCellRaw(static_cast<int>(r + 1), c,
                                    rows[r][static_cast<size_t>(c - 1)]);
        }
    }
    test::RecordingMessages messages;
    // Random numbers are often no building's: the engineer goes on.
    messages.AnswerNext(MessageService::Answer::Yes);
    TitleBoxAccess title;
    title.text = [] { return std::string("Μελέτη"); };
    GridRun out;
    DistributionResult result;
    out.outcome = RunCalculation(grid, state, messages, title, insulated, &result);
    if (!messages.Empty()) {
        out.title = messages.Last().title;
        out.prompt = messages.Last().prompt;
    }
    if (out.outcome == CalculationOutcome::Written) {
        out.records = test::ReadAll(folder.File("PYROSTAT.TMP"));
        out.formula = test::ReadAll(folder.File("~mirttype.txt"));
    }
    return out;
}

TEST(StudyCalculation, RandomBuildingsAgreeWithTheGridCommand) {
    std::mt19937 random(20261207);
    const std::vector<std::string>& kinds = ListTexts(10);
    const std::vector<std::string>& pipes = ListTexts(11);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto number = [&](int top) {
        // Mostly sound values, now and then an empty cell, a zero or text.
        switch (pick(90)) {
        case 0:
            return std::string();
        case 1:
            return std::string("0");
        case 2:
            return std::string("1.2.3");
        default:
            return std::to_string(pick(top) + 1) + "." + std::to_string(pick(100));
        }
    };
    int passed = 0, stopped = 0;
    for (int building = 0; building < 300; ++building) {
        std::vector<StudyRow> rows(static_cast<size_t>(1 + pick(30)));
        for (StudyRow& row : rows) {
            if (pick(15) == 0) {
                continue; // an empty row in the middle
            }
            row = {"Ιδιοκτησία " + std::to_string(pick(900)),
                   number(9000),
                   number(900),
                   number(700),
                   number(150),
                   pick(3) ? "3" : number(4),
                   number(30),
                   number(20),
                   number(20),
                   kinds[static_cast<size_t>(pick(static_cast<int>(kinds.size())))],
                   pipes[static_cast<size_t>(pick(static_cast<int>(pipes.size())))]};
            if (pick(40) == 0) {
                row[10].clear();
            }
        }
        const bool insulated = pick(2) == 0;
        SCOPED_TRACE("building " + std::to_string(building));
        const GridRun grid = OnTheGrid(rows, insulated);
        const StudyCalculation plain = CalculateStudy(rows, insulated, NumberLocale::English());
        std::string title, prompt;
        StudyCheckMessage(plain.checked, title, prompt);
        if (plain.checked.check != StudyCheck::Passed) {
            ++stopped;
            EXPECT_EQ(grid.outcome, plain.checked.check == StudyCheck::NoProperties
                                        ? CalculationOutcome::NothingToDo
                                        : CalculationOutcome::Stopped);
            EXPECT_EQ(grid.title, title);
            EXPECT_EQ(grid.prompt, prompt);
            continue;
        }
        if (!plain.result.Ok()) {
            ++stopped;
            EXPECT_EQ(grid.outcome, CalculationOutcome::Stopped);
            EXPECT_EQ(grid.prompt, DistributionStopPrompt(plain.result));
            continue;
        }
        ++passed;
        ASSERT_EQ(grid.outcome, CalculationOutcome::Written);
        EXPECT_EQ(grid.records, Packed(plain.result.records));
        EXPECT_EQ(grid.formula, FormatQuotedLines(plain.result.lines));
    }
    // Both roads were walked often enough to mean something.
    EXPECT_GT(passed, 50);
    EXPECT_GT(stopped, 50);
}

TEST(StudyCalculation, EmptyRowsAreTakenOutAndTheNamedRowCountsWithoutThem) {
    std::vector<StudyRow> rows = RowsOf(test::SampleGrid());
    rows.insert(rows.begin() + 2, StudyRow{});
    rows.push_back(StudyRow{});
    for (size_t c = 6; c <= 8; ++c) {
        rows[5][c] = "0"; // the fifth property once the empty row is out
    }
    const StudyCheckResult checked = CheckStudyRows(rows, NumberLocale::English());
    EXPECT_EQ(checked.check, StudyCheck::NoLateralLength);
    EXPECT_EQ(checked.row, 5);
    EXPECT_EQ(checked.rows.size(), test::SampleGrid().size());
    EXPECT_EQ(CheckStudyRows({StudyRow{}, StudyRow{}}, NumberLocale::English()).check,
              StudyCheck::NoProperties);
}

} // namespace
} // namespace pyrostat
