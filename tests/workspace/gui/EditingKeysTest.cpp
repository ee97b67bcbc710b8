#include "platform/ClipboardService.h"
#include "platform/gui/QtClipboard.h"
#include "program/ProgramState.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/EditingCommands.h"
#include "workspace/gui/CommandButtons.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/GridEditing.h"
#include "workspace/gui/OptionControls.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pyrostat {
namespace {

// The main window as the engineer meets it, in a Greek locale, driven with key
// presses and mouse clicks.
class EditingKeysTest : public ::testing::Test {
protected:
    void Open(ClipboardService& clipboard) {
        state.ProgramFolder = folder.WithSlash();
        window = std::make_unique<FrmPyros>(state, messages, clipboard);
        window->SetLocale(QLocale(QLocale::Greek, QLocale::Greece));
        ASSERT_TRUE(window->Load());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Grid().setFocus();
        ASSERT_EQ(state.DecimalSeparator(), ',');
    }

    void SetUp() override { Open(memoryClipboard); }

    fpSpread1& Grid() { return window->Grid(); }

    void Put(int row, int col, const std::string& text) {
        ASSERT_TRUE(window->Table().SetCell(row, col, text)) << row << "," << col;
    }
    std::string At(int row, int col) { return window->Table().Cell(row, col); }

    // A click on cell (row, col), as the engineer moves there.
    void ClickCell(int row, int col) {
        const QModelIndex index = Grid().model()->index(row - 1, col - 1);
        Grid().scrollTo(index);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                          Grid().visualRect(index).center());
    }

    // A click on a row's header; with Shift it extends the rows selected.
    void ClickRowHeader(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QHeaderView* header = Grid().verticalHeader();
        const int y = header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers,
                          QPoint(header->viewport()->width() / 2, y));
    }

    void ClickColumnHeader(int col) {
        QHeaderView* header = Grid().horizontalHeader();
        const int x = header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->viewport()->height() / 2));
    }

    // Selects the block from the cursor's cell with Shift and the arrows.
    void ExtendBlock(int down, int right) {
        for (int i = 0; i < down; ++i) {
            QTest::keyClick(&Grid(), Qt::Key_Down, Qt::ShiftModifier);
        }
        for (int i = 0; i < right; ++i) {
            QTest::keyClick(&Grid(), Qt::Key_Right, Qt::ShiftModifier);
        }
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    // Typing goes to whatever holds the focus: the grid, then the cell editor
    // the first key opened.
    void Type(const QString& text) {
        for (const QChar ch : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            QTest::keyClick(target, ch.toLatin1() != 0 ? ch.toLatin1() : ' ');
        }
    }

    std::vector<std::string> Names(int rows) {
        std::vector<std::string> names;
        for (int r = 1; r <= rows; ++r) {
            names.push_back(At(r, 1));
        }
        return names;
    }

    test::TestFolder folder;
    ProgramState state;
    test::RecordingMessages messages;
    MemoryClipboard memoryClipboard;
    std::unique_ptr<FrmPyros> window;
};

TEST_F(EditingKeysTest, F4ToF9CopyTheValueAboveTheCursor) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_F4, Qt::NoModifier},    {Qt::Key_F5, Qt::NoModifier},
                {Qt::Key_F6, Qt::ShiftModifier}, {Qt::Key_F7, Qt::ControlModifier},
                {Qt::Key_F8, Qt::NoModifier},    {Qt::Key_F9, Qt::AltModifier}};
    int col = 2;
    for (const auto& k : keys) {
        SCOPED_TRACE(col);
        Put(3, col, std::to_string(col * 10));
        Put(4, col + 1, "1");
        ClickCell(4, col);
        Key(k.key, k.modifiers);
        EXPECT_EQ(At(4, col), std::to_string(col * 10) + ",00");
        EXPECT_EQ(At(4, col + 1), "1,00");
        EXPECT_EQ(At(5, col), "");
        ++col;
    }
}

TEST_F(EditingKeysTest, F5FillsASelectedBlockFromTheRowAbove) {
    Put(4, 1, "Α4");
    Put(4, 2, "100");
    Put(4, 3, "20,5");
    Put(4, 4, "3");
    Put(4, 5, "77");
    ClickCell(5, 2);
    ExtendBlock(3, 2); // rows 5 to 8, columns 2 to 4
    Key(Qt::Key_F5);
    for (int r = 5; r <= 8; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(At(r, 1), "");
        EXPECT_EQ(At(r, 2), "100,00");
        EXPECT_EQ(At(r, 3), "20,50");
        EXPECT_EQ(At(r, 4), "3,00");
        EXPECT_EQ(At(r, 5), "");
    }
    EXPECT_EQ(window->Editing().Commands().Selection().UpperRow, 0);

    // Undo brings the block back as it was.
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(At(5, 2), "");
    EXPECT_EQ(At(8, 4), "");
}

TEST_F(EditingKeysTest, ShiftOrCtrlDeleteCutsTheBlock) {
    const Qt::KeyboardModifiers modifiers[] = {Qt::ShiftModifier, Qt::ControlModifier};
    for (const auto modifier : modifiers) {
        Put(2, 1, "Α2");
        Put(2, 2, "12,5");
        Put(3, 1, "Α3");
        Put(3, 2, "7");
        Put(3, 3, "8");
        ClickCell(2, 1);
        ExtendBlock(1, 1);
        Key(Qt::Key_Delete, modifier);
        EXPECT_EQ(memoryClipboard.Text(), "Α2\t12,50\nΑ3\t7,00\n");
        EXPECT_EQ(At(2, 1), "");
        EXPECT_EQ(At(3, 2), "");
        EXPECT_EQ(At(3, 3), "8,00");
        memoryClipboard.Clear();
    }
}

TEST_F(EditingKeysTest, CtrlCAndCtrlVRepeatAOneRowBlockOverTheSelection) {
    Put(2, 2, "100");
    Put(2, 3, "20,5");
    Put(2, 4, "3");
    ClickCell(2, 2);
    ExtendBlock(0, 2);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(memoryClipboard.Text(), "100,00\t20,50\t3,00\n");

    ClickCell(5, 2);
    ExtendBlock(3, 2);
    Key(Qt::Key_V, Qt::ControlModifier);
    for (int r = 5; r <= 8; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(At(r, 2), "100,00");
        EXPECT_EQ(At(r, 3), "20,50");
        EXPECT_EQ(At(r, 4), "3,00");
    }
    EXPECT_EQ(At(9, 2), "");

    // Ctrl+Insert and Shift+Insert do the same.
    ClickCell(8, 4);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(memoryClipboard.Text(), "3,00\n");
    ClickCell(10, 6);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(At(10, 6), "3,00");
}

TEST_F(EditingKeysTest, WholeRowsCopiedByTheirHeadersPasteAgainAndAgain) {
    Put(2, 1, "Διαμ. Β2");
    Put(2, 5, "85");
    Put(2, 10, "ΡΕΤΙΡΕ");
    Put(3, 1, "Κατάστημα");
    Put(3, 11, "ΕΚΤΟΣ ΙΔΙΟΚΤ.");
    memoryClipboard.SetText("untouched");
    ClickRowHeader(2);
    ClickRowHeader(3, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(window->Editing().Commands().CopiedRows().size(), 2u);

    for (const int target : {10, 20}) {
        SCOPED_TRACE(target);
        ClickCell(target, 3);
        Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(At(target, 1), "Διαμ. Β2");
        EXPECT_EQ(At(target, 5), "85,00");
        EXPECT_EQ(At(target, 10), "ΡΕΤΙΡΕ");
        EXPECT_EQ(At(target + 1, 1), "Κατάστημα");
        EXPECT_EQ(At(target + 1, 11), "ΕΚΤΟΣ ΙΔΙΟΚΤ.");
        EXPECT_EQ(At(target + 2, 1), "");
    }
    EXPECT_EQ(memoryClipboard.Text(), "untouched");
}

TEST_F(EditingKeysTest, CmdDelTwiceAfterOneSelectionAndUndoBringsTheRowsBack) {
    for (int r = 1; r <= 8; ++r) {
        Put(r, 1, "Δ" + std::to_string(r));
    }
    const std::vector<std::string> all = Names(8);
    ClickRowHeader(3);
    ClickRowHeader(5, Qt::ShiftModifier);
    QTest::mouseClick(window->Buttons().CmdDel, Qt::LeftButton);
    EXPECT_EQ(Names(6), (std::vector<std::string>{"Δ1", "Δ2", "Δ6", "Δ7", "Δ8", ""}));
    EXPECT_TRUE(Grid().hasFocus());

    ClickCell(3, 1);
    QTest::mouseClick(window->Buttons().CmdDel, Qt::LeftButton);
    EXPECT_EQ(Names(5), (std::vector<std::string>{"Δ1", "Δ2", "Δ7", "Δ8", ""}));

    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Names(8), all);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Names(6), (std::vector<std::string>{"Δ1", "Δ2", "Δ6", "Δ7", "Δ8", ""}));
}

TEST_F(EditingKeysTest, CmdInsertOpensAnEmptyRowAtTheCursor) {
    for (int r = 1; r <= 3; ++r) {
        Put(r, 1, "Δ" + std::to_string(r));
    }
    ClickCell(2, 4);
    QTest::mouseClick(window->Buttons().CmdInsert, Qt::LeftButton);
    EXPECT_EQ(Names(4), (std::vector<std::string>{"Δ1", "", "Δ2", "Δ3"}));
    EXPECT_TRUE(Grid().hasFocus());
}

TEST_F(EditingKeysTest, LeavingTheAreaTidiesItAndFillsTheHeight) {
    Put(2, 1, "Α2");
    ClickCell(2, 5);
    Type("0");
    Key(Qt::Key_Tab);
    EXPECT_EQ(At(2, 5), "");
    EXPECT_EQ(At(2, 6), "");

    QTest::mouseClick(window->Options().ChkHeight(), Qt::LeftButton);
    ASSERT_TRUE(window->Options().ChkHeight()->isChecked());
    Put(2, 6, "2,5");
    ClickCell(2, 5);
    Type("85");
    Key(Qt::Key_Tab);
    EXPECT_EQ(At(2, 5), "85,00");
    EXPECT_EQ(At(2, 6), "3,00");

    // Leaving column 3 of the row writes nothing.
    Put(2, 6, "2,5");
    ClickCell(2, 3);
    Key(Qt::Key_Tab);
    EXPECT_EQ(At(2, 6), "2,50");
}

// The real system clipboard, filled as a spreadsheet fills it.
class SystemClipboardKeysTest : public EditingKeysTest {
protected:
    void SetUp() override { Open(systemClipboard); }
    QtClipboard systemClipboard;
};

TEST_F(SystemClipboardKeysTest, ASpreadsheetBlockRoundTrips) {
    QGuiApplication::clipboard()->setText(
        QStringLiteral("Διαμέρισμα Α1\t1.234,5\t85,25\r\nΚατάστημα\t0\t12\r\n"));
    ClickCell(7, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(At(7, 1), "Διαμέρισμα Α1");
    EXPECT_EQ(At(7, 2), "1234,50");
    EXPECT_EQ(At(7, 3), "85,25");
    EXPECT_EQ(At(8, 1), "Κατάστημα");
    EXPECT_EQ(At(8, 2), "0,00");
    EXPECT_EQ(At(8, 3), "12,00");

    ClickCell(7, 1);
    ExtendBlock(1, 2);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("Διαμέρισμα Α1\t1234,50\t85,25\nΚατάστημα\t0,00\t12,00\n"));

    // A whole-column copy empties the clipboard: the next paste brings nothing.
    ClickColumnHeader(2);
    QTest::mouseClick(window->Buttons().CmdCopyToClpbrd, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(""));
    ClickCell(12, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(At(12, 1), "");
    EXPECT_EQ(window->Table().LastDataRow(), 8);
}

} // namespace
} // namespace pyrostat
