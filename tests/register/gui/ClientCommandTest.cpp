#include "register/gui/ClientCommand.h"

#include "program/ProgramState.h"
#include "register/RegisterTestSupport.h"
#include "register/gui/FrmCLPass.h"
#include "register/gui/FrmCLient.h"
#include "register/gui/QtPasswordDialog.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <sys/stat.h>

namespace pyrostat {
namespace {

// Acts on the modal windows as they come up: types the password into the
// password dialog, notes and leaves the register window.
class ModalDriver {
public:
    explicit ModalDriver(QString password) : password_(std::move(password)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
        timer_.start();
    }
    int passwordDialogs = 0;
    int registerWindows = 0;

private:
    void Step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* pass = qobject_cast<FrmCLPass*>(modal)) {
            ++passwordDialogs;
            pass->TxtPass()->setText(password_);
            pass->CmdOK()->click();
        } else if (auto* window = qobject_cast<FrmCLient*>(modal)) {
            ++registerWindows;
            window->Cmd_Exit()->click();
        }
    }
    QString password_;
    QTimer timer_;
};

struct Case {
    const char* what;
    bool present;
    std::string stored;
    QString typed;
    int dialogs;
    int windows;
    bool told; // «λάθος κωδικός»
};

TEST(ClientCommandTest, OpensTheRegisterThroughThePasswordCheck) {
    const std::vector<Case> cases = {
        {"no register: nothing", false, "", "", 0, 0, false},
        {"unprotected: the window without the dialog", true, "", "", 0, 1, false},
        {"protected, right password", true, "pw", " pw", 1, 1, false},
        {"protected, wrong password: told, no window", true, "pw", "px", 1, 0, true},
        {"protected, nothing typed: no window, nothing to tell", true, "pw", "", 1, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestFolder folder;
        ProgramState state;
        state.ProgramFolder = folder.WithSlash();
        test::RecordingMessages messages;
        if (c.present) {
            test::WriteAll(folder.File("CLIENTS.MIR"), test::IndependentRegister({"A"}, c.stored));
        }
        ModalDriver driver(c.typed);
        RunClientCommand(nullptr, state, messages);
        EXPECT_EQ(driver.passwordDialogs, c.dialogs);
        EXPECT_EQ(driver.registerWindows, c.windows);
        EXPECT_EQ(messages.shown.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_NE(messages.Last().prompt.find("λάθος κωδικός"), std::string::npos);
        }
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(folder.File("CLIENTS.MIR"))), c.present);
    }
}

// A folder or a FIFO where the register belongs: the button says so by name
// instead of doing nothing, and opens no window.
TEST(ClientCommandTest, ARegisterThatIsNotAFileIsToldByName) {
    for (const bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "FIFO" : "folder");
        test::TestFolder folder;
        ProgramState state;
        state.ProgramFolder = folder.WithSlash();
        test::RecordingMessages messages;
        if (fifo) {
            ASSERT_EQ(::mkfifo(folder.File("CLIENTS.MIR").c_str(), 0644), 0);
        } else {
            std::filesystem::create_directory(folder.File("CLIENTS.MIR"));
        }
        ModalDriver driver("");
        RunClientCommand(nullptr, state, messages);
        EXPECT_EQ(driver.passwordDialogs + driver.registerWindows, 0);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.Last().prompt.find("CLIENTS.MIR"), std::string::npos);
        EXPECT_NE(messages.Last().prompt.find(fifo ? "δεν είναι κανονικό αρχείο" : "είναι φάκελος"),
                  std::string::npos)
            << messages.Last().prompt;
    }
}

// Enter on the focused O.K. of the password dialog presses it.
TEST(ClientCommandTest, EnterOnTheFocusedOkPressesIt) {
    test::TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    test::WriteAll(folder.File("CLIENTS.MIR"), test::IndependentRegister({"A"}, "pw"));
    test::RecordingMessages messages;
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        FrmCLPass dialog(PasswordAsk::Register, messages);
        int presses = 0;
        QObject::connect(dialog.CmdOK(), &QPushButton::clicked, [&] { ++presses; });
        dialog.show();
        dialog.CmdOK()->setFocus();
        QKeyEvent press(QEvent::KeyPress, key,
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QApplication::sendEvent(dialog.CmdOK(), &press);
        EXPECT_EQ(presses, 1);
    }
    // And on the register window's focused buttons.
    QtPasswordDialog passwords(messages, nullptr);
    FrmCLient window(state, messages, passwords, nullptr);
    window.show();
    int accepted = 0;
    QObject::connect(window.Cmd_OK(), &QPushButton::clicked, [&] { ++accepted; });
    window.Cmd_OK()->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.Cmd_OK(), &press);
    EXPECT_EQ(accepted, 1);
}

} // namespace
} // namespace pyrostat
