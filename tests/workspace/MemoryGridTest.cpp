#include "workspace/MemoryGrid.h"
#include "workspace/CellRules.h"
#include "workspace/GridLayout.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

class MemoryGridTest : public ::testing::Test {
protected:
    MemoryClipboard clipboard;
    MemoryGrid grid{NumberLocale::Greek(), &clipboard};

    void Fill(int row, const std::string& name) {
        grid.SetCellText(row, 1, name);
        grid.SetCellText(row, 2, "100");
        grid.SetCellText(row, 10, "ΙΣΟΓΕΙΟ");
    }
};

TEST_F(MemoryGridTest, NumberCellsShowTwoDecimalsInTheLocale) {
    EXPECT_TRUE(grid.SetCellText(1, 2, "1.234,5"));
    EXPECT_EQ(grid.CellText(1, 2), "1234,50");
    EXPECT_TRUE(grid.SetCellText(1, 5, "99999999,99"));
    EXPECT_FALSE(grid.SetCellText(1, 5, "100000000"));
    EXPECT_FALSE(grid.SetCellText(1, 5, "-1"));
    EXPECT_FALSE(grid.SetCellText(1, 5, "12a"));
    EXPECT_EQ(grid.CellText(1, 5), "99999999,99");
    EXPECT_TRUE(grid.SetCellText(1, 5, ""));
    EXPECT_EQ(grid.CellText(1, 5), "");
}

TEST_F(MemoryGridTest, ListAndNameColumnsRefuseWhatTheyCannotHold) {
    EXPECT_TRUE(grid.SetCellText(1, 10, "ΡΕΤΙΡΕ"));
    EXPECT_FALSE(grid.SetCellText(1, 10, "ΡΕΤΙΡΕ Α"));
    EXPECT_FALSE(grid.SetCellText(1, 11, "ΙΣΟΓΕΙΟ"));
    EXPECT_TRUE(grid.SetCellText(1, 11, "ΑΛΛΗ ΠΕΡΙΠΤ."));
    EXPECT_TRUE(grid.SetCellText(1, 1, std::string(35, 'A')));
    EXPECT_FALSE(grid.SetCellText(1, 1, std::string(36, 'A')));
    EXPECT_FALSE(grid.SetCellText(1, 1, "Квартира"));
}

TEST_F(MemoryGridTest, DataCountsFollowTheLastFilledCells) {
    EXPECT_EQ(grid.DataRowCnt(), 0);
    EXPECT_EQ(grid.DataColCnt(), 0);
    grid.SetCellText(7, 3, "1");
    grid.SetCellText(2, 11, "ΕΝΤΟΣ ΙΔΙΟΚΤ.");
    EXPECT_EQ(grid.DataRowCnt(), 7);
    EXPECT_EQ(grid.DataColCnt(), 11);
}

TEST_F(MemoryGridTest, DeleteAndInsertKeepFiveHundredRows) {
    Fill(1, "A");
    Fill(2, "B");
    Fill(3, "C");
    Fill(500, "LAST");
    grid.SetRow(2);
    grid.Action(GridContract::kActionDeleteRow);
    EXPECT_EQ(grid.CellText(2, 1), "C");
    EXPECT_EQ(grid.CellText(499, 1), "LAST");
    EXPECT_EQ(grid.CellText(500, 1), "");
    grid.SetRow(1);
    grid.Action(GridContract::kActionInsertRow);
    EXPECT_EQ(grid.CellText(1, 1), "");
    EXPECT_EQ(grid.CellText(2, 1), "A");
    EXPECT_EQ(grid.CellText(500, 1), "LAST");
    grid.SetRow(1);
    grid.Action(GridContract::kActionInsertRow);
    EXPECT_EQ(grid.CellText(500, 1), ""); // pushed off the end
}

TEST_F(MemoryGridTest, ClearCopyCutPasteBlocks) {
    Fill(1, "A");
    Fill(2, "B");
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRow2(2);
    grid.SetCol2(2);
    grid.SetBlockMode(true);
    grid.Action(GridContract::kActionCopy);
    EXPECT_EQ(clipboard.Text(), "A\t100,00\nB\t100,00\n");
    grid.Action(GridContract::kActionCut);
    grid.SetBlockMode(false);
    EXPECT_EQ(grid.CellText(1, 1), "");
    EXPECT_EQ(grid.CellText(2, 2), "");
    EXPECT_EQ(grid.CellText(1, 10), "ΙΣΟΓΕΙΟ");

    // No block: paste at the cursor, cells that refuse a value are skipped.
    clipboard.SetText("X\tabc\t5,5\r\nY\t7\r\n");
    grid.SetRow(0);
    grid.SetCol(0);
    grid.SetRow2(0);
    grid.SetCol2(0);
    grid.PlaceCursor(4, 1);
    grid.Action(GridContract::kActionPaste);
    EXPECT_EQ(grid.CellText(4, 1), "X");
    EXPECT_EQ(grid.CellText(4, 2), "");
    EXPECT_EQ(grid.CellText(4, 3), "5,50");
    EXPECT_EQ(grid.CellText(5, 2), "7,00");

    // A block limits the paste.
    clipboard.SetText("1\t2\t3\n4\t5\t6\n");
    grid.SetRow(10);
    grid.SetCol(2);
    grid.SetRow2(10);
    grid.SetCol2(3);
    grid.Action(GridContract::kActionPaste);
    EXPECT_EQ(grid.CellText(10, 2), "1,00");
    EXPECT_EQ(grid.CellText(10, 3), "2,00");
    EXPECT_EQ(grid.CellText(10, 4), "");
    EXPECT_EQ(grid.CellText(11, 2), "");
}

TEST_F(MemoryGridTest, LeaveCellRunsBeforeTheCursorMoves) {
    int seenRow = 0;
    grid.LeaveCell = [&](int, int row, int, int, bool& cancel) {
        seenRow = grid.ActiveRow();
        cancel = row == 3;
        (void)row;
    };
    grid.PlaceCursor(2, 1);
    EXPECT_TRUE(grid.MoveCursor(3, 1));
    EXPECT_EQ(seenRow, 2);
    EXPECT_FALSE(grid.MoveCursor(4, 1));
    EXPECT_EQ(grid.ActiveRow(), 3);
}

TEST_F(MemoryGridTest, ResetColumnsRestoresWidthsAndHeaders) {
    ApplyStartupLayout(grid);
    grid.SetColWidth(1, 40);
    grid.SetColWidth(6, 1);
    grid.SetRowHeight(0, 10);
    grid.PlaceCursor(7, 4);
    ResetColumns(grid);
    for (int c = 1; c <= kGridColumns; ++c) {
        EXPECT_EQ(grid.ColWidth(c), ColumnWidths()[static_cast<size_t>(c - 1)]);
        EXPECT_EQ(grid.CellText(0, c), ColumnHeaders()[static_cast<size_t>(c - 1)]);
    }
    EXPECT_EQ(grid.RowHeight(0), 75.0);
    EXPECT_EQ(grid.ActiveRow(), 7);
    EXPECT_EQ(grid.CellText(0, 2), "ΣΥΝΟ-\rΛΙΚΕΣ ΑΠΩΛΕΙΕΣ\r[Kcal/h]");
}

// The cursor goes to a cell of the grid, its last one included, and stays
// where it was when asked for one past the grid's edge.
TEST(MemoryGridCursor, GoesToEveryCellOfTheGridAndNoFurther) {
    MemoryGrid grid;
    const struct {
        int row, col;
        bool moves;
    } cases[] = {
        {kGridRows, kGridColumns, true}, {1, 1, true},  {kGridRows + 1, 1, false},
        {1, kGridColumns + 1, false},    {0, 1, false}, {1, 0, false},
    };
    for (const auto& c : cases) {
        grid.SetRow(2);
        grid.SetCol(2);
        grid.Action(GridContract::kActionGoToCell);
        grid.SetRow(c.row);
        grid.SetCol(c.col);
        grid.Action(GridContract::kActionGoToCell);
        EXPECT_EQ(grid.ActiveRow(), c.moves ? c.row : 2) << c.row << "," << c.col;
        EXPECT_EQ(grid.ActiveCol(), c.moves ? c.col : 2) << c.row << "," << c.col;
    }
}

} // namespace
} // namespace pyrostat
