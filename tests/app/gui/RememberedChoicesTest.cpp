// What the program keeps from one run to the next, and the caption and status
// bar of the wired main window.

#include "app/gui/ProgramWiring.h"
#include "billing/HistoryStore.h"
#include "platform/gui/QtChoicesStore.h"
#include "studies/GeneralDataFile.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/gui/CommandButtons.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;

TEST(QtChoicesStore, KeepsTheChoicesAndStartsAsAlwaysWithoutThem) {
    test::TestFolder folder;
    const QString path = QString::fromStdString(folder.File("config/pyrostat.conf"));
    QtChoicesStore store(path);
    EXPECT_FALSE(store.Load()); // no file yet

    RememberedChoices choices;
    choices.engineer = "Γ. Παπαδόπουλος, Μηχανολόγος Μηχανικός";
    choices.recentStudies = {"/home/m/Αιόλου 12.pyx", "/home/m/b.pyx"};
    choices.windowGeometry = QByteArray("\x01\x02geometry").toBase64().toStdString();
    choices.openFolder = "/home/m/Μελέτες";
    choices.saveFolder = "/home/m";
    ASSERT_TRUE(store.Save(choices));
    const std::optional<RememberedChoices> loaded = QtChoicesStore(path).Load();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->engineer, choices.engineer);
    EXPECT_EQ(loaded->recentStudies, choices.recentStudies);
    EXPECT_EQ(loaded->windowGeometry, choices.windowGeometry);
    EXPECT_EQ(loaded->openFolder, choices.openFolder);
    EXPECT_EQ(loaded->saveFolder, choices.saveFolder);

    // A damaged file, one that is not ours, or a folder in its place: as always.
    test::WriteAll(path.toStdString(), std::string("\x00\xff[[[=\n", 7));
    EXPECT_FALSE(QtChoicesStore(path).Load());
    test::WriteAll(path.toStdString(), "[General]\nengineer=someone\n");
    EXPECT_FALSE(QtChoicesStore(path).Load());
    fs::remove(path.toStdString());
    fs::create_directory(path.toStdString());
    EXPECT_FALSE(QtChoicesStore(path).Load());
}

// One run of the program's window on a given program folder, with its
// settings under the test's own config folder.
struct ProgramRun {
    explicit ProgramRun(const test::TestFolder& folder) {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.File("config")));
        state.ProgramFolder = folder.WithSlash() + "home/";
        fs::create_directories(state.ProgramFolder + "PYXFiles");
        window = std::make_unique<FrmPyros>(state, messages, clipboard);
        window->SetLocale(QLocale(QLocale::Greek, QLocale::Greece));
        WireProgram(*window, state, messages);
        EXPECT_TRUE(window->Load());
        window->show();
        QApplication::processEvents(); // the start-up steps after the window is up
    }
    ~ProgramRun() {
        if (window->isVisible()) {
            window->Commands().onCloseQuestion = nullptr;
            window->close();
        }
    }
    std::string Study(const std::string& name) const {
        return state.ProgramFolder + "PYXFiles/" + name;
    }

    ProgramState state;
    test::RecordingMessages messages;
    MemoryClipboard clipboard;
    std::unique_ptr<FrmPyros> window;
};

// The history's connection lives in the same file: the windows' choices
// never drop it, and the command line reads what Qt wrote, quotes and all.
TEST(QtChoicesStore, TheHistorysConnectionStaysAndReadsAlikeOnTheCommandLine) {
    test::TestFolder folder;
    const std::string path = folder.File("config/pyrostat.conf");
    fs::create_directories(folder.File("config"));
    test::WriteAll(path, "[General]\ndatabase=host=office.lan dbname=pyrostat user=desk\n");
    EXPECT_FALSE(QtChoicesStore(QString::fromStdString(path)).Load()); // no choices yet
    RememberedChoices choices;
    choices.engineer = "Μ. Ιωάννου";
    ASSERT_TRUE(QtChoicesStore(QString::fromStdString(path)).Save(choices));
    EXPECT_EQ(QtChoicesStore(QString::fromStdString(path)).Load()->engineer, "Μ. Ιωάννου");
    EXPECT_EQ(SettingsValue(test::ReadAll(path), "database"),
              "host=office.lan dbname=pyrostat user=desk");

    for (const char* connection :
         {"host=office.lan dbname=pyrostat user=desk", "postgresql://desk@office.lan/pyrostat",
          "service=γραφείο", "host=office.lan application_name='a;b, c' sslmode=require",
          " host=office.lan "}) {
        {
            QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
            settings.setValue(QStringLiteral("database"), QString::fromUtf8(connection));
        }
        EXPECT_EQ(SettingsValue(test::ReadAll(path), "database"), connection)
            << test::ReadAll(path);
    }
}

TEST(RememberedChoices, TheEngineerRecentStudiesAndGeometrySurviveARestart) {
    test::TestFolder folder;
    std::string study;
    QSize size;
    {
        ProgramRun first(folder);
        EXPECT_TRUE(first.window->Commands().recentStudies().empty());
        // A saved study, then the engineer chosen in the register.
        first.window->Grid().SetCellText(1, 1, "Α1");
        first.state.Employer = "Ε";
        first.state.Project = "Π";
        first.state.Location = "Θ";
        test::WriteAll(first.state.InProgramFolder("Thema.tmp"),
                       FormatGeneralData({"Ε", "Π", "Θ"}));
        study = first.Study("Αιόλου.pyx");
        first.state.CurrentStudyFile = study;
        first.window->Commands().onSave();
        ASSERT_TRUE(fs::exists(study));
        first.state.ChosenEngineer = "Γ. Παπαδόπουλος";
        first.window->resize(1300, 760);
        size = first.window->size();
        first.window->close();
    }
    ProgramRun second(folder);
    EXPECT_EQ(second.state.ChosenEngineer, "Γ. Παπαδόπουλος");
    EXPECT_EQ(second.window->Commands().recentStudies(), std::vector<std::string>{study});
    EXPECT_EQ(second.window->size(), size);
    // Opened from the list, as the menu does.
    second.window->Commands().onOpenRecent(study);
    EXPECT_EQ(second.window->Grid().CellText(1, 1), "Α1");
    EXPECT_TRUE(
        second.window->StatusBar()->currentMessage().contains(QStringLiteral("(1 ιδιοκτησία)")));

    // A study that has gone is dropped with a message.
    fs::remove(study);
    second.window->Commands().onOpenRecent(study);
    ASSERT_FALSE(second.messages.Empty());
    EXPECT_NE(second.messages.Last().prompt.find("δεν υπάρχει"), std::string::npos);
    EXPECT_TRUE(second.window->Commands().recentStudies().empty());
}

TEST(RememberedChoices, TheCaptionCarriesTheMarkUntilTheSave) {
    test::TestFolder folder;
    ProgramRun run(folder);
    EXPECT_FALSE(run.window->isWindowModified());
    run.window->Grid().SetCellText(2, 5, "80");
    QApplication::processEvents(); // the caption follows once the edit's event is over
    EXPECT_TRUE(run.window->isWindowModified());
    test::WriteAll(run.state.InProgramFolder("Thema.tmp"), FormatGeneralData({"Ε", "Π", "Θ"}));
    run.state.Employer = "Ε";
    run.state.Project = "Π";
    run.state.Location = "Θ";
    run.state.CurrentStudyFile = run.Study("mark.pyx");
    run.window->Buttons().CmdSave->click();
    EXPECT_FALSE(run.window->isWindowModified());
    EXPECT_TRUE(run.window->windowTitle().endsWith(QStringLiteral("mark.pyx[*]")));
    EXPECT_TRUE(run.window->StatusBar()->currentMessage().contains(
        QString::fromStdString(run.Study("mark.pyx"))));
}

} // namespace
} // namespace pyrostat
