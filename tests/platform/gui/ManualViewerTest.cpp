#include "platform/ManualLauncher.h"
#include "platform/gui/ManualViewerProcess.h"
#include "platform/gui/OpenManualKey.h"
#include "program/ProgramState.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::RecordingMessages;
using test::TestFolder;
using test::WriteAll;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Waits until the log has at least `count` lines, then a little longer so
// that an unwanted further viewer would have shown up too.
std::vector<std::string> WaitForLines(const std::string& log, size_t count) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000 && Lines(ReadAll(log)).size() < count) {
        QThread::msleep(20);
    }
    QThread::msleep(300);
    return Lines(ReadAll(log));
}

// A program folder with a stand-in viewer that notes its process id, its
// working folder and its arguments, one line per start.
class ManualViewerTest : public ::testing::Test {
protected:
    ManualViewerTest() {
        state.ProgramFolder = folder.WithSlash();
        viewer = tools.File("viewer.sh");
        log = tools.File("viewer.log");
        WriteAll(viewer, "#!/bin/sh\necho \"$$|$(pwd)|$*\" >> '" + log + "'\n");
        std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    }

    void PressF1(QWidget* target) {
        QKeyEvent shortcut(QEvent::ShortcutOverride, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(target, &shortcut);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }

    TestFolder folder;
    TestFolder tools;
    ProgramState state;
    std::string viewer;
    std::string log;
    RecordingMessages messages;
    ManualViewerProcess process;
};

TEST_F(ManualViewerTest, F1StartsExactlyOneViewerInTheProgramFolder) {
    WriteAll(folder.File("Pyrostat.pdf"), "%PDF-1.4\n");
    ManualLauncher launcher(state, process, messages, viewer);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QLineEdit(&window);
    layout->addWidget(box);
    OpenManualKey key(launcher, &window);

    PressF1(box); // the key reaches the control that has the focus
    const std::vector<std::string> lines = WaitForLines(log, 1);
    ASSERT_EQ(lines.size(), 1u) << ReadAll(log);
    const std::string expected = "|" + std::filesystem::canonical(folder.Path()).string() + "|" +
                                 folder.File("Pyrostat.pdf");
    EXPECT_NE(lines[0].find(expected), std::string::npos) << lines[0];
    EXPECT_TRUE(messages.Empty());
    EXPECT_TRUE(box->text().isEmpty()) << "the key goes no further";
}

TEST_F(ManualViewerTest, F1InAnotherWindowIsNotTaken) {
    WriteAll(folder.File("Pyrostat.pdf"), "%PDF-1.4\n");
    ManualLauncher launcher(state, process, messages, viewer);
    QWidget mine;
    QWidget other;
    OpenManualKey key(launcher, &mine);
    PressF1(&other);
    EXPECT_TRUE(WaitForLines(log, 0).empty());
}

TEST_F(ManualViewerTest, AMissingManualDoesNothing) {
    ManualLauncher launcher(state, process, messages, viewer);
    EXPECT_FALSE(launcher.OpenManual());
    EXPECT_TRUE(WaitForLines(log, 0).empty());
    EXPECT_TRUE(messages.Empty());
}

TEST_F(ManualViewerTest, AViewerThatCannotStartIsReportedInGreek) {
    WriteAll(folder.File("Pyrostat.pdf"), "%PDF-1.4\n");
    const std::string missing = tools.File("no-such-viewer");
    ManualLauncher launcher(state, process, messages, missing);
    EXPECT_FALSE(launcher.OpenManual());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().title, "!! ΠΡΟΣΟΧΗ !!");
    EXPECT_NE(messages.Last().prompt.find("Εγχειρίδιο"), std::string::npos);
    EXPECT_NE(messages.Last().prompt.find(missing), std::string::npos);
    EXPECT_EQ(messages.beeps, 2);
}

TEST(ManualViewerCommand, OverrideOrTheDesktopOpener) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {nullptr, "xdg-open"},
        {"", "xdg-open"},
        {"/usr/bin/evince", "/usr/bin/evince"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ManualLauncher::ViewerCommand(value), expected);
    }
}

// With no program for PDF files on the desktop, xdg-open would start and fail
// where nobody sees it: F1 says so instead of doing nothing.
TEST(ManualViewer, ADesktopWithoutAPdfViewerIsTold) {
    TestFolder bin;
    const std::string marker = bin.File("opened");
    WriteAll(bin.File("xdg-mime"), "#!/bin/sh\nexit 0\n"); // no default for PDF
    WriteAll(bin.File("xdg-open"), "#!/bin/sh\ntouch " + marker + "\n");
    std::filesystem::permissions(bin.File("xdg-mime"), std::filesystem::perms::owner_all);
    std::filesystem::permissions(bin.File("xdg-open"), std::filesystem::perms::owner_all);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.Path().string()) + ":" + oldPath);

    TestFolder home;
    WriteAll(home.File("Pyrostat.pdf"), "%PDF-1.4");
    ProgramState state;
    state.ProgramFolder = home.WithSlash();
    RecordingMessages messages;
    ManualViewerProcess viewer;
    ManualLauncher launcher(state, viewer, messages, bin.File("xdg-open"));
    EXPECT_FALSE(launcher.OpenManual());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.Last().prompt.find("Πρόγραμμα Προβολής PDF"), std::string::npos);

    // With a viewer named, it starts.
    WriteAll(bin.File("xdg-mime"), "#!/bin/sh\necho evince.desktop\n");
    EXPECT_TRUE(launcher.OpenManual());
    QElapsedTimer timer;
    timer.start();
    while (!std::filesystem::exists(marker) && timer.elapsed() < 30000) {
        QThread::msleep(20);
    }
    EXPECT_TRUE(std::filesystem::exists(marker));
    qputenv("PATH", oldPath);
}

} // namespace
} // namespace pyrostat
