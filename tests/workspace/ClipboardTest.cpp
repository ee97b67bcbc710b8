#include "platform/ClipboardService.h"
#include "workspace/ClipboardText.h"
#include "workspace/EditingCommands.h"
#include "workspace/GridLayout.h"
#include "workspace/MemoryGrid.h"
#include "workspace/PasteReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pyrostat {
namespace {

class ClipboardTest : public ::testing::Test {
protected:
    ClipboardTest() {
        state.DecimalSeparatorCode = ',';
        state.ThousandsSeparatorCode = '.';
        grid.BlockSelected = [this](int col, int row, int col2, int row2) {
            commands.OnBlockSelected(col, row, col2, row2);
        };
    }

    // Fills all eleven columns of a row; the designation keeps its blanks in
    // the grid.
    void FillRow(int row, const std::string& name, const std::string& number, int kind, int pipe) {
        ASSERT_TRUE(grid.SetCellText(row, 1, name));
        for (int c = 2; c <= 9; ++c) {
            ASSERT_TRUE(grid.SetCellText(row, c, number));
        }
        ASSERT_TRUE(grid.SetCellText(row, 10, KindTexts()[static_cast<size_t>(kind)]));
        ASSERT_TRUE(grid.SetCellText(row, 11, PipeTexts()[static_cast<size_t>(pipe)]));
    }

    std::vector<std::string> RowTexts(int row) const {
        std::vector<std::string> texts;
        for (int c = 1; c <= kGridColumns; ++c) {
            texts.push_back(grid.CellText(row, c));
        }
        return texts;
    }

    void ExpectSelectionCleared() {
        EXPECT_EQ(commands.Selection().UpperRow, 0);
        EXPECT_EQ(commands.Selection().LowerRow, 0);
        EXPECT_EQ(commands.Selection().LeftCol, 0);
        EXPECT_EQ(commands.Selection().RightCol, 0);
    }

    ProgramState state;
    MemoryClipboard clipboard;
    MemoryGrid grid{NumberLocale::Greek(), &clipboard};
    EditingCommands commands{grid, state, clipboard};
};

TEST(ClipboardTextTest, SplitsRowsAtLineBreaksAndCellsAtTabs) {
    using Rows = std::vector<std::vector<std::string>>;
    const struct {
        const char* text;
        Rows rows;
    } cases[] = {
        {"", {}},
        {"a", {{"a"}}},
        {"a\n", {{"a"}}},
        {"a\r\n", {{"a"}}},
        {"a\tb\r\nc\n", {{"a", "b"}, {"c"}}},
        {"a\tb\nc\td", {{"a", "b"}, {"c", "d"}}},
        {"\t\n", {{"", ""}}},
        {"a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"Α1\t85,5\t\r\n", {{"Α1", "85,5", ""}}},
    };
    for (const auto& tc : cases) {
        EXPECT_EQ(SplitClipboardText(tc.text), tc.rows) << tc.text;
    }
    EXPECT_EQ(ClipboardTextWidth(SplitClipboardText("a\nb\tc\td\ne\tf\n")), 3u);
}

TEST_F(ClipboardTest, WholeRowsGoThroughTheRowBufferAndPasteAgainAndAgain) {
    FillRow(2, "  Διαμ. Α1  ", "12,5", 1, 0);
    FillRow(3, "Κατάστημα", "7", 4, 2);
    clipboard.SetText("untouched");
    grid.SelectBlock(2, -1, 3, -1);
    const int focus = grid.FocusCount();
    commands.CopyToClipboard();

    ASSERT_EQ(commands.CopiedRows().size(), 2u);
    EXPECT_EQ(commands.CopiedRows()[0][0], "Διαμ. Α1");
    EXPECT_EQ(commands.CopiedRows()[0][1], "12,50");
    EXPECT_EQ(commands.CopiedRows()[1][9], "ΡΕΤΙΡΕ");
    EXPECT_EQ(commands.CopiedRows()[1][10], "ΑΛΛΗ ΠΕΡΙΠΤ.");
    EXPECT_EQ(clipboard.Text(), "untouched");
    EXPECT_EQ(commands.Selection().UpperRow, 2); // a whole-row copy keeps the selection
    EXPECT_EQ(commands.Selection().LeftCol, -1);
    EXPECT_EQ(grid.FocusCount(), focus + 1);

    std::vector<std::string> row2 = RowTexts(2);
    row2[0] = "Διαμ. Α1"; // blanks of every cell removed
    const std::vector<std::string> row3 = RowTexts(3);
    for (const int target : {10, 20}) {
        SCOPED_TRACE(target);
        commands.Selection().Reset();
        grid.PlaceCursor(target, 4);
        commands.PasteFromClipboard();
        EXPECT_EQ(RowTexts(target), row2);
        EXPECT_EQ(RowTexts(target + 1), row3);
        EXPECT_EQ(RowTexts(target + 2), std::vector<std::string>(kGridColumns));
        EXPECT_EQ(clipboard.Text(), "untouched");
        ExpectSelectionCleared();
    }
    EXPECT_EQ(RowTexts(2)[0], "  Διαμ. Α1  "); // the source keeps its own text
    EXPECT_EQ(commands.CopiedRows().size(), 2u);
}

TEST_F(ClipboardTest, CopiedRowsBelowTheLastGridRowAreDropped) {
    FillRow(1, "Α", "1", 0, 0);
    FillRow(2, "Β", "2", 1, 1);
    FillRow(3, "Γ", "3", 2, 2);
    grid.SelectBlock(1, -1, 3, -1);
    commands.CopyToClipboard();
    grid.PlaceCursor(499, 1);
    commands.PasteFromClipboard();
    EXPECT_EQ(grid.CellText(499, 1), "Α");
    EXPECT_EQ(grid.CellText(500, 1), "Β");
    EXPECT_EQ(grid.CellText(500, 3), "2,00");
    EXPECT_EQ(grid.DataRowCnt(), 500);
    EXPECT_EQ(grid.CellText(1, 1), "Α");
    EXPECT_EQ(grid.CellText(3, 1), "Γ");
}

TEST_F(ClipboardTest, TheWholeTableCopiesEveryDataRow) {
    FillRow(1, "Α", "1", 0, 0);
    FillRow(4, "Δ", "4", 3, 1);
    grid.SelectBlock(-1, -1, -1, -1);
    commands.CopyToClipboard();
    ASSERT_EQ(commands.CopiedRows().size(), 4u);
    EXPECT_EQ(commands.CopiedRows()[0][0], "Α");
    EXPECT_EQ(commands.CopiedRows()[1][0], "");
    EXPECT_EQ(commands.CopiedRows()[3][1], "4,00");
}

TEST_F(ClipboardTest, AOneRowBlockPastedOnABiggerBlockFillsEveryRow) {
    ASSERT_TRUE(grid.SetCellText(2, 2, "100"));
    ASSERT_TRUE(grid.SetCellText(2, 3, "20,5"));
    ASSERT_TRUE(grid.SetCellText(2, 4, "3"));
    for (int r = 5; r <= 9; ++r) {
        ASSERT_TRUE(grid.SetCellText(r, 1, "Π" + std::to_string(r)));
        ASSERT_TRUE(grid.SetCellText(r, 5, "9"));
    }
    grid.SelectBlock(2, 2, 2, 4);
    commands.CopyToClipboard();
    EXPECT_EQ(clipboard.Text(), "100,00\t20,50\t3,00\n");
    EXPECT_TRUE(commands.CopiedRows().empty());
    ExpectSelectionCleared();

    grid.SelectBlock(5, 2, 8, 4);
    grid.PlaceCursor(5, 2);
    commands.PasteFromClipboard();
    for (int r = 5; r <= 8; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(grid.CellText(r, 1), "Π" + std::to_string(r));
        EXPECT_EQ(grid.CellText(r, 2), "100,00");
        EXPECT_EQ(grid.CellText(r, 3), "20,50");
        EXPECT_EQ(grid.CellText(r, 4), "3,00");
        EXPECT_EQ(grid.CellText(r, 5), "9,00");
    }
    EXPECT_EQ(grid.CellText(9, 2), "");
    ExpectSelectionCleared();
}

TEST_F(ClipboardTest, OneValueOnASelectedColumnFillsTheSelection) {
    clipboard.SetText("ΕΝΔΙΑΜΕΣΟ\r\n");
    grid.SelectBlock(3, 10, 7, 10);
    commands.PasteFromClipboard();
    for (int r = 3; r <= 7; ++r) {
        EXPECT_EQ(grid.CellText(r, 10), "ΕΝΔΙΑΜΕΣΟ") << r;
    }
    EXPECT_EQ(grid.CellText(2, 10), "");
    EXPECT_EQ(grid.CellText(8, 10), "");
}

TEST_F(ClipboardTest, SeveralPastedRowsLandAsTheyAreAndRepeatBelow) {
    // Columns the text does not reach keep their values.
    for (int r = 1; r <= 10; ++r) {
        ASSERT_TRUE(grid.SetCellText(r, 4, "77"));
    }
    clipboard.SetText("1\t2\n3\t4\n");
    grid.SelectBlock(5, 2, 9, 4);
    commands.PasteFromClipboard();
    const char* const col2[] = {"1,00", "3,00", "1,00", "3,00", "1,00"};
    const char* const col3[] = {"2,00", "4,00", "2,00", "4,00", "2,00"};
    for (int r = 5; r <= 9; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(grid.CellText(r, 2), col2[r - 5]);
        EXPECT_EQ(grid.CellText(r, 3), col3[r - 5]);
        EXPECT_EQ(grid.CellText(r, 4), "77,00");
    }
    EXPECT_EQ(grid.CellText(10, 2), "");

    // As many rows as the block: each lands in its own row.
    clipboard.SetText("5\n6\n7\n");
    grid.SelectBlock(1, 5, 3, 5);
    commands.PasteFromClipboard();
    EXPECT_EQ(grid.CellText(1, 5), "5,00");
    EXPECT_EQ(grid.CellText(2, 5), "6,00");
    EXPECT_EQ(grid.CellText(3, 5), "7,00");
}

TEST_F(ClipboardTest, WholeRowsAndWholeColumnsAsPasteTargets) {
    for (int r = 4; r <= 8; ++r) {
        ASSERT_TRUE(grid.SetCellText(r, 6, "2,8"));
    }
    clipboard.SetText("Α\t10\t11\n");
    grid.SelectBlock(5, -1, 7, -1);
    commands.PasteFromClipboard();
    for (int r = 5; r <= 7; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(grid.CellText(r, 1), "Α");
        EXPECT_EQ(grid.CellText(r, 2), "10,00");
        EXPECT_EQ(grid.CellText(r, 3), "11,00");
        EXPECT_EQ(grid.CellText(r, 6), "2,80");
    }
    EXPECT_EQ(grid.CellText(4, 1), "");
    EXPECT_EQ(grid.CellText(8, 1), "");

    clipboard.SetText("1\n2\n");
    grid.SelectBlock(-1, 9, -1, 9);
    commands.PasteFromClipboard();
    EXPECT_EQ(grid.CellText(1, 9), "1,00");
    EXPECT_EQ(grid.CellText(2, 9), "2,00");
    EXPECT_EQ(grid.CellText(3, 9), "");
    ExpectSelectionCleared();
}

TEST_F(ClipboardTest, AWholeColumnCopyEmptiesTheClipboardAndTheRowBuffer) {
    FillRow(1, "Α", "1", 0, 0);
    FillRow(2, "Β", "2", 1, 1);
    grid.SelectBlock(1, -1, 1, -1);
    commands.CopyToClipboard();
    ASSERT_EQ(commands.CopiedRows().size(), 1u);
    clipboard.SetText("9\t9\n");

    grid.SelectBlock(-1, 2, -1, 3);
    commands.CopyToClipboard();
    EXPECT_TRUE(commands.CopiedRows().empty());
    EXPECT_EQ(clipboard.Text(), "");
    EXPECT_EQ(commands.Selection().UpperRow, -1); // kept, as for whole rows

    // Nothing to paste: neither at the cursor nor into a block.
    const std::vector<std::string> row1 = RowTexts(1);
    const std::vector<std::string> row2 = RowTexts(2);
    commands.Selection().Reset();
    grid.PlaceCursor(1, 1);
    commands.PasteFromClipboard();
    grid.SelectBlock(1, 1, 2, 11);
    commands.PasteFromClipboard();
    EXPECT_EQ(RowTexts(1), row1);
    EXPECT_EQ(RowTexts(2), row2);
}

TEST_F(ClipboardTest, ABlockCopyAfterRowsGoesBackToTheSystemClipboard) {
    FillRow(1, "Α", "1", 0, 0);
    FillRow(2, "Β", "2", 1, 1);
    grid.SelectBlock(1, -1, 1, -1);
    commands.CopyToClipboard();
    commands.Selection().Reset();
    grid.PlaceCursor(2, 3);
    commands.CopyToClipboard(); // no block: the cursor's cell
    EXPECT_TRUE(commands.CopiedRows().empty());
    EXPECT_EQ(clipboard.Text(), "2,00\n");
    grid.PlaceCursor(6, 3);
    commands.PasteFromClipboard();
    EXPECT_EQ(grid.CellText(6, 3), "2,00");
    EXPECT_EQ(grid.CellText(6, 1), "");
}

// What a spreadsheet puts on the clipboard for a block of cells, in a Greek
// locale: tab-separated cells, each row ended by "\r\n" or "\n" (the last break
// sometimes missing), grouping dots, decimal commas.
TEST_F(ClipboardTest, ASpreadsheetBlockRoundTripsThroughTheClipboard) {
    const char* const forms[] = {
        "Διαμέρισμα Α1\t1.234,5\t85,25\r\nΚατάστημα\t0\t12\r\n",
        "Διαμέρισμα Α1\t1.234,5\t85,25\nΚατάστημα\t0\t12\n",
        "Διαμέρισμα Α1\t1.234,5\t85,25\r\nΚατάστημα\t0\t12",
    };
    for (const char* form : forms) {
        SCOPED_TRACE(form);
        commands.ClearCellsData(1, 1, 40, 11);
        clipboard.SetText(form);
        grid.PlaceCursor(7, 1);
        commands.PasteFromClipboard();
        EXPECT_EQ(grid.CellText(7, 1), "Διαμέρισμα Α1");
        EXPECT_EQ(grid.CellText(7, 2), "1234,50");
        EXPECT_EQ(grid.CellText(7, 3), "85,25");
        EXPECT_EQ(grid.CellText(8, 1), "Κατάστημα");
        EXPECT_EQ(grid.CellText(8, 2), "0,00");
        EXPECT_EQ(grid.CellText(8, 3), "12,00");
        EXPECT_EQ(grid.CellText(7, 4), "");
        EXPECT_EQ(grid.CellText(9, 1), "");

        // Back to the spreadsheet, and in again elsewhere.
        grid.SelectBlock(7, 1, 8, 3);
        commands.CopyToClipboard();
        EXPECT_EQ(clipboard.Text(), "Διαμέρισμα Α1\t1234,50\t85,25\nΚατάστημα\t0,00\t12,00\n");
        grid.PlaceCursor(30, 1);
        commands.PasteFromClipboard();
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(grid.CellText(30, c), grid.CellText(7, c));
            EXPECT_EQ(grid.CellText(31, c), grid.CellText(8, c));
        }
    }
}

TEST_F(ClipboardTest, ValuesACellRefusesAreSkippedAndTheCellKeepsItsContent) {
    const struct {
        int col;
        const char* pasted;
        const char* before;
        const char* after;
    } cells[] = {
        {1, "Квартира", "Α1", "Α1"},                            // outside Windows-1253
        {2, "abc", "5,00", "5,00"},                             // not a number
        {3, "-5", "6,00", "6,00"},                              // below the range
        {4, "100000000", "7,00", "7,00"},                       // above the range
        {5, "99.999.999,99", "8,00", "99999999,99"},            // the largest value
        {6, "3,456", "", "3,46"},                               // two decimals
        {7, "", "9,00", ""},                                    // an empty cell empties
        {8, "1,2,3", "4,00", "4,00"},                           // two decimal separators
        {9, "12.5", "1,00", "1,00"},                            // a dot that does not group
        {10, "ΡΕΤΙΡΕ Α", "ΙΣΟΓΕΙΟ", "ΙΣΟΓΕΙΟ"},                 // not a listed kind
        {11, "ΕΝΤΟΣ ΙΔΙΟΚΤ.", "ΑΛΛΗ ΠΕΡΙΠΤ.", "ΕΝΤΟΣ ΙΔΙΟΚΤ."}, // a listed passage
    };
    std::string line;
    for (const auto& cell : cells) {
        ASSERT_TRUE(grid.SetCellText(12, cell.col, cell.before));
        line += (cell.col > 1 ? "\t" : "") + std::string(cell.pasted);
    }
    clipboard.SetText(line + "\r\n");
    grid.PlaceCursor(12, 1);
    commands.PasteFromClipboard();
    for (const auto& cell : cells) {
        EXPECT_EQ(grid.CellText(12, cell.col), cell.after) << "column " << cell.col;
    }

    // The same through a selected block whose first row is repeated below.
    grid.SelectBlock(13, 1, 14, 11);
    commands.PasteFromClipboard();
    EXPECT_EQ(grid.CellText(13, 1), ""); // refused, stays empty
    EXPECT_EQ(grid.CellText(13, 5), "99999999,99");
    EXPECT_EQ(grid.CellText(14, 5), "99999999,99");
    EXPECT_EQ(grid.CellText(14, 11), "ΕΝΤΟΣ ΙΔΙΟΚΤ.");
    EXPECT_EQ(grid.CellText(14, 10), "");
}

// A paste says what it could not put in: every refused value is counted,
// the first cells are named with the reason, and a name loses only the
// characters it cannot store, as typing would.
TEST_F(ClipboardTest, APasteReportsTheValuesItRefusedAndTheNamesItTrimmed) {
    ASSERT_TRUE(grid.SetCellText(2, 5, "80,00"));
    std::string text;
    for (int r = 0; r < 8; ++r) {
        text += "Διαμ. Квартира " + std::to_string(r) + "\t100\t-5\t12abc\t2.8\r\n";
    }
    clipboard.SetText(text);
    grid.PlaceCursor(2, 1);
    commands.PasteFromClipboard();
    const PasteReport& report = commands.LastPasteReport();
    EXPECT_EQ(report.refused.size(), 24u); // three refused values on each of eight rows
    ASSERT_EQ(report.trimmed.size(), 8u);
    EXPECT_EQ(grid.CellText(2, 1), "Διαμ.  0");
    EXPECT_EQ(grid.CellText(2, 2), "100,00");
    EXPECT_EQ(grid.CellText(2, 5), "80,00"); // "2.8" is not 28 in a Greek locale
    EXPECT_EQ(report.refused[0].row, 2);
    EXPECT_EQ(report.refused[0].col, 3);

    const std::string message = PasteReportMessage(report, NumberLocale::Greek());
    EXPECT_NE(message.find("24 τιμές δεν έγιναν δεκτές"), std::string::npos) << message;
    EXPECT_NE(message.find("σειρά 2, στήλη 3: «-5»"), std::string::npos) << message;
    EXPECT_NE(message.find("σειρά 2, στήλη 5: «2.8»"), std::string::npos) << message;
    EXPECT_NE(message.find("και 19 ακόμη"), std::string::npos) << message;
    EXPECT_NE(message.find("Σε 8 ονομασίες"), std::string::npos) << message;

    // A clean paste after it leaves nothing to tell.
    clipboard.SetText("Α1\t5\r\n");
    commands.PasteFromClipboard();
    EXPECT_TRUE(commands.LastPasteReport().Clean());
    EXPECT_EQ(PasteReportMessage(commands.LastPasteReport(), NumberLocale::Greek()), "");
}

// A pasted name keeps 35 characters, as typing would, Greek ones counted as
// one each; what the code page cannot store is dropped first.
TEST(StorableName, KeepsThirtyFiveCharacters) {
    const std::string greek35 = [] {
        std::string text;
        for (int i = 0; i < 35; ++i) {
            text += "Ω";
        }
        return text;
    }();
    EXPECT_EQ(StorableName(greek35), greek35);
    EXPECT_EQ(StorableName(greek35 + "Ψ"), greek35);
    EXPECT_EQ(StorableName(std::string(34, 'a') + "😀bc"), std::string(34, 'a') + "b");
    EXPECT_EQ(StorableName("Α1"), "Α1");
}

} // namespace
} // namespace pyrostat
