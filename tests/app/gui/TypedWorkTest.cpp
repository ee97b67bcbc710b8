// What the engineer typed is what every command works on, and nothing he typed
// is dropped: the real main window with its study commands, driven by keys.

#include "studies/GeneralDataFile.h"
#include "studies/StudyRecords.h"
#include "studies/gui/StudyCommandsQt.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/gui/CommandButtons.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/OptionControls.h"
#include "workspace/gui/RangeBoxes.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;
using Answer = MessageService::Answer;

// The main window, loaded, shown and active, with the program's study
// commands; the calculation is replaced by a probe that records what the
// grid held when it ran.
struct Program {
    explicit Program(const QLocale& locale = QLocale(QLocale::Greek, QLocale::Greece)) {
        state.ProgramFolder = folder.WithSlash();
        fs::create_directories(folder.Path() / "PYXFiles");
        window = std::make_unique<FrmPyros>(state, messages, clipboard);
        window->SetLocale(locale);
        study = std::make_unique<StudyCommandsQt>(window.get(), window->Grid(), window->TxtThema(),
                                                  window->Options().ChkInsulation(), state,
                                                  messages, [] {});
        WireStudyCommands(*study, window->Commands());
        window->Commands().onGo = [this] { areaWhenRun = window->Grid().CellText(1, 5); };
        window->Commands().onGData = [] {};
        EXPECT_TRUE(window->Load());
        study->Commands().MarkUnchanged();
        window->show();
        QApplication::setActiveWindow(window.get());
        Grid().setFocus();
    }
    ~Program() {
        // Closing asks nothing more of a test that is over.
        window->Commands().onCloseQuestion = nullptr;
    }

    fpSpread1& Grid() { return window->Grid(); }
    // Types into a cell as the engineer does: the cursor on it, then the keys,
    // which open its editor; the editor is left open.
    void TypeInto(int row, int col, const QString& keys) {
        Grid().selectionModel()->setCurrentIndex(Grid().model()->index(row - 1, col - 1),
                                                 QItemSelectionModel::ClearAndSelect);
        Grid().setFocus();
        for (const QChar ch : keys) {
            // Each key to whatever holds the focus: the grid for the first,
            // which opens the editor, the editor for the rest.
            QWidget* target = QApplication::focusWidget();
            QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, ch.toUpper().unicode(), Qt::NoModifier,
                              QString(ch));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(QApplication::focusWidget(), &release);
        }
        ASSERT_TRUE(Grid().IsEditing());
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    void SaveTo(const std::string& name) {
        state.CurrentStudyFile = folder.WithSlash() + "PYXFiles/" + name;
        state.Employer = "Ιδιοκτήτες";
        state.Project = "Πολυκατοικία";
        state.Location = "Πάτρα";
        WriteGeneralDataFile();
    }
    void WriteGeneralDataFile() {
        test::WriteAll(folder.File("Thema.tmp"),
                       FormatGeneralData({state.Employer, state.Project, state.Location}));
    }

    test::TestFolder folder;
    ProgramState state;
    test::RecordingMessages messages;
    MemoryClipboard clipboard;
    std::unique_ptr<FrmPyros> window;
    std::unique_ptr<StudyCommandsQt> study;
    std::string areaWhenRun = "(not run)";
};

TEST(TypedWork, AnOpenEditorIsCommittedBeforeEveryCommand) {
    // The calculation key runs on the 85 still in the editor.
    {
        Program p;
        p.TypeInto(1, 5, "85");
        QTest::keyClick(p.Focus(), Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(p.areaWhenRun, "85,00");
        EXPECT_FALSE(p.Grid().IsEditing());
        // ... and so does the button.
        p.TypeInto(1, 5, "90");
        p.window->Buttons().CmdGo->click();
        EXPECT_EQ(p.areaWhenRun, "90,00");
    }
    // Ctrl+S saves the typed text.
    {
        Program p;
        p.SaveTo("typed.pyx");
        p.TypeInto(1, 1, "Α1");
        QTest::keyClick(p.Focus(), Qt::Key_S, Qt::ControlModifier);
        std::string bytes = test::ReadAll(p.state.CurrentStudyFile);
        const DecodedStudy saved = DecodeStudyRecords(bytes, NumberLocale::Greek(), 500);
        ASSERT_EQ(saved.rows.size(), 1u);
        EXPECT_EQ(saved.rows[0][0], "Α1");
    }
    // Inserting a row keeps the typed text (it moves down with its row).
    {
        Program p;
        p.TypeInto(1, 1, "Α1");
        p.window->Buttons().CmdInsert->click();
        EXPECT_EQ(p.Grid().CellText(1, 1) + p.Grid().CellText(2, 1), "Α1");
    }
    // The close button: the typed text counts as a change, and Cancel keeps it.
    {
        Program p;
        p.TypeInto(2, 2, "77");
        p.messages.AnswerNext(Answer::Cancel);
        p.window->close();
        EXPECT_TRUE(p.window->isVisible());
        EXPECT_EQ(p.Grid().CellText(2, 2), "77,00");
        ASSERT_FALSE(p.messages.Empty());
        EXPECT_EQ(p.messages.Last().prompt, kUnsavedChangesPrompt);
    }
}

// A command on an open editor does what leaving the cell would: with the
// automatic height on, the row of a typed area gets its height before the
// calculation reads it.
TEST(TypedWork, ACommittedEditorFillsTheAutomaticHeightAsLeavingTheCellWould) {
    Program p;
    p.window->Options().ChkHeight()->click(); // 3,0 m
    p.Grid().SetCellText(1, 1, "Α1");
    std::string heightWhenRun;
    p.window->Commands().onGo = [&] { heightWhenRun = p.Grid().CellText(1, 6); };
    p.TypeInto(1, 5, "85");
    QTest::keyClick(p.Focus(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(p.Grid().CellText(1, 5), "85,00");
    EXPECT_EQ(heightWhenRun, "3,00");
}

TEST(TypedWork, EscInARangeBoxGivesTheFocusToTheGridAndSpaceEmptiesNothing) {
    Program p;
    p.Grid().SetCellText(1, 1, "Α1");
    p.Grid().SetCellText(1, 5, "80");
    p.study->Commands().MarkUnchanged();
    RangeBoxes& ranges = p.window->Ranges();
    ranges.TxtUpperRow()->setFocus();
    QTest::keyClick(ranges.TxtUpperRow(), Qt::Key_Escape);
    EXPECT_EQ(p.Focus(), &p.Grid());
    QTest::keyClick(p.Focus(), Qt::Key_Space);
    EXPECT_EQ(p.Grid().CellText(1, 5), "80,00");
    // The space went to the grid, as a key typed into the cell.
    if (p.Grid().IsEditing()) {
        QTest::keyClick(p.Focus(), Qt::Key_Escape);
    }
    EXPECT_EQ(p.Grid().CellText(1, 1), "Α1");
}

TEST(TypedWork, NewAndOpenAskBeforeDroppingUnsavedWork) {
    Program p;
    p.TypeInto(3, 1, "Α3");
    QTest::keyClick(p.Focus(), Qt::Key_Tab);
    // New: Cancel keeps the grid.
    p.messages.AnswerNext(Answer::Cancel);
    QTest::keyClick(p.Focus(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(p.Grid().CellText(3, 1), "Α3");
    EXPECT_EQ(p.messages.Last().prompt, kUnsavedChangesPrompt);
    EXPECT_EQ(p.Focus(), &p.Grid());
    // Open: Cancel shows no browser and keeps the grid.
    int browsers = 0;
    p.study->Commands().ShowBrowser = [&] { ++browsers; };
    p.messages.AnswerNext(Answer::Cancel);
    p.window->Buttons().CmdOpen->click();
    EXPECT_EQ(browsers, 0);
    EXPECT_EQ(p.Grid().CellText(3, 1), "Α3");
    // New: No empties it, and asks nothing more.
    const size_t asked = p.messages.shown.size();
    p.messages.AnswerNext(Answer::No);
    p.window->Buttons().CmdNew->click();
    EXPECT_EQ(p.messages.shown.size(), asked + 1);
    EXPECT_EQ(p.Grid().DataRowCnt(), 0);
}

// A number typed with the other locale's decimal point is refused when the
// cell is left, and the editor stays open with the text, so it is mended, not
// stored as something a hundred times larger.
TEST(TypedWork, ADecimalPointOfTheOtherLocaleIsRefusedAndTheEditorStays) {
    struct Case {
        QLocale locale;
        const char* typed;
        const char* separator;
    };
    const Case cases[] = {
        {QLocale(QLocale::Greek, QLocale::Greece), "2.8", "«,»"},
        {QLocale(QLocale::Greek, QLocale::Greece), "3.25", "«,»"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "2,8", "«.»"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Program p(c.locale);
        p.Grid().SetCellText(1, 6, "3");
        const std::string before = p.Grid().CellText(1, 6);
        p.TypeInto(1, 6, QString::fromUtf8(c.typed));
        QTest::keyClick(p.Focus(), Qt::Key_Tab);
        ASSERT_FALSE(p.messages.Empty());
        EXPECT_NE(p.messages.Last().prompt.find(c.separator), std::string::npos)
            << p.messages.Last().prompt;
        EXPECT_TRUE(p.Grid().IsEditing());
        EXPECT_EQ(p.Grid().CellText(1, 6), before);
        // A command does not run on it either.
        const size_t shown = p.messages.shown.size();
        QTest::keyClick(p.Focus(), Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(p.areaWhenRun, "(not run)");
        EXPECT_EQ(p.messages.shown.size(), shown + 1);
        // Esc gives the old value back.
        QTest::keyClick(p.Focus(), Qt::Key_Escape);
        EXPECT_FALSE(p.Grid().IsEditing());
        EXPECT_EQ(p.Grid().CellText(1, 6), before);
    }
    // Grouping where it groups is still a number: 4.200 is 4200 in Greek.
    Program p;
    p.TypeInto(1, 2, "4.200");
    QTest::keyClick(p.Focus(), Qt::Key_Tab);
    EXPECT_EQ(p.Grid().CellText(1, 2), "4200,00");
    EXPECT_TRUE(p.messages.Empty());
    // The keypad's decimal key types the locale's separator.
    p.TypeInto(1, 6, "2");
    QTest::keyClick(p.Focus(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(p.Focus(), Qt::Key_8);
    QTest::keyClick(p.Focus(), Qt::Key_Tab);
    EXPECT_EQ(p.Grid().CellText(1, 6), "2,80");
}

TEST(TypedWork, APasteTellsOnceWhatItRefused) {
    Program p;
    p.clipboard.SetText("Α1\t-5\t12abc\r\nΑ2\t100\tx\r\n");
    p.Grid().selectionModel()->setCurrentIndex(p.Grid().model()->index(0, 0),
                                               QItemSelectionModel::ClearAndSelect);
    p.window->Buttons().CmdPasteFromClpbrd->click();
    ASSERT_EQ(p.messages.shown.size(), 1u);
    EXPECT_NE(p.messages.Last().prompt.find("3 τιμές δεν έγιναν δεκτές"), std::string::npos)
        << p.messages.Last().prompt;
    EXPECT_EQ(p.Grid().CellText(2, 2), "100,00");
    EXPECT_EQ(p.Focus(), &p.Grid());
}

TEST(TypedWork, DeleteOnASelectedBlockEmptiesItAsOneStep) {
    Program p;
    for (int r = 1; r <= 3; ++r) {
        p.Grid().SetCellText(r, 2, "10");
        p.Grid().SetCellText(r, 3, "20");
    }
    p.Grid().selectionModel()->setCurrentIndex(p.Grid().model()->index(0, 1),
                                               QItemSelectionModel::NoUpdate);
    p.Grid().selectionModel()->select(
        QItemSelection(p.Grid().model()->index(0, 1), p.Grid().model()->index(2, 2)),
        QItemSelectionModel::ClearAndSelect);
    p.Grid().setFocus();
    QTest::keyClick(&p.Grid(), Qt::Key_Delete);
    EXPECT_EQ(p.Grid().DataRowCnt(), 0);
    QTest::keyClick(&p.Grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(p.Grid().CellText(3, 3), "20,00");
    EXPECT_EQ(p.Grid().CellText(1, 2), "10,00");
}

// The wait label of a report (the data preview) shows without widening the
// window, and the window keeps its size once it is hidden again.
TEST(TypedWork, TheWaitLabelNeverWidensTheWindow) {
    Program p;
    p.window->resize(p.window->minimumSizeHint());
    QApplication::processEvents();
    const QSize before = p.window->size();
    const QSize hintBefore = p.window->minimumSizeHint();
    p.window->ShowWait(true);
    QApplication::processEvents();
    EXPECT_EQ(p.window->minimumSizeHint(), hintBefore);
    p.window->ShowWait(false);
    QApplication::processEvents();
    EXPECT_EQ(p.window->size(), before);
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// A block selected with Shift and the arrows, then left with an arrow or a
// click: the commands work on the cursor's cell, not on the block the screen
// no longer shows.
TEST(ShownSelection, ACommandActsOnWhatTheScreenShows) {
    for (const bool byClick : {false, true}) {
        SCOPED_TRACE(byClick ? "left by a click" : "left by an arrow");
        Program p;
        for (int r = 1; r <= 4; ++r) {
            p.Grid().SetCellText(r, 2, std::to_string(100 * r));
        }
        p.Grid().selectionModel()->setCurrentIndex(p.Grid().model()->index(0, 1),
                                                   QItemSelectionModel::ClearAndSelect);
        p.Grid().setFocus();
        QTest::keyClick(&p.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&p.Grid(), Qt::Key_Down, Qt::ShiftModifier);
        ASSERT_TRUE(p.Grid().ShowsBlock());
        if (byClick) {
            const QRect cell = p.Grid().visualRect(p.Grid().model()->index(5, 2));
            QTest::mouseClick(p.Grid().viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            QTest::keyClick(&p.Grid(), Qt::Key_Right);
            QTest::keyClick(&p.Grid(), Qt::Key_Down);
            QTest::keyClick(&p.Grid(), Qt::Key_Down);
            QTest::keyClick(&p.Grid(), Qt::Key_Down);
        }
        ASSERT_FALSE(p.Grid().ShowsBlock());
        const QModelIndex at = p.Grid().currentIndex();
        // Ctrl+C copies the cursor's empty cell, not the old block.
        QTest::keyClick(&p.Grid(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(p.clipboard.Text().find("100"), std::string::npos) << p.clipboard.Text();
        // Ctrl+V lands at the cursor and nowhere else.
        p.clipboard.SetText("7\r\n");
        QTest::keyClick(&p.Grid(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(p.Grid().CellText(at.row() + 1, at.column() + 1), "7,00");
        for (int r = 1; r <= 4; ++r) {
            EXPECT_EQ(p.Grid().CellText(r, 2), std::to_string(100 * r) + ",00") << r;
        }
    }
    // A block still shown works as a block.
    Program p;
    p.clipboard.SetText("5\r\n6\r\n");
    p.Grid().selectionModel()->setCurrentIndex(p.Grid().model()->index(0, 1),
                                               QItemSelectionModel::ClearAndSelect);
    p.Grid().setFocus();
    QTest::keyClick(&p.Grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&p.Grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(p.Grid().CellText(1, 2), "5,00");
    EXPECT_EQ(p.Grid().CellText(2, 2), "6,00");
}

// Alt+F4, the menu's key for Exit, closes the window (asking first) and
// copies nothing; F4 alone still copies the row above.
TEST(ShownSelection, AltF4ClosesAndF4Copies) {
    Program p;
    p.Grid().SetCellText(1, 2, "4200");
    p.Grid().selectionModel()->setCurrentIndex(p.Grid().model()->index(1, 1),
                                               QItemSelectionModel::ClearAndSelect);
    p.Grid().setFocus();
    int asked = 0;
    p.window->Commands().onCloseQuestion = [&asked] {
        ++asked;
        return false; // the engineer keeps the window
    };
    QTest::keyClick(&p.Grid(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(p.window->isVisible());
    EXPECT_EQ(p.Grid().CellText(2, 2), "");
    QTest::keyClick(&p.Grid(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(p.Grid().CellText(2, 2), "");
    QTest::keyClick(&p.Grid(), Qt::Key_F4);
    EXPECT_EQ(p.Grid().CellText(2, 2), "4200,00");
}

// A refused value, then a click on another row: the cell stays open, the
// refusal is told once, and what is typed next goes into the open cell.
TEST(ShownSelection, NothingTypedAfterARefusalIsLost) {
    Program p(QLocale(QLocale::English, QLocale::UnitedStates));
    p.TypeInto(1, 6, "2,8");
    const QRect other = p.Grid().visualRect(p.Grid().model()->index(4, 2));
    QTest::mouseClick(p.Grid().viewport(), Qt::LeftButton, {}, other.center());
    ASSERT_EQ(p.messages.shown.size(), 1u);
    EXPECT_TRUE(p.Grid().IsEditing());
    EXPECT_EQ(p.Grid().currentIndex().row(), 0);
    // The engineer corrects what he sees: the comma goes, a point comes.
    QTest::keyClick(p.Focus(), Qt::Key_Backspace);
    QTest::keyClick(p.Focus(), Qt::Key_Backspace);
    QTest::keyClicks(p.Focus(), ".8");
    EXPECT_EQ(p.messages.shown.size(), 1u);  // told once
    QTest::keyClick(p.Focus(), Qt::Key_Tab); // stored, and on to the next cell
    EXPECT_EQ(p.Grid().CellText(1, 6), "2.80");
    EXPECT_EQ(p.messages.shown.size(), 1u);

    // Keys typed while a real message box is up close it and reach the
    // cell, instead of vanishing in the box.
    int boxes = 0;
    QWidget* window = p.window.get();
    p.Grid().EditorRefused = [&boxes, window](const std::string& message) {
        ++boxes;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"),
                        QString::fromStdString(message));
        QTimer::singleShot(0, &box, [&box] {
            QTest::keyClick(&box, Qt::Key_Backspace);
            QTest::keyClick(&box, Qt::Key_Backspace);
            QTest::keyClicks(&box, ".5");
            if (box.isVisible()) {
                box.reject(); // the keys were lost in the box: the cell below tells
            }
        });
        box.exec();
        QApplication::setActiveWindow(window); // as the desktop gives it back
    };
    p.TypeInto(2, 6, "3,5");
    QTest::keyClick(p.Focus(), Qt::Key_Tab);
    EXPECT_EQ(boxes, 1);
    ASSERT_TRUE(p.Grid().IsEditing());
    ASSERT_NE(p.Focus(), nullptr);
    QTest::keyClick(p.Focus(), Qt::Key_Tab);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(p.Grid().CellText(2, 6), "3.50");
}

} // namespace
} // namespace pyrostat
