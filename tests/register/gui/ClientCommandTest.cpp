#include "register/gui/ClientCommand.h"

#include "register/RegisterTestSupport.h"
#include "register/gui/FrmCLPass.h"
#include "register/gui/FrmCLient.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/ProgramState.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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
};

TEST(ClientCommandTest, OpensTheRegisterThroughThePasswordCheck) {
    const std::vector<Case> cases = {
        {"no register: nothing", false, "", "", 0, 0},
        {"unprotected: the window without the dialog", true, "", "", 0, 1},
        {"protected, right password", true, "pw", " pw", 1, 1},
        {"protected, wrong password: nothing more", true, "pw", "px", 1, 0},
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
        EXPECT_TRUE(messages.Empty());
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(folder.File("CLIENTS.MIR"))), c.present);
    }
}

} // namespace
} // namespace pyrostat
