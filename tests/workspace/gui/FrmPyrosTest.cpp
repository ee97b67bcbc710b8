#include "workspace/gui/FrmPyros.h"

#include "platform/gui/LocaleTexts.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/GridLayout.h"
#include "workspace/StartupSteps.h"
#include "workspace/gui/CommandButtons.h"
#include "workspace/gui/GridModel.h"
#include "workspace/gui/OptionControls.h"
#include "workspace/gui/RangeBoxes.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <filesystem>
#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using test::RecordingMessages;
using test::TestFolder;
using test::WriteAll;

// A main window on a fresh program folder, loaded with the given locale.
struct LoadedWindow {
    explicit LoadedWindow(const QLocale& locale = QLocale(QLocale::Greek, QLocale::Greece)) {
        state.ProgramFolder = folder.WithSlash();
        window = std::make_unique<FrmPyros>(state, messages, clipboard);
        window->SetLocale(locale);
        window->SetInstalledProgramsLog(folder.File("MirtProgs.log"));
    }
    bool Load() { return window->Load(); }

    TestFolder folder;
    ProgramState state;
    RecordingMessages messages;
    MemoryClipboard clipboard;
    std::unique_ptr<FrmPyros> window;
};

bool Exists(const TestFolder& folder, const char* name) {
    return std::filesystem::exists(folder.File(name));
}

TEST(FrmPyros, StartUpAndUnloadRemoveTheWorkingFiles) {
    LoadedWindow w;
    for (const char* name : {"PYROSTAT.TMP", "Thema.tmp", "S_PYROS.TMP", "keep.pyx"}) {
        WriteAll(w.folder.File(name), "old");
    }
    w.state.StudyTitle = "  ΠΟΛΥΚΑΤΟΙΚΙΑ ΟΔΟΥ ΕΡΜΟΥ 5  ";
    ASSERT_TRUE(w.Load());
    EXPECT_FALSE(Exists(w.folder, "PYROSTAT.TMP"));
    EXPECT_FALSE(Exists(w.folder, "Thema.tmp"));
    EXPECT_FALSE(Exists(w.folder, "S_PYROS.TMP"));
    EXPECT_TRUE(Exists(w.folder, "keep.pyx"));
    EXPECT_EQ(w.window->TxtThema()->text().toStdString(), "ΠΟΛΥΚΑΤΟΙΚΙΑ ΟΔΟΥ ΕΡΜΟΥ 5");
    EXPECT_FLOAT_EQ(w.state.DefaultHeight, 3.0f);
    EXPECT_TRUE(w.messages.Empty());

    // A study typed but never saved is lost on close without a question.
    w.window->Grid().SetCellText(1, 1, "Α1");
    for (const char* name : {"PYROSTAT.TMP", "THEMA.TMP", "S_PYROS.TMP"}) {
        WriteAll(w.folder.File(name), "new");
    }
    w.window->show();
    EXPECT_TRUE(w.window->close());
    EXPECT_FALSE(Exists(w.folder, "PYROSTAT.TMP"));
    EXPECT_FALSE(Exists(w.folder, "THEMA.TMP"));
    EXPECT_FALSE(Exists(w.folder, "S_PYROS.TMP"));
    EXPECT_TRUE(w.messages.Empty());
}

TEST(FrmPyros, StartUpLayoutOfTheGridAndTheControls) {
    LoadedWindow w;
    ASSERT_TRUE(w.Load());
    fpSpread1& grid = w.window->Grid();
    for (int col = 1; col <= kGridColumns; ++col) {
        QString expected = QString::fromStdString(ColumnHeaders()[col - 1]);
        expected.replace('\r', '\n');
        EXPECT_EQ(grid.model()->headerData(col - 1, Qt::Horizontal).toString(), expected);
        EXPECT_DOUBLE_EQ(grid.ColWidth(col), ColumnWidths()[col - 1]);
    }
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("ΟΝΟΜΑΣΙΑ ΙΔΙΟΚΤΗΣΙΑΣ"));
    EXPECT_EQ(grid.model()->headerData(41, Qt::Vertical).toInt(), 42);
    EXPECT_DOUBLE_EQ(grid.RowHeight(0), 75.0);
    // 75 points at the screen's resolution.
    EXPECT_EQ(grid.horizontalHeader()->height(), qRound(75.0 * grid.logicalDpiY() / 72.0));
    EXPECT_EQ(grid.ActiveRow(), 1);
    EXPECT_EQ(grid.ActiveCol(), 1);
    const QModelIndex cell = grid.model()->index(7, 1);
    EXPECT_EQ(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(220, 255, 220));
    EXPECT_EQ(grid.model()->index(7, 2).data(Qt::BackgroundRole).value<QColor>(),
              QColor(220, 255, 255));
    EXPECT_EQ(grid.model()->index(7, 3).data(Qt::BackgroundRole).value<QColor>(),
              QColor(255, 255, 220));
    EXPECT_FALSE(grid.model()->index(7, 4).data(Qt::BackgroundRole).isValid());

    OptionControls& options = w.window->Options();
    EXPECT_TRUE(options.ChkInsulation()->isChecked());
    EXPECT_FALSE(options.ChkHeight()->isChecked());
    EXPECT_FALSE(options.CboHeight()->isEnabled());
    EXPECT_EQ(options.CboHeight()->currentIndex(), -1);
    EXPECT_EQ(options.CboHeight()->currentText(), QString());
    EXPECT_EQ(options.CboHeight()->count(), 17);
    EXPECT_EQ(w.window->TxtThema()->maxLength(), 78);
    EXPECT_FALSE(w.window->LblWait()->isVisible());
    EXPECT_EQ(w.window->Buttons().CmdGo->text(), QStringLiteral("ΥΠΟΛΟΓΙΣΜΟΙ"));
    EXPECT_EQ(w.window->Buttons().CmdPrevData->text(),
              QStringLiteral(" ΠΡΟΕΠΙΣΚΟΠΗΣΗ ΕΚΤΥΠΩΣΗΣ ΔΕΔΟΜΕΝΩΝ ΠΙΝΑΚΑ"));
    EXPECT_EQ(w.window->Buttons().CmdRESETCols->text(),
              QStringLiteral(" ΑΠΟΚΑΤΑΣΤΑΣΗ ΠΛΑΤΟΥΣ ΚΕΛΛΙΩΝ "));
}

TEST(FrmPyros, ResetColumnsAfterTheUserChangedWidths) {
    LoadedWindow w;
    ASSERT_TRUE(w.Load());
    w.window->show();
    fpSpread1& grid = w.window->Grid();
    // The user drags borders: columns 1 and 6 wider, 10 narrower.
    grid.horizontalHeader()->resizeSection(0, 400);
    grid.horizontalHeader()->resizeSection(5, 250);
    grid.horizontalHeader()->resizeSection(9, 20);
    grid.Table().SetCell(0, 3, "ΑΛΛΟ");
    grid.SetCellText(4, 2, "12,5");
    EXPECT_GT(grid.ColWidth(1), 24.0);
    grid.SetRowHeight(0, 20);
    grid.selectionModel()->setCurrentIndex(grid.model()->index(3, 1),
                                           QItemSelectionModel::NoUpdate);

    for (const bool byKey : {false, true}) {
        grid.horizontalHeader()->resizeSection(0, 400);
        if (byKey) {
            grid.setFocus();
            QTest::keyClick(&grid, Qt::Key_W, Qt::ControlModifier);
        } else {
            w.window->Buttons().CmdRESETCols->click();
        }
        for (int col = 1; col <= kGridColumns; ++col) {
            EXPECT_DOUBLE_EQ(grid.ColWidth(col), ColumnWidths()[col - 1]) << col;
            EXPECT_EQ(grid.Table().Cell(0, col), ColumnHeaders()[col - 1]);
        }
        EXPECT_EQ(grid.columnWidth(0), qRound(24 * grid.PixelsPerWidthUnit()) + 6);
        EXPECT_DOUBLE_EQ(grid.RowHeight(0), 75.0);
        EXPECT_EQ(grid.CellText(4, 2), "12,50"); // no data cell changes
        EXPECT_EQ(grid.ActiveRow(), 4);          // and the cursor stays
        EXPECT_EQ(grid.ActiveCol(), 2);
    }
}

TEST(FrmPyros, OptionControlsSetTheDefaultHeight) {
    LoadedWindow w;
    ASSERT_TRUE(w.Load());
    w.window->show();
    OptionControls& options = w.window->Options();
    options.ChkHeight()->click();
    EXPECT_FLOAT_EQ(w.state.DefaultHeight, 3.0f);
    EXPECT_TRUE(options.CboHeight()->isEnabled());
    EXPECT_EQ(options.CboHeight()->currentText(), QStringLiteral("3,0"));
    EXPECT_TRUE(w.window->Grid().hasFocus() || !w.window->isActiveWindow());

    emit options.CboHeight()->activated(9);
    EXPECT_FLOAT_EQ(w.state.DefaultHeight, 4.5f);
    EXPECT_EQ(options.CboHeight()->currentText(), QStringLiteral("4,5"));

    options.ChkHeight()->click(); // unticked: the list empties, the height stays
    EXPECT_FLOAT_EQ(w.state.DefaultHeight, 4.5f);
    EXPECT_FALSE(options.CboHeight()->isEnabled());
    EXPECT_EQ(options.CboHeight()->currentText(), QString());

    options.ChkHeight()->click();
    EXPECT_FLOAT_EQ(w.state.DefaultHeight, 3.0f);
}

// Opening a study sets the insulation tick from the file; a later click on the
// height option must not put back the tick the window had before.
TEST(FrmPyros, InsulationSetByAStudySurvivesTheHeightOption) {
    LoadedWindow w;
    ASSERT_TRUE(w.Load());
    w.window->show();
    OptionControls& options = w.window->Options();
    const bool before = options.ChkInsulation()->isChecked();
    options.ChkInsulation()->setChecked(!before); // as a study's file sets it
    options.ChkHeight()->click();
    EXPECT_EQ(options.ChkInsulation()->isChecked(), !before);
    emit options.CboHeight()->activated(2);
    EXPECT_EQ(options.ChkInsulation()->isChecked(), !before);
    options.ChkInsulation()->click(); // the user's own click still counts
    options.ChkHeight()->click();
    EXPECT_EQ(options.ChkInsulation()->isChecked(), before);
}

TEST(FrmPyros, KeysReachTheirCommands) {
    LoadedWindow w;
    int news = 0, goes = 0, saves = 0, savesAs = 0, opens = 0, manuals = 0;
    w.window->Commands().onNew = [&] { ++news; };
    w.window->Commands().onGo = [&] { ++goes; };
    w.window->Commands().onSave = [&] { ++saves; };
    w.window->Commands().onSaveAs = [&] { ++savesAs; };
    w.window->Commands().onOpen = [&] { ++opens; };
    w.window->Commands().onManual = [&] { ++manuals; };
    ASSERT_TRUE(w.Load());
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    fpSpread1& grid = w.window->Grid();
    grid.setFocus();

    QTest::keyClick(&grid, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_G, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_F1);
    QTest::keyClick(&grid, Qt::Key_F3);                     // not the window's
    QTest::keyClick(&grid, Qt::Key_P, Qt::ControlModifier); // unset: nothing happens
    EXPECT_EQ(news, 1);
    EXPECT_EQ(goes, 2);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(savesAs, 1);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(manuals, 1);

    // F5 copies the value above the cursor into its cell.
    grid.SetCellText(3, 2, "250");
    grid.SetCellText(4, 2, "1");
    grid.selectionModel()->setCurrentIndex(grid.model()->index(3, 1),
                                           QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&grid, Qt::Key_F5);
    EXPECT_EQ(grid.CellText(4, 2), "250,00");
    EXPECT_EQ(grid.CellText(4, 1), "");
    // Ctrl+Z takes it back, Ctrl+Shift+Z does it again.
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid.CellText(4, 2), "1,00");
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid.CellText(4, 2), "250,00");

    // Esc empties and disables the range boxes wherever the focus is.
    RangeBoxes& ranges = w.window->Ranges();
    ranges.TxtUpperRow()->setText("3");
    ranges.TxtRightCol()->setText("9");
    w.window->TxtThema()->setFocus();
    QTest::keyClick(w.window->TxtThema(), Qt::Key_Escape);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(ranges.Box(i)->text().isEmpty());
        EXPECT_FALSE(ranges.Box(i)->isEnabled());
        EXPECT_FALSE(ranges.Label(i)->isEnabled());
    }

    // Ctrl+C with a block copies it as text, Shift+Delete cuts it.
    grid.SetCellText(5, 1, "Α5");
    grid.SetCellText(5, 2, "7");
    grid.SetCellText(6, 1, "Α6");
    grid.setFocus();
    grid.selectionModel()->setCurrentIndex(grid.model()->index(4, 0),
                                           QItemSelectionModel::ClearAndSelect);
    grid.selectionModel()->select(
        QItemSelection(grid.model()->index(4, 0), grid.model()->index(5, 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w.clipboard.Text(), "Α5\t7,00\nΑ6\t\n");
    // The copy used the selection up, and the screen no longer shows a block.
    EXPECT_FALSE(grid.selectionModel()->hasSelection());
    grid.selectionModel()->select(
        QItemSelection(grid.model()->index(4, 0), grid.model()->index(5, 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(grid.CellText(5, 1), "");
    EXPECT_EQ(grid.CellText(6, 1), "");
}

TEST(FrmPyros, ActivationRecordsTheProgram) {
    LoadedWindow w;
    ASSERT_TRUE(w.Load());
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    QApplication::processEvents();
    if (!w.window->isActiveWindow()) {
        GTEST_SKIP() << "this platform gives no window activation";
    }
    const std::string log = test::ReadAll(w.folder.File("MirtProgs.log"));
    ASSERT_EQ(log.size(), 250u);
    EXPECT_EQ(log.substr(0, 30), "Pyrostat" + std::string(22, ' '));
    EXPECT_EQ(log.substr(230, 20), "PYROSTAT.EXE" + std::string(8, ' '));
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

TEST(FrmPyrosControls, TitleBoxRangeBoxesAndHooks) {
    LoadedWindow w;
    int versionBoxes = 0;
    int gdata = 0;
    bool mayClose = false;
    w.window->Commands().onVersionBox = [&] { ++versionBoxes; };
    w.window->Commands().onGData = [&] { ++gdata; };
    w.window->Commands().onCloseQuestion = [&] { return mayClose; };
    ASSERT_TRUE(w.Load());
    w.window->show();
    QApplication::setActiveWindow(w.window.get());

    // The title takes 78 characters the code page stores; the rest is refused as typed.
    QLineEdit* title = w.window->TxtThema();
    title->setFocus();
    for (const QChar ch : QStringLiteral("Α中Β")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(title, &press);
        if (ch == QChar(0x4E2D)) {
            // Told beside the box, not dropped unseen.
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text().toStdString(),
                      "«Α中» δεν γράφεται: χαρακτήρες που δεν αποθηκεύονται στην ελληνική "
                      "κωδικοσελίδα.");
        }
    }
    EXPECT_EQ(title->text(), QStringLiteral("ΑΒ"));
    title->setText(QString(90, QLatin1Char('x')));
    EXPECT_EQ(title->text().size(), 78);
    title->setText(QStringLiteral("  ΜΕΛΕΤΗ  "));
    EXPECT_EQ(w.state.StudyTitle, "ΜΕΛΕΤΗ");

    // A range box with the focus lights up; leaving gives the system colours back.
    RangeBoxes& ranges = w.window->Ranges();
    ranges.TxtLowerRow()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ranges.Label(1)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(ranges.Label(1)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(ranges.Box(1)->palette().color(QPalette::Text), QColor(255, 255, 0));
    EXPECT_EQ(ranges.Box(1)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    title->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ranges.Label(1)->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(ranges.Box(1)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));

    w.window->ShowWait(true);
    EXPECT_TRUE(w.window->LblWait()->isVisible());
    EXPECT_EQ(w.window->LblWait()->text(), QStringLiteral("... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ..."));
    w.window->ShowWait(false);
    EXPECT_FALSE(w.window->LblWait()->isVisible());

    QTest::mouseDClick(w.window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(versionBoxes, 1);

    w.window->Buttons().CmdGData->click();
    EXPECT_EQ(gdata, 1);

    WriteAll(w.folder.File("PYROSTAT.TMP"), "x");
    EXPECT_FALSE(w.window->close()); // the hook keeps the window open
    EXPECT_TRUE(Exists(w.folder, "PYROSTAT.TMP"));
    mayClose = true;
    EXPECT_TRUE(w.window->close());
    EXPECT_FALSE(Exists(w.folder, "PYROSTAT.TMP"));
}

} // namespace
} // namespace pyrostat
