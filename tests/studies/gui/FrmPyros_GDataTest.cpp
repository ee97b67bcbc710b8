#include "studies/gui/FrmPyros_GData.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types each character into the widget as a key press carrying its text.
void Type(QWidget* target, const QString& text) {
    for (const QChar ch : text) {
        Press(target, 0, Qt::NoModifier, QString(ch));
    }
}

class GDataDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.ProgramFolder = folder.WithSlash();
        state.Employer = "Ιδιοκτήτες";
        state.Project = "";
        state.Location = "Πάτρα";
    }
    TestFolder folder;
    ProgramState state;
};

TEST_F(GDataDialogTest, CaptionLabelsAndStartingTexts) {
    FrmPyros_GData dialog(state, state.ProgramFolder);
    EXPECT_EQ(dialog.windowTitle().toStdString(),
              "ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΕΡΓΟΥ (< Esc >, για Έξοδο χωρίς καμμία μεταβολή)");
    const char* labels[] = {"ΕΡΓΟΔΟΤΗΣ", "ΕΡΓΟ", "ΘΕΣΗ ΕΡΓΟΥ"};
    for (int i = 0; i < 3; ++i) {
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text().toStdString(), labels[i]);
    }
    EXPECT_EQ(dialog.Text1()->text().toStdString(), "Ιδιοκτήτες");
    EXPECT_EQ(dialog.Text2()->text().toStdString(), "");
    EXPECT_EQ(dialog.Text3()->text().toStdString(), "Πάτρα");
    EXPECT_EQ(dialog.CmdOK()->text().toStdString(), "O.K.");
}

TEST_F(GDataDialogTest, RefusesQuotesAndCharactersOutsideTheCodePageAsTyped) {
    FrmPyros_GData dialog(state, state.ProgramFolder);
    dialog.show();
    dialog.Text2()->setFocus();
    Type(dialog.Text2(), QStringLiteral("Οδός \"Αιόλου\" 日5"));
    EXPECT_EQ(dialog.Text2()->text().toStdString(), "Οδός Αιόλου 5");
    // Each refusal is told beside the box.
    dialog.Text1()->setFocus();
    dialog.Text1()->setText(QStringLiteral("Α"));
    Type(dialog.Text1(), QStringLiteral("\""));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(),
              "«Α\"» δεν γράφεται: το «\"» δεν γράφεται σε αυτό το πεδίο.");
    // A pasted text with a quote is refused whole.
    dialog.Text3()->setText(QStringLiteral("Πάτρα"));
    dialog.Text3()->insert(QStringLiteral("\"x\""));
    EXPECT_EQ(dialog.Text3()->text().toStdString(), "Πάτρα");
}

TEST_F(GDataDialogTest, EnterMovesOnAndTheFourthPressesOK) {
    FrmPyros_GData dialog(state, state.ProgramFolder);
    dialog.show();
    dialog.Text1()->setFocus();
    Press(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.focusWidget(), dialog.Text2());
    Type(dialog.Text2(), QStringLiteral("  Block C  "));
    Press(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.focusWidget(), dialog.Text3());
    Press(dialog.focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(dialog.focusWidget(), dialog.CmdOK());
    EXPECT_TRUE(dialog.isVisible());
    Press(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(state.Project, "Block C");
    EXPECT_EQ(ReadAll(folder.File("Thema.tmp")), "\"\xC9\xE4\xE9\xEF\xEA\xF4\xDE\xF4\xE5\xF2\"\r\n"
                                                 "\"Block C\"\r\n\"\xD0\xDC\xF4\xF1\xE1\"\r\n");
}

// The numeric keypad's Enter moves on as Enter does; it never presses O.K.
// from a box.
TEST_F(GDataDialogTest, TheKeypadEnterMovesOnToo) {
    FrmPyros_GData dialog(state, state.ProgramFolder);
    dialog.show();
    dialog.Text1()->setFocus();
    Press(dialog.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog.focusWidget(), dialog.Text2());
    EXPECT_TRUE(dialog.isVisible());
    Type(dialog.Text2(), QStringLiteral("Block C"));
    Press(dialog.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog.focusWidget(), dialog.Text3());
    Press(dialog.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog.focusWidget(), dialog.CmdOK());
    EXPECT_TRUE(dialog.isVisible());
}

// A folder where the working file belongs: the data are taken all the same,
// and the user is told the file was not written (no abort, nothing silent).
TEST_F(GDataDialogTest, AFolderInPlaceOfTheWorkingFileIsToldAndTheDataKept) {
    std::filesystem::create_directory(folder.File("Thema.tmp"));
    FrmPyros_GData dialog(state, state.ProgramFolder);
    dialog.show();
    dialog.Text2()->setText(QStringLiteral("Έργο"));
    bool told = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                told = box->text().contains(QStringLiteral("είναι φάκελος"));
                box->accept();
            }
        }
    });
    dialog.CmdOK()->click();
    EXPECT_TRUE(told);
    EXPECT_EQ(state.Project, "Έργο");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("Thema.tmp")));
}

TEST_F(GDataDialogTest, EscapeLeavesEverything) {
    FrmPyros_GData dialog(state, state.ProgramFolder);
    dialog.show();
    dialog.Text1()->setText(QStringLiteral("Άλλος"));
    dialog.Text2()->setText(QStringLiteral("Έργο"));
    dialog.Text1()->setFocus();
    Press(dialog.focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.Escaped());
    EXPECT_EQ(state.Employer, "Ιδιοκτήτες");
    EXPECT_EQ(state.Project, "");
    EXPECT_FALSE(std::filesystem::exists(folder.File("Thema.tmp")));
}

} // namespace
} // namespace pyrostat
