#include "studies/gui/FrmOpenSave.h"

#include "program/ProgramState.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;

// A study file whose first record carries an ASCII title.
std::string StudyWithTitle(const std::string& title) {
    std::string record(197, '\0');
    record.replace(2, 78, title + std::string(78 - title.size(), ' '));
    return record;
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class FrmOpenSaveTest : public ::testing::Test {
protected:
    FrmOpenSaveTest() {
        state.ProgramFolder = folder.WithSlash();
        fs::create_directories(Studies());
    }
    std::string Studies() const { return folder.WithSlash() + "PYXFiles/"; }
    void AddStudy(const std::string& name, const std::string& title) {
        test::WriteAll(Studies() + name, StudyWithTitle(title));
    }
    std::vector<std::string> Lines(const FrmOpenSave& window) const {
        std::vector<std::string> lines;
        for (int i = 0; i < window.LstStudies()->count(); ++i) {
            lines.push_back(window.LstStudies()->item(i)->text().toStdString());
        }
        return lines;
    }
    FrmOpenSave* Make() {
        window = std::make_unique<FrmOpenSave>(
            state, [this](const std::string& path) { opened.push_back(path); });
        return window.get();
    }

    test::TestFolder folder;
    ProgramState state;
    std::vector<std::string> opened;
    std::unique_ptr<FrmOpenSave> window;
};

TEST_F(FrmOpenSaveTest, ListsTheStudiesByFileNameWithTheirCount) {
    AddStudy("c.pyx", "THIRD");
    AddStudy("a.pyx", "FIRST");
    AddStudy("b.pyx", "SECOND");
    FrmOpenSave* w = Make();
    w->show();
    EXPECT_EQ(Lines(*w), (std::vector<std::string>{"FIRST", "SECOND", "THIRD"}));
    EXPECT_EQ(w->LblNumber()->text(), QStringLiteral("3"));
    EXPECT_EQ(w->windowTitle(), QString());
    EXPECT_EQ(w->LblFilePath()->text().toStdString(), Studies());
    EXPECT_EQ(w->LblFileName()->text(), QString());
    EXPECT_EQ(w->CmdClassic()->toolTip(), QStringLiteral(" Λίστα ΑΡΧΕΙΩΝ "));
    EXPECT_EQ(fs::file_size(folder.File("Studies.std")), 3u * 526u);
}

TEST_F(FrmOpenSaveTest, DoubleClickOpensThatStudy) {
    AddStudy("a.pyx", "FIRST");
    AddStudy("b.pyx", "SECOND");
    FrmOpenSave* w = Make();
    w->show();
    QWidget* viewport = w->LstStudies()->viewport();
    const QPoint at = w->LstStudies()->visualItemRect(w->LstStudies()->item(0)).center();
    Mouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    Mouse(viewport, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(opened, std::vector<std::string>{Studies() + "a.pyx"});
    EXPECT_FALSE(w->isVisible());
}

TEST_F(FrmOpenSaveTest, EscClosesWithoutOpeningAndClassicLeavesForTheDialog) {
    AddStudy("a.pyx", "FIRST");
    {
        FrmOpenSave* w = Make();
        w->show();
        w->LstStudies()->setCurrentRow(0);
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w->LstStudies(), &esc);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_TRUE(opened.empty());
        EXPECT_FALSE(w->ClassicChosen());
    }
    FrmOpenSave* w = Make();
    w->show();
    w->CmdClassic()->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->ClassicChosen());
    EXPECT_TRUE(opened.empty());
}

TEST_F(FrmOpenSaveTest, ActivationClearsTheSelection) {
    AddStudy("a.pyx", "FIRST");
    FrmOpenSave* w = Make();
    w->show();
    w->LstStudies()->setCurrentRow(0);
    EXPECT_EQ(w->LblFileName()->text(), QStringLiteral("a.pyx"));
    w->Activate();
    EXPECT_EQ(w->LstStudies()->currentRow(), -1);
    EXPECT_EQ(w->LblFileName()->text(), QString());
    EXPECT_EQ(w->LblFileDate()->text(), QString());
    EXPECT_EQ(w->LblFilePath()->text().toStdString(), Studies());
    w->CmdOpenSave()->click();
    EXPECT_TRUE(opened.empty());
}

// Coming back to the program from another application keeps the line the
// user chose: only opening the window resets it.
TEST_F(FrmOpenSaveTest, ReactivationKeepsTheChosenLine) {
    AddStudy("a.pyx", "FIRST");
    AddStudy("b.pyx", "SECOND");
    FrmOpenSave* w = Make();
    w->show();
    QEvent first(QEvent::WindowActivate);
    QApplication::sendEvent(w, &first);
    w->LstStudies()->setCurrentRow(1);
    EXPECT_EQ(w->LblFileName()->text(), QStringLiteral("b.pyx"));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(w, &deactivate);
    QEvent again(QEvent::WindowActivate);
    QApplication::sendEvent(w, &again);
    EXPECT_EQ(w->LstStudies()->currentRow(), 1);
    EXPECT_EQ(w->LblFileName()->text(), QStringLiteral("b.pyx"));
}

} // namespace
} // namespace pyrostat
