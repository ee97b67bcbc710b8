#include "register/gui/FrmCLient.h"

#include "program/ProgramState.h"
#include "register/RegisterTestSupport.h"
#include "register/ScriptedPasswordDialog.h"
#include "register/gui/FrmCLPass.h"
#include "register/gui/NamesList.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using Answer = MessageService::Answer;
using Names = std::vector<std::string>;

void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
    }
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QPoint RowCentre(NamesList* list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

class FrmCLientTest : public ::testing::Test {
protected:
    FrmCLientTest() : dialog(messages) {
        state.ProgramFolder = folder.WithSlash();
        state.DefaultEngineerText = "Beta";
    }
    std::string Path() const { return folder.File("CLIENTS.MIR"); }
    void WriteRegister(const Names& names, const std::string& password) {
        test::WriteAll(Path(), test::IndependentRegister(names, password));
    }
    Names ListTexts(const FrmCLient& window) const {
        Names texts;
        for (int i = 0; i < window.Lst_Names()->count(); ++i) {
            texts.push_back(window.Lst_Names()->item(i)->text().toStdString());
        }
        return texts;
    }

    test::TestFolder folder;
    ProgramState state;
    test::RecordingMessages messages;
    test::ScriptedPasswordDialog dialog;
};

TEST_F(FrmCLientTest, OpensWithTheRegisterAndTheCurrentEngineer) {
    WriteRegister({"Alpha", "Beta", "Gamma"}, "pw");
    FrmCLient window(state, messages, dialog);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ"));
    EXPECT_EQ(window.SSFrame2()->title(), QStringLiteral("! Όνομα Μελετητή, που ισχύει τώρα "));
    EXPECT_EQ(window.SSFrame1()->title(), QStringLiteral(" Αλλαγή Ονόματος Μελετητή "));
    EXPECT_EQ(window.Cmd_Copy()->toolTip(), QStringLiteral(" Αντιγραφή του Ονόματος, στη Λίστα "));
    EXPECT_EQ(window.Cmd_Lock()->toolTip(), QStringLiteral(" Αλλαγή Password "));
    EXPECT_EQ(window.Cmd_OK()->text(), QStringLiteral("Αποδοχή"));
    EXPECT_EQ(window.Cmd_Exit()->text(), QStringLiteral("Έξοδος"));
    EXPECT_EQ(ListTexts(window), (Names{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(window.Lst_Names()->currentRow(), 1);
    EXPECT_EQ(window.SSPanel1()->text(), QStringLiteral("Beta"));
    EXPECT_EQ(window.Txt_Client()->text(), QStringLiteral("Beta"));
    EXPECT_TRUE(window.Txt_Client()->isReadOnly());
    EXPECT_EQ(window.Txt_Client()->palette().color(QPalette::Base), QColor(255, 255, 128));
    EXPECT_EQ(window.Txt_Client()->maxLength(), 78);
    EXPECT_EQ(window.Txt_Pass()->maxLength(), 20);
    EXPECT_EQ(window.Txt_Pass()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(window.Txt_Pass()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter), '*');
    EXPECT_EQ(window.Txt_Pass()->text(), QStringLiteral("pw"));
    EXPECT_EQ(window.LblNoChars()->text(), QStringLiteral("< 4 > Χαρακτήρες"));
    window.close();
}

TEST_F(FrmCLientTest, AddingANameByTyping) {
    WriteRegister({"Alpha"}, "");
    FrmCLient window(state, messages, dialog);
    window.show();
    window.Cmd_New()->click();
    EXPECT_FALSE(window.Txt_Client()->isReadOnly());
    EXPECT_EQ(window.Txt_Client()->palette().color(QPalette::Base), QColor(128, 255, 128));
    EXPECT_EQ(window.Lbl_Client()->text(), QStringLiteral("ΔΩΣΕ ΤΟ ΟΝΟΜΑ ΤΟΥ ΝΕΟΥ ΜΕΛΕΤΗΤΗ"));
    EXPECT_FALSE(window.Cmd_Del()->isEnabled());
    EXPECT_FALSE(window.Cmd_COR()->isEnabled());
    TypeInto(window.Txt_Client(), QStringLiteral("Δέλτα"));
    // A character the register cannot store is not let in.
    TypeInto(window.Txt_Client(), QStringLiteral("Ж"));
    EXPECT_EQ(window.Txt_Client()->text(), QStringLiteral("Δέλτα"));
    EXPECT_EQ(window.LblNoChars()->text(), QStringLiteral("< 5 > Χαρακτήρες"));
    messages.AnswerNext(Answer::Yes);
    window.Cmd_OK()->click();
    EXPECT_EQ(ListTexts(window), (Names{"Alpha", "Δέλτα"}));
    EXPECT_TRUE(window.Txt_Client()->isReadOnly());
    EXPECT_TRUE(window.Cmd_Del()->isEnabled());
    EXPECT_EQ(test::ReadAll(Path()),
              test::IndependentRegister({"Alpha", "\xC4\xDD\xEB\xF4\xE1"}, ""));
    window.close();
}

// The registration number is shown with the selected name, typed while a
// name is corrected, and stored beside the register with it.
TEST_F(FrmCLientTest, TheRegistrationNumberGoesWithTheName) {
    WriteRegister({"Alpha", "Beta"}, "");
    test::WriteAll(folder.File("CLIENTS_AM.txt"), "Alpha\t1111\n");
    const std::string records = test::ReadAll(Path());
    FrmCLient window(state, messages, dialog);
    window.show();
    window.Lst_Names()->setCurrentRow(0);
    EXPECT_EQ(window.Txt_Am()->text(), QStringLiteral("1111"));
    EXPECT_TRUE(window.Txt_Am()->isReadOnly());
    window.Lst_Names()->setCurrentRow(1);
    EXPECT_EQ(window.Txt_Am()->text(), QString());

    window.Cmd_COR()->click();
    EXPECT_FALSE(window.Txt_Am()->isReadOnly());
    window.Txt_Am()->setFocus();
    TypeInto(window.Txt_Am(), QStringLiteral("12x"));
    EXPECT_EQ(window.Txt_Am()->text(), QStringLiteral("12"));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(),
              "«12x» δεν γράφεται: ο αριθμός μητρώου ΤΕΕ είναι έως 8 ψηφία.");
    TypeInto(window.Txt_Am(), QStringLiteral("3456"));
    messages.AnswerNext(Answer::Yes);
    window.Cmd_OK()->click();
    EXPECT_TRUE(window.Txt_Am()->isReadOnly());
    EXPECT_EQ(test::ReadAll(folder.File("CLIENTS_AM.txt")), "Alpha\t1111\nBeta\t123456\n");
    window.Lst_Names()->setCurrentRow(0);
    window.Lst_Names()->setCurrentRow(1);
    EXPECT_EQ(window.Txt_Am()->text(), QStringLiteral("123456"));
    window.close();
    EXPECT_EQ(test::ReadAll(Path()), records) << "the register's records are not touched";
}

TEST_F(FrmCLientTest, DraggingTheThirdNameToTheTopAndClosing) {
    WriteRegister({"Alpha", "Beta", "Gamma"}, "pw");
    FrmCLient window(state, messages, dialog);
    window.show();
    NamesList* list = window.Lst_Names();
    QWidget* viewport = list->viewport();
    Mouse(viewport, QEvent::MouseButtonPress, RowCentre(list, 2), Qt::LeftButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseMove, RowCentre(list, 1), Qt::NoButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseMove, RowCentre(list, 0), Qt::NoButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, RowCentre(list, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ListTexts(window), (Names{"Gamma", "Alpha", "Beta"}));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(test::ReadAll(Path()), test::IndependentRegister({"Alpha", "Beta", "Gamma"}, "pw"));
    window.Cmd_Exit()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(test::ReadAll(Path()), test::IndependentRegister({"Gamma", "Alpha", "Beta"}, "pw"));
}

TEST_F(FrmCLientTest, EscClosesAndStillWritesTheList) {
    WriteRegister({"Alpha"}, "");
    FrmCLient window(state, messages, dialog);
    window.show();
    window.Cmd_Copy()->click(); // "Beta", the current engineer
    PressKey(window.Lst_Names(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(test::ReadAll(Path()), test::IndependentRegister({"Alpha", "Beta"}, ""));
}

TEST(FrmCLPassTest, NewPasswordModeShowsTwoBoxesAndChecksThem) {
    test::RecordingMessages messages;
    FrmCLPass dialog(PasswordAsk::New, messages);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ΟΝΟΜΑ ΜΕΛΕΤΗΤΗ (Esc για Έξοδο)"));
    EXPECT_EQ(dialog.Label1()->text(), QStringLiteral("Δώστε το Νέο Password :"));
    EXPECT_TRUE(dialog.TxtPassOK()->isVisible());
    EXPECT_TRUE(dialog.LblOK()->isVisible());
    EXPECT_FALSE(dialog.SSPanel1()->isVisible());

    // A character the code page does not hold is told, and the password is
    // never quoted back.
    TypeInto(dialog.TxtPass(), QStringLiteral("ab中"));
    EXPECT_EQ(dialog.TxtPass()->text(), QStringLiteral("ab"));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(),
              "Δεν γράφεται: χαρακτήρες που δεν αποθηκεύονται στην ελληνική κωδικοσελίδα.");
    dialog.TxtPass()->clear();
    TypeInto(dialog.TxtPass(), QStringLiteral("abc"));
    TypeInto(dialog.TxtPassOK(), QStringLiteral("abd"));
    dialog.CmdOK()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.TxtPassOK()->text(), QString());
    ASSERT_EQ(messages.shown.size(), 1u);

    TypeInto(dialog.TxtPassOK(), QStringLiteral("abc"));
    dialog.CmdOK()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.WasAccepted());
    EXPECT_EQ(dialog.Typed(), std::optional<std::string>("abc"));
}

} // namespace
} // namespace pyrostat
