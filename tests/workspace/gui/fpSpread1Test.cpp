#include "workspace/gui/fpSpread1.h"

#include "platform/Utf8.h"
#include "workspace/GridLayout.h"
#include "workspace/gui/GridModel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace pyrostat {
namespace {

// The grid alone in a window, Greek separators, cursor on row 1, column 1.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid = std::make_unique<fpSpread1>(table, &clipboard);
        grid->resize(900, 500);
        ApplyStartupLayout(*grid);
        grid->show();
        QApplication::setActiveWindow(grid.get());
        grid->setFocus();
    }

    void GoTo(int row, int col) {
        grid->selectionModel()->setCurrentIndex(grid->model()->index(row - 1, col - 1),
                                                QItemSelectionModel::ClearAndSelect);
    }

    // Opens the cell's editor, types `keys` into it and closes it with Tab.
    std::string TypeInto(int row, int col, const QString& keys) {
        GoTo(row, col);
        grid->EditCurrentCell();
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (edit == nullptr) {
            ADD_FAILURE() << "no text editor opened";
            return {};
        }
        edit->selectAll();
        // Key by key, each with its text, as a keyboard delivers Greek letters.
        for (const QChar ch : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
        QTest::keyClick(edit, Qt::Key_Tab);
        return grid->CellText(row, col);
    }

    GridTable table{NumberLocale::Greek()};
    MemoryClipboard clipboard;
    std::unique_ptr<fpSpread1> grid;
};

TEST_F(GridTest, NumberEditorRefusesBadKeysAsTyped) {
    const struct {
        const char* keys;
        const char* stored;
    } cases[] = {
        {"1234,5", "1234,50"},
        {"12a3", "123,00"},             // a letter is refused
        {"7,129", "7,12"},              // a third decimal is refused
        {"1,2,3", "1,23"},              // a second separator is refused
        {"-45", "45,00"},               // no sign
        {"123456789", "12345678,00"},   // the ninth whole digit is refused
        {"99999999,99", "99999999,99"}, // the largest value
        {"0", "0,00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TypeInto(3, 2, QString::fromUtf8(c.keys)), c.stored) << c.keys;
    }
}

// What the editor refuses as it is typed is told beside the cell, with why;
// a key it takes leaves no message.
TEST_F(GridTest, ARefusedKeyIsToldBesideTheCell) {
    const struct {
        int col;
        const char* keys;
        const char* told; // empty: nothing is told
    } cases[] = {
        {2, "7,129", "«7,129» δεν γράφεται: το κελί δέχεται έως 2 δεκαδικά ψηφία."},
        {2, "123456789", "«123456789» δεν γράφεται: το κελί δέχεται έως 8 ακέραια ψηφία."},
        {2, "12,5", ""},
        {1, "Α中",
         "«Α中» δεν γράφεται: χαρακτήρες που δεν αποθηκεύονται στην ελληνική "
         "κωδικοσελίδα."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        QToolTip::hideText();
        for (int wait = 0; wait < 100 && QToolTip::isVisible(); ++wait) {
            QTest::qWait(20);
        }
        ASSERT_FALSE(QToolTip::isVisible());
        GoTo(3, c.col);
        grid->EditCurrentCell();
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        for (const QChar ch : QString::fromUtf8(c.keys)) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
        if (*c.told == '\0') {
            EXPECT_FALSE(QToolTip::isVisible()) << QToolTip::text().toStdString();
        } else {
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text().toStdString(), c.told);
        }
        QTest::keyClick(edit, Qt::Key_Escape);
    }
    // A paste the editor refuses is told too, with the text it would make.
    GoTo(3, 2);
    grid->EditCurrentCell();
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    edit->setText("1,2");
    edit->setCursorPosition(3);
    QGuiApplication::clipboard()->setText("34");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "1,2");
    EXPECT_EQ(QToolTip::text().toStdString(),
              "«1,234» δεν γράφεται: το κελί δέχεται έως 2 δεκαδικά ψηφία.");
    QTest::keyClick(edit, Qt::Key_Escape);
}

TEST_F(GridTest, NameEditorTakesOnlyWhatTheCodePageStores) {
    EXPECT_EQ(TypeInto(2, 1, QStringLiteral("Διαμ. Α1 €")), "Διαμ. Α1 €");
    EXPECT_EQ(TypeInto(2, 1, QStringLiteral("Α中Β")), "ΑΒ"); // the Chinese letter is refused
    EXPECT_EQ(TypeInto(2, 1, QStringLiteral("ÄΓ")), "Γ");    // so is Ä
    const QString forty(40, QChar(0x03A9));                  // Ω, two bytes in UTF-8
    EXPECT_EQ(Utf8Length(TypeInto(2, 1, forty)), 35u);
}

TEST_F(GridTest, ListEditorsOfferTheExactTexts) {
    for (const int col : {kKindColumn, kPipeColumn}) {
        GoTo(4, col);
        grid->EditCurrentCell();
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        ASSERT_NE(combo, nullptr) << col;
        const auto& texts = ListTexts(col);
        ASSERT_EQ(combo->count(), static_cast<int>(texts.size()) + 1);
        EXPECT_EQ(combo->itemText(0), QString());
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(combo->itemText(static_cast<int>(i) + 1).toStdString(), texts[i]);
        }
        combo->setCurrentIndex(2);
        QTest::keyClick(combo, Qt::Key_Tab);
        EXPECT_EQ(grid->CellText(4, col), texts[1]);
    }
}

TEST_F(GridTest, LeaveCellComesBeforeTheMoveAndCanKeepTheCursor) {
    std::vector<std::tuple<int, int, int, int, int, int>> seen; // from, to, cursor then
    bool refuse = false;
    grid->LeaveCell = [&](int col, int row, int newCol, int newRow, bool& cancel) {
        seen.emplace_back(row, col, newRow, newCol, grid->ActiveRow(), grid->ActiveCol());
        cancel = refuse;
    };
    GoTo(2, 3);
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_tuple(2, 3, 2, 4, 2, 3)); // the cursor was still on (2, 3)
    EXPECT_EQ(grid->ActiveCol(), 4);
    QTest::keyClick(grid.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->ActiveCol(), 3);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->ActiveRow(), 3);

    refuse = true;
    QTest::keyClick(grid.get(), Qt::Key_Down);
    const QRect other = grid->visualRect(grid->model()->index(5, 5));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, other.center());
    EXPECT_EQ(grid->ActiveRow(), 3);
    EXPECT_EQ(grid->ActiveCol(), 3);
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(GridTest, BlockSelectedGivesMinusOneForWholeRowsAndColumns) {
    std::vector<std::tuple<int, int, int, int>> blocks; // col, row, col2, row2
    grid->BlockSelected = [&](int col, int row, int col2, int row2) {
        blocks.emplace_back(col, row, col2, row2);
    };
    QHeaderView* rows = grid->verticalHeader();
    auto rowPoint = [&](int row) {
        return QPoint(rows->width() / 2,
                      rows->sectionViewportPosition(row - 1) + rows->sectionSize(row - 1) / 2);
    };
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(3));
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(5));
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back(), std::make_tuple(-1, 3, -1, 5));

    QHeaderView* cols = grid->horizontalHeader();
    const int x = cols->sectionViewportPosition(3) + cols->sectionSize(3) / 2;
    QTest::mouseClick(cols->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 30));
    EXPECT_EQ(blocks.back(), std::make_tuple(4, -1, 4, -1));

    // A block of cells gives its corners in order, whichever way it was drawn.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(5, 3)).center());
    QTest::keyClick(grid.get(), Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(blocks.back(), std::make_tuple(3, 5, 4, 6));
    // One cell is no block.
    const size_t count = blocks.size();
    GoTo(8, 8);
    EXPECT_EQ(blocks.size(), count);
}

TEST_F(GridTest, EnterAndF2OpenTheEditorAndContractUnitsHold) {
    GoTo(2, 2);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_TRUE(grid->IsEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(grid->IsEditing());
    QTest::keyClick(grid.get(), Qt::Key_F2);
    EXPECT_TRUE(grid->IsEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    grid->SetColWidth(6, 20);
    EXPECT_DOUBLE_EQ(grid->ColWidth(6), 20.0);
    EXPECT_EQ(grid->columnWidth(5), qRound(20 * grid->PixelsPerWidthUnit()) + 6);
    // A border dragged by the user reads back in units.
    grid->horizontalHeader()->resizeSection(5, qRound(12 * grid->PixelsPerWidthUnit()) + 6);
    // (to within the half pixel a border can be placed at)
    EXPECT_NEAR(grid->ColWidth(6), 12.0, 0.5 / grid->PixelsPerWidthUnit());

    // A command's move takes the highlight with it: the cell shown is the
    // cell that takes the next key.
    GoTo(3, 2);
    grid->SetRow(7);
    grid->SetCol(5);
    grid->Action(GridContract::kActionGoToCell);
    EXPECT_EQ(grid->ActiveRow(), 7);
    EXPECT_EQ(grid->ActiveCol(), 5);
    const QModelIndexList shown = grid->selectionModel()->selectedIndexes();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front(), grid->model()->index(6, 4));
    EXPECT_EQ(grid->model()->headerData(6, Qt::Vertical).toInt(), 7);
}

} // namespace
} // namespace pyrostat
