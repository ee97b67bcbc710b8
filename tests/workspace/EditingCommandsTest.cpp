#include "workspace/EditingCommands.h"
#include "platform/ClipboardService.h"
#include "workspace/GridLayout.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace pyrostat {
namespace {

using Snapshot = std::vector<std::vector<std::string>>;

class EditingCommandsTest : public ::testing::Test {
protected:
    EditingCommandsTest() {
        state.DecimalSeparatorCode = ',';
        state.ThousandsSeparatorCode = '.';
        grid.BlockSelected = [this](int col, int row, int col2, int row2) {
            commands.OnBlockSelected(col, row, col2, row2);
        };
        grid.LeaveCell = [this](int, int, int, int, bool&) { commands.OnLeaveCell(heightTicked); };
    }

    // Rows 1..rows: designation "Δ<r>", number column c holds r*100+c, a kind
    // and a pipe passage that differ from row to row.
    void FillRows(int rows) {
        for (int r = 1; r <= rows; ++r) {
            ASSERT_TRUE(grid.SetCellText(r, 1, "Δ" + std::to_string(r)));
            for (int c = 2; c <= 9; ++c) {
                ASSERT_TRUE(grid.SetCellText(r, c, std::to_string(r * 100 + c)));
            }
            ASSERT_TRUE(grid.SetCellText(r, 10, KindTexts()[static_cast<size_t>(r % 5)]));
            ASSERT_TRUE(grid.SetCellText(r, 11, PipeTexts()[static_cast<size_t>(r % 3)]));
        }
    }

    Snapshot Take() const {
        Snapshot s(kGridRows + 1, std::vector<std::string>(kGridColumns + 1));
        for (int r = 1; r <= kGridRows; ++r) {
            for (int c = 1; c <= kGridColumns; ++c) {
                s[static_cast<size_t>(r)][static_cast<size_t>(c)] = grid.CellText(r, c);
            }
        }
        return s;
    }

    static const std::string& At(const Snapshot& s, int row, int col) {
        return s[static_cast<size_t>(row)][static_cast<size_t>(col)];
    }

    void ExpectSelectionCleared() {
        const SelectionRange& s = commands.Selection();
        EXPECT_EQ(s.UpperRow, 0);
        EXPECT_EQ(s.LowerRow, 0);
        EXPECT_EQ(s.LeftCol, 0);
        EXPECT_EQ(s.RightCol, 0);
    }

    ProgramState state;
    MemoryClipboard clipboard;
    MemoryGrid grid{NumberLocale::Greek(), &clipboard};
    EditingCommands commands{grid, state, clipboard};
    bool heightTicked = false;
};

TEST_F(EditingCommandsTest, BlockSelectedFeedsTheSelectionAsTheGridGivesIt) {
    EXPECT_EQ(commands.Selection().UpperRow, 0);
    grid.SelectBlock(5, 2, 8, 4);
    EXPECT_EQ(commands.Selection().UpperRow, 5);
    EXPECT_EQ(commands.Selection().LowerRow, 8);
    EXPECT_EQ(commands.Selection().LeftCol, 2);
    EXPECT_EQ(commands.Selection().RightCol, 4);

    grid.SelectBlock(3, -1, 6, -1); // row headers
    EXPECT_TRUE(commands.Selection().WholeRows());
    EXPECT_EQ(commands.Selection().UpperRow, 3);
    EXPECT_EQ(commands.Selection().LowerRow, 6);

    grid.SelectBlock(-1, 7, -1, 9); // column headers
    EXPECT_TRUE(commands.Selection().WholeColumns());
    EXPECT_EQ(commands.Selection().LeftCol, 7);
    EXPECT_EQ(commands.Selection().RightCol, 9);
}

TEST_F(EditingCommandsTest, ClearCellsDataEmptiesTheBlockAndLeavesSelectionAndFocus) {
    FillRows(6);
    grid.SelectBlock(2, 2, 3, 3);
    const int focus = grid.FocusCount();

    commands.ClearCellsData(2, 3, 4, 5);
    for (int r = 1; r <= 6; ++r) {
        for (int c = 1; c <= kGridColumns; ++c) {
            const bool inBlock = r >= 2 && r <= 4 && c >= 3 && c <= 5;
            EXPECT_EQ(grid.CellText(r, c).empty(), inBlock) << r << "," << c;
        }
    }
    EXPECT_EQ(commands.Selection().UpperRow, 2);
    EXPECT_EQ(commands.Selection().RightCol, 3);
    EXPECT_EQ(grid.FocusCount(), focus);
    EXPECT_FALSE(grid.BlockMode());

    // The new-study call: the whole table.
    commands.ClearCellsData(1, 1, static_cast<int16_t>(grid.DataRowCnt()),
                            static_cast<int16_t>(grid.MaxCols()));
    EXPECT_EQ(grid.DataRowCnt(), 0);
}

struct UpperCase {
    const char* name;
    std::optional<std::pair<std::pair<int, int>, std::pair<int, int>>>
        block; // (row,col),(row2,col2)
    int cursorRow, cursorCol;
    int sourceRow;                // 0: nothing may change
    int top, bottom, left, right; // cells that take the source row's texts
};

TEST_F(EditingCommandsTest, CopyUpperValuesFillsFromTheRowAbove) {
    const UpperCase cases[] = {
        {"F5 without a block", std::nullopt, 4, 2, 3, 4, 4, 2, 2},
        {"block rows 5-8, columns 2-4", {{{5, 2}, {8, 4}}}, 5, 2, 4, 5, 8, 2, 4},
        {"whole rows 5-8, cursor in column 3", {{{5, -1}, {8, -1}}}, 5, 3, 4, 5, 8, 3, 3},
        {"whole columns 2-4, cursor on row 6", {{{-1, 2}, {-1, 4}}}, 6, 7, 5, 6, 6, 2, 4},
        {"the list columns too", {{{9, 9}, {9, 11}}}, 9, 9, 8, 9, 9, 9, 11},
        {"cursor on row 1", std::nullopt, 1, 3, 0, 0, 0, 0, 0},
        {"block from row 1, cursor lower", {{{1, 2}, {3, 3}}}, 3, 2, 0, 0, 0, 0, 0},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        FillRows(12);
        ASSERT_TRUE(grid.SetCellText(7, 3, "")); // an empty source cell empties its target
        commands.Selection().Reset();
        if (tc.block) {
            grid.SelectBlock(tc.block->first.first, tc.block->first.second, tc.block->second.first,
                             tc.block->second.second);
        }
        grid.PlaceCursor(tc.cursorRow, tc.cursorCol);
        const Snapshot before = Take();
        const int focus = grid.FocusCount();

        commands.CopyUpperValues();

        for (int r = 1; r <= 13; ++r) {
            for (int c = 1; c <= kGridColumns; ++c) {
                const bool target = tc.sourceRow != 0 && r >= tc.top && r <= tc.bottom &&
                                    c >= tc.left && c <= tc.right;
                const std::string& want = target ? At(before, tc.sourceRow, c) : At(before, r, c);
                EXPECT_EQ(grid.CellText(r, c), want) << "cell " << r << "," << c;
            }
        }
        if (tc.cursorRow == 1) {
            EXPECT_EQ(grid.FocusCount(), focus); // a silent no-op
        } else {
            EXPECT_EQ(grid.FocusCount(), focus + 1);
            ExpectSelectionCleared();
        }
    }
}

TEST_F(EditingCommandsTest, CopyUpperValuesUsesTheSelectionOnlyOnce) {
    FillRows(8);
    grid.SelectBlock(5, 2, 6, 2);
    grid.PlaceCursor(6, 4);
    commands.CopyUpperValues();
    EXPECT_EQ(grid.CellText(5, 2), "402,00");
    EXPECT_EQ(grid.CellText(6, 2), "402,00");
    EXPECT_EQ(grid.CellText(6, 4), "604,00");

    commands.CopyUpperValues(); // no new selection: the cursor's cell
    EXPECT_EQ(grid.CellText(6, 4), "504,00");
    EXPECT_EQ(grid.CellText(7, 2), "702,00");
}

TEST_F(EditingCommandsTest, DeleteCellsCutsTheBlockAndKeepsTheFocus) {
    FillRows(4);
    grid.SelectBlock(2, 1, 3, 2);
    const int focus = grid.FocusCount();
    commands.DeleteCells();
    EXPECT_EQ(clipboard.Text(), "Δ2\t202,00\nΔ3\t302,00\n");
    EXPECT_EQ(grid.CellText(2, 1), "");
    EXPECT_EQ(grid.CellText(3, 2), "");
    EXPECT_EQ(grid.CellText(2, 3), "203,00");
    EXPECT_EQ(grid.CellText(1, 1), "Δ1");
    EXPECT_EQ(grid.CellText(4, 2), "402,00");
    EXPECT_EQ(grid.FocusCount(), focus);
    EXPECT_FALSE(grid.BlockMode());
    ExpectSelectionCleared();

    // Without a selection the cursor's cell is cut.
    grid.PlaceCursor(4, 5);
    commands.DeleteCells();
    EXPECT_EQ(clipboard.Text(), "405,00\n");
    EXPECT_EQ(grid.CellText(4, 5), "");
    EXPECT_EQ(grid.CellText(4, 4), "404,00");
}

TEST_F(EditingCommandsTest, CmdInsertPutsAnEmptyRowAtTheCursor) {
    FillRows(4);
    grid.SelectBlock(2, 2, 2, 3);
    grid.PlaceCursor(3, 6);
    const int focus = grid.FocusCount();
    commands.CmdInsert();
    EXPECT_EQ(grid.CellText(2, 1), "Δ2");
    for (int c = 1; c <= kGridColumns; ++c) {
        EXPECT_EQ(grid.CellText(3, c), "") << c;
    }
    EXPECT_EQ(grid.CellText(4, 1), "Δ3");
    EXPECT_EQ(grid.CellText(5, 1), "Δ4");
    EXPECT_EQ(grid.DataRowCnt(), 5);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Row2(), 0);
    EXPECT_EQ(grid.Col2(), 0);
    EXPECT_EQ(grid.FocusCount(), focus + 1);
    ExpectSelectionCleared();
}

TEST_F(EditingCommandsTest, CmdDelDeletesTheSelectedRowsBottomUp) {
    FillRows(8);
    grid.SelectBlock(3, -1, 5, -1);
    grid.PlaceCursor(3, 1);
    commands.CmdDel();
    EXPECT_EQ(grid.CellText(2, 1), "Δ2");
    EXPECT_EQ(grid.CellText(3, 1), "Δ6");
    EXPECT_EQ(grid.CellText(3, 2), "602,00");
    EXPECT_EQ(grid.CellText(5, 1), "Δ8");
    EXPECT_EQ(grid.DataRowCnt(), 5);
    ExpectSelectionCleared();

    // A second press without a new selection deletes only the cursor's row.
    commands.CmdDel();
    EXPECT_EQ(grid.CellText(2, 1), "Δ2");
    EXPECT_EQ(grid.CellText(3, 1), "Δ7");
    EXPECT_EQ(grid.DataRowCnt(), 4);
}

TEST_F(EditingCommandsTest, CmdDelOfABlockDeletesItsRowsAndOfColumnsNothing) {
    FillRows(6);
    grid.SelectBlock(2, 4, 3, 7); // a block counts by its rows
    grid.PlaceCursor(2, 4);
    const int focus = grid.FocusCount();
    commands.CmdDel();
    EXPECT_EQ(grid.CellText(1, 1), "Δ1");
    EXPECT_EQ(grid.CellText(2, 1), "Δ4");
    EXPECT_EQ(grid.DataRowCnt(), 4);
    EXPECT_EQ(grid.FocusCount(), focus + 1);

    // Whole columns ask the grid to delete row -1, which it ignores.
    const Snapshot before = Take();
    grid.SelectBlock(-1, 2, -1, 3);
    commands.CmdDel();
    EXPECT_EQ(Take(), before);
    ExpectSelectionCleared();
}

struct LeaveCase {
    const char* name;
    bool ticked;
    float defaultHeight;
    const char* designation;
    const char* area;   // typed into column 5
    const char* height; // column 6 before
    int leaveCol;
    const char* wantArea;
    const char* wantHeight;
};

TEST_F(EditingCommandsTest, LeavingACellTidiesTheAreaAndFillsTheHeight) {
    const LeaveCase cases[] = {
        {"area of zero is emptied", false, 3.0f, "Α1", "0", "", 5, "", ""},
        {"area of zero with decimals", false, 3.0f, "Α1", "0,00", "2,80", 2, "", "2,80"},
        {"empty area stays empty", true, 3.0f, "Α1", "", "", 5, "", ""},
        {"height replaced from column 5", true, 3.0f, "Α1", "85", "2,50", 5, "85,00", "3,00"},
        {"height from column 1", true, 3.0f, "Α1", "85", "", 1, "85,00", "3,00"},
        {"not from column 3", true, 3.0f, "Α1", "85", "2,50", 3, "85,00", "2,50"},
        {"not from column 6", true, 3.0f, "Α1", "85", "", 6, "85,00", ""},
        {"not while unticked", false, 4.5f, "Α1", "85", "", 5, "85,00", ""},
        {"no designation", true, 3.0f, "   ", "85", "", 5, "85,00", ""},
        {"zero area", true, 3.0f, "Α1", "0", "2,50", 5, "", "2,50"},
        {"chosen height 4,5", true, 4.5f, "Α1", "12,5", "", 1, "12,50", "4,50"},
        {"chosen height 3,2", true, 3.2f, "Α1", "12,5", "", 5, "12,50", "3,20"},
        {"after a new study", true, 0.0f, "Α1", "40", "2,70", 5, "40,00", "0,00"},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        commands.ClearCellsData(1, 1, 10, 11);
        heightTicked = tc.ticked;
        state.DefaultHeight = tc.defaultHeight;
        ASSERT_TRUE(grid.SetCellText(4, 1, tc.designation));
        ASSERT_TRUE(grid.SetCellText(4, 5, tc.area));
        ASSERT_TRUE(grid.SetCellText(4, 6, tc.height));
        ASSERT_TRUE(grid.SetCellText(5, 5, "0")); // another row's zero stays
        grid.PlaceCursor(4, tc.leaveCol);

        ASSERT_TRUE(grid.MoveCursor(5, 2));

        EXPECT_EQ(grid.CellText(4, 5), tc.wantArea);
        EXPECT_EQ(grid.CellText(4, 6), tc.wantHeight);
        EXPECT_EQ(grid.CellText(5, 5), "0,00");
    }
}

TEST_F(EditingCommandsTest, LeavingACellMakesItsColumnCurrentAgain) {
    heightTicked = true;
    ASSERT_TRUE(grid.SetCellText(2, 1, "Κ1"));
    ASSERT_TRUE(grid.SetCellText(2, 5, "50"));
    grid.PlaceCursor(2, 1);
    commands.OnLeaveCell(true);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.CellText(2, 6), "3,00");
}

TEST_F(EditingCommandsTest, TheHeightFollowsTheLocaleOfTheState) {
    MemoryGrid english{NumberLocale::English(), &clipboard};
    ProgramState englishState;
    EditingCommands englishCommands{english, englishState, clipboard};
    englishState.DefaultHeight = 2.5f;
    ASSERT_TRUE(english.SetCellText(3, 1, "Flat"));
    ASSERT_TRUE(english.SetCellText(3, 5, "1,085.5"));
    english.PlaceCursor(3, 5);
    englishCommands.OnLeaveCell(true);
    EXPECT_EQ(english.CellText(3, 5), "1085.50");
    EXPECT_EQ(english.CellText(3, 6), "2.50");
}

} // namespace
} // namespace pyrostat
