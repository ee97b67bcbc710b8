#include "studies/gui/StudyCommandsQt.h"

#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/MemoryGrid.h"
#include "workspace/gui/MainWindowCommands.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;

struct MainWindowStandIn {
    test::TestFolder folder;
    ProgramState state;
    MemoryGrid grid;
    QWidget window;
    QLineEdit* title = new QLineEdit(&window);
    QCheckBox* insulation = new QCheckBox(&window);
    test::RecordingMessages messages;
    int generalDataShown = 0;
    MainWindowStandIn() { state.ProgramFolder = folder.WithSlash(); }
};

TEST(StudyCommandsQt, WiredCommandsReachTheTitleBoxAndTheCheckBox) {
    MainWindowStandIn w;
    StudyCommandsQt study(&w.window, w.grid, w.title, w.insulation, w.state, w.messages,
                          [&w] { ++w.generalDataShown; });
    MainWindowCommands commands;
    WireStudyCommands(study, commands);
    ASSERT_TRUE(commands.onNew && commands.onOpen && commands.onSave && commands.onSaveAs &&
                commands.onCloseQuestion);

    // Unchanged since start-up: the window closes without a question.
    EXPECT_TRUE(commands.onCloseQuestion());
    EXPECT_TRUE(w.messages.Empty());

    // A study on disk, opened as the browser would: title and box follow it.
    fs::create_directories(w.folder.Path() / "PYXFiles");
    std::string record(197, '\0');
    record.replace(2, 78, "OPENED" + std::string(72, ' '));
    const float ticked = -1.0f;
    record.replace(181, 4, reinterpret_cast<const char*>(&ticked), 4);
    const std::string path = w.folder.WithSlash() + "PYXFiles/q.pyx";
    test::WriteAll(path, record);
    ASSERT_TRUE(study.Commands().OpenStudy(path));
    EXPECT_EQ(w.title->text(), QStringLiteral("OPENED"));
    EXPECT_TRUE(w.insulation->isChecked());
    EXPECT_EQ(w.state.CurrentStudyFile, path);

    // Typing in the title box is a change; Cancel in the question keeps the window.
    w.title->setText(QStringLiteral("EDITED"));
    w.messages.AnswerNext(MessageService::Answer::Cancel);
    EXPECT_FALSE(commands.onCloseQuestion());
    // Save with no general data entered in this run: the dialog, then nothing written.
    commands.onSave();
    EXPECT_EQ(w.generalDataShown, 1);
    EXPECT_EQ(test::ReadAll(path), record);

    // New with the edited title unsaved: asked first; No empties the grid.
    w.messages.AnswerNext(MessageService::Answer::No);
    const size_t before = w.messages.shown.size();
    commands.onNew();
    EXPECT_EQ(w.messages.shown.size(), before + 1);
    EXPECT_EQ(w.grid.DataRowCnt(), 0);
    EXPECT_TRUE(w.state.CurrentStudyFile.empty());
    EXPECT_EQ(w.title->text(), QStringLiteral("EDITED"));
}

} // namespace
} // namespace pyrostat
