#include "distribution/gui/FrmPyrRes.h"
#include "distribution/StudyGrids.h"
#include "distribution/gui/CalculationCommand.h"
#include "platform/Codepage1253.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

const std::string kLine1 =
    "Π1 (%) = [0,0641 + (0,4377 x 0,1165 x Ωρες_i) / (Σ(0,1165 x Ωρες_i))] x 100";
const std::string kLine2 =
    "Π2 (%) = [0,1180 + (0,4377 x 0,3373 x Ωρες_i) / (Σ(0,3373 x Ωρες_i))] x 100";
const std::string kHead1 = "ΓΕΝΙΚΟΣ ΤΥΠΟΣ :";
const std::string kHead2 = "Πi(%) = [fi x ei + (1 - Σ(fi x ei) x (ei x Ωi)/Σ(ei x Ωi))] x 100";

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

class ResultsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.ProgramFolder = folder.WithSlash();
        std::string bytes;
        for (const std::string& line : {kHead1, kHead2, kLine1, kLine2}) {
            bytes += "\"" + Utf8ToCp1253(line) + "\"\r\n";
        }
        formula = bytes;
        WriteAll(folder.File("~mirttype.txt"), formula);
    }
    TestFolder folder;
    ProgramState state;
    std::string formula;
};

TEST_F(ResultsWindowTest, OpeningListsTheFormulas) {
    FrmPyrRes window(state, {});
    EXPECT_EQ(window.windowTitle().toStdString(), "Ειδικοί Συντελεστές Ιδιοκτησίας");
    std::vector<std::string> items;
    for (int i = 0; i < window.List1()->count(); ++i) {
        items.push_back(window.List1()->item(i)->text().toStdString());
    }
    const std::vector<std::string> expected = {std::string(61, '='), kHead1, kHead2,
                                               std::string(61, '='), " ",    kLine1,
                                               std::string(48, '-'), kLine2, std::string(48, '-')};
    EXPECT_EQ(items, expected);
}

TEST_F(ResultsWindowTest, ControlsAndCaptions) {
    FrmPyrRes window(state, {});
    window.show();
    const std::pair<QPushButton*, const char*> buttons[] = {
        {window.CmdPrev_T(), " ΠΡΟΕΠΙΣΚΟΠΗΣΗ  ΠΙΝΑΚΑ ΣΤΟΙΧΕΙΩΝ "},
        {window.CmdPrint_T(), " ΕΚΤΥΠΩΣΗ ΠΙΝΑΚΑ ΣΤΟΙΧΕΙΩΝ (στον 'τρέχοντα' Εκτυπωτή) "},
        {window.CmdGData(), "ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΕΡΓΟΥ"},
        {window.Cmd_Client(), " ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ "},
        {window.CmdBack(), "ΚΛΕΙΣΙΜΟ ΦΟΡΜΑΣ ΚΑΙ ΕΠΙΣΤΡΟΦΗ"},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(button->text().toStdString(), caption);
        EXPECT_TRUE(button->isVisible());
    }
    EXPECT_TRUE(window.CmdPreview()->isVisible());
    EXPECT_TRUE(window.CmdPrint()->isVisible());
    EXPECT_NE(window.CmdPyroTherm()->text().indexOf(QStringLiteral("~imirttype.fle")), -1);
    EXPECT_NE(window.CmdPyroTherm()->text().indexOf(QStringLiteral("TYPES.FIL")), -1);
    EXPECT_FALSE(window.CmdPyroTherm()->isVisible());
    EXPECT_FALSE(window.LblWait()->isVisible());
    EXPECT_EQ(window.LblWait()->text().toStdString(), "... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ...");
    auto* frame3 = window.findChild<QGroupBox*>(QStringLiteral("Frame3"));
    auto* frame2 = window.findChild<QGroupBox*>(QStringLiteral("Frame2"));
    ASSERT_NE(frame3, nullptr);
    ASSERT_NE(frame2, nullptr);
    EXPECT_EQ(frame3->title().toStdString(), " Πίνακας ");
    EXPECT_EQ(frame2->title().toStdString(), " Τύποι ");
    EXPECT_EQ(window.CmdPrev_T()->parentWidget(), frame3);
    EXPECT_EQ(window.CmdPreview()->parentWidget(), frame2);
    window.CmdBack()->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ResultsWindowTest, ShiftEscapeShowsTheExportWhichAsksForTheGeneralData) {
    int asked = 0;
    ResultsWindowHooks hooks;
    hooks.generalData = [this, &asked] {
        ++asked;
        state.Employer = "Owner";
        state.Project = "Block C";
        state.Location = "Patras";
        return true;
    };
    FrmPyrRes window(state, hooks);
    window.show();
    Press(&window, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(window.CmdPyroTherm()->isVisible());
    Press(&window, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_FALSE(window.CmdPyroTherm()->isVisible());
    Press(&window, Qt::Key_Escape, Qt::ShiftModifier);
    window.CmdPyroTherm()->click();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(window.CmdPyroTherm()->isVisible());
    EXPECT_EQ(ReadAll(folder.File("TYPES_Owner, Block C, Patras.FIL")),
              "0.0641,0.4377,0.1165,0.1165\r\n0.1180,0.4377,0.3373,0.3373\r\n");
    EXPECT_EQ(ReadAll(folder.File("~imirttype_Owner, Block C, Patras.fle")), formula);
}

// The export from the menu, with its button still hidden; the files written
// are named whole in the window and on the status line.
TEST_F(ResultsWindowTest, TheMenuExportsAndNamesBothFilesWhole) {
    std::string status;
    ResultsWindowHooks hooks;
    hooks.status = [&status](const std::string& text) { status = text; };
    state.Employer = "Ένωση Ιδιοκτητών Πολυκατοικίας της οδού Ευριπίδου";
    state.Project = "Κατανομή δαπανών κεντρικής θέρμανσης";
    state.Location = "Πάτρα";
    FrmPyrRes window(state, hooks);
    window.show();
    ASSERT_NE(window.ExportAction(), nullptr);
    window.ExportAction()->trigger();
    EXPECT_FALSE(window.CmdPyroTherm()->isVisible());
    const std::string types = folder.File("TYPES_" + state.Employer + ", " + state.Project + ", " +
                                          state.Location + ".FIL");
    EXPECT_TRUE(std::filesystem::exists(Utf8ToCp1253(types)) || std::filesystem::exists(types));
    ASSERT_TRUE(window.LblExported()->isVisible());
    const std::string shown = window.LblExported()->text().toStdString();
    EXPECT_EQ(shown, status);
    EXPECT_NE(shown.find(".FIL"), std::string::npos) << shown;
    EXPECT_NE(shown.find(".fle"), std::string::npos) << shown;
    EXPECT_NE(shown.find(state.Employer), std::string::npos) << shown;
}

TEST_F(ResultsWindowTest, ExportLeftWithEscapeWritesNothing) {
    ResultsWindowHooks hooks;
    hooks.generalData = [] { return false; };
    FrmPyrRes window(state, hooks);
    window.show();
    Press(&window, Qt::Key_Escape, Qt::ShiftModifier);
    window.CmdPyroTherm()->click();
    EXPECT_TRUE(window.CmdPyroTherm()->isVisible());
    EXPECT_FALSE(std::filesystem::exists(folder.File("TYPES_, , .FIL")));
}

TEST_F(ResultsWindowTest, ReportButtonsAndHooks) {
    std::vector<std::pair<char, bool>> calls;
    int manual = 0;
    int engineer = 0;
    int generalData = 0;
    FrmPyrRes* seen = nullptr;
    QLabel* seenLabel = nullptr;
    ResultsWindowHooks hooks;
    hooks.tableReport = [&](bool print, QWidget* window, QLabel* wait) {
        calls.push_back({'T', print});
        seen = qobject_cast<FrmPyrRes*>(window);
        seenLabel = wait;
    };
    hooks.formulaReport = [&calls](bool print, QWidget*, QLabel*) {
        calls.push_back({'F', print});
    };
    hooks.manual = [&manual] { ++manual; };
    hooks.engineerRegister = [&engineer] { ++engineer; };
    hooks.generalData = [&generalData] {
        ++generalData;
        return false;
    };
    FrmPyrRes window(state, hooks);
    window.show();

    window.CmdPrev_T()->click();
    window.CmdPrint_T()->click();
    window.CmdPreview()->click();
    window.CmdPrint()->click();
    const std::vector<std::pair<char, bool>> expected = {
        {'T', false}, {'T', true}, {'F', false}, {'F', true}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(seen, &window);
    EXPECT_EQ(seenLabel, window.LblWait());

    window.CmdGData()->click();
    EXPECT_EQ(generalData, 1);
    window.Cmd_Client()->click();
    EXPECT_EQ(engineer, 1);
    Press(&window, Qt::Key_F1);
    EXPECT_EQ(manual, 1);
    EXPECT_TRUE(window.isVisible());
}

TEST(CalculationCommand, ResultsWindowFollowsAWrittenRun) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    MemoryGrid grid;
    test::FillGrid(grid, test::ThreeFlats(false));
    test::RecordingMessages messages;
    TitleBoxAccess title;
    title.text = [] { return std::string("Πολυκατοικία"); };
    int shown = 0;
    const int focus = grid.FocusCount();
    EXPECT_EQ(RunCalculationCommand(nullptr, grid, state, messages, title, true, {},
                                    [&shown] { ++shown; }),
              CalculationOutcome::Written);
    EXPECT_EQ(shown, 1);
    EXPECT_GT(grid.FocusCount(), focus);
    EXPECT_TRUE(messages.Empty());
    // The command archives the results under the title before they show.
    EXPECT_EQ(ReadAll(folder.File("PYXFiles/FLEFiles/~mirttype_Πολυκατοικία.fle")),
              ReadAll(folder.File("~mirttype.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("PYXFiles/FLEFiles/TYPES_Πολυκατοικία.FIL")));

    // An archive that cannot be written is told, and the results still show.
    std::filesystem::remove_all(folder.File("PYXFiles"));
    WriteAll(folder.File("PYXFiles"), "a file where the folder belongs");
    EXPECT_EQ(RunCalculationCommand(nullptr, grid, state, messages, title, true, {},
                                    [&shown] { ++shown; }),
              CalculationOutcome::Written);
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.Last().prompt.find("Αντιγράφου των Αποτελεσμάτων"), std::string::npos);
    messages.shown.clear();
    std::filesystem::remove(folder.File("PYXFiles"));

    grid.SetCellText(2, 11, "");
    EXPECT_EQ(RunCalculationCommand(nullptr, grid, state, messages, title, true, {},
                                    [&shown] { ++shown; }),
              CalculationOutcome::Stopped);
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "... Ελλιπείς Καταχωρήσεις Ιδιοκτησιών ...\r");
}

} // namespace
} // namespace pyrostat
