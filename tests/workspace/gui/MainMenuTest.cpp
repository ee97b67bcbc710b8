// The menu bar: every entry runs the same command as its button or key, shows
// its key, and Undo and Redo name their step.

#include "workspace/gui/MainMenu.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/GridEditing.h"
#include "workspace/gui/fpSpread1.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace pyrostat {
namespace {

struct MenuWindow {
    MenuWindow() {
        state.ProgramFolder = folder.WithSlash();
        window = std::make_unique<FrmPyros>(state, messages, clipboard);
        window->SetLocale(QLocale(QLocale::Greek, QLocale::Greece));
        MainWindowCommands& c = window->Commands();
        const auto count = [this](const char* name) { return [this, name] { ++calls[name]; }; };
        c.onNew = count("new");
        c.onOpen = count("browser");
        c.onOpenFile = count("open dialog");
        c.onImportTable = count("import table");
        c.onSave = count("save");
        c.onSaveAs = count("save as");
        c.onGData = count("general data");
        c.onGo = count("calculation");
        c.onPrevData = count("preview data");
        c.onPrintData = count("print data");
        c.onClient = count("register");
        c.onManual = count("manual");
        c.onVersionBox = count("version box");
        c.recentStudies = [] {
            return std::vector<std::string>{"/a/one.pyx", "/b/two & three.pyx"};
        };
        c.onOpenRecent = [this](const std::string& path) { opened.push_back(path); };
        EXPECT_TRUE(window->Load());
        window->show();
    }
    QAction* Entry(const QString& startsWith) {
        for (QAction* action : window->Menu().Entries()) {
            if (action->text().remove(QLatin1Char('&')).startsWith(startsWith)) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << startsWith.toStdString();
        return nullptr;
    }

    test::TestFolder folder;
    ProgramState state;
    test::RecordingMessages messages;
    MemoryClipboard clipboard;
    std::unique_ptr<FrmPyros> window;
    std::map<std::string, int> calls;
    std::vector<std::string> opened;
};

TEST(MainMenu, EveryEntryRunsTheCommandOfItsButtonOrKey) {
    MenuWindow w;
    const std::pair<const char*, const char*> entries[] = {
        {"Νέα μελέτη\tCtrl+N", "new"},
        {"Άνοιγμα…", "open dialog"},
        {"Κατάλογος μελετών…\tCtrl+O", "browser"},
        {"Αποθήκευση\tCtrl+S", "save"},
        {"Αποθήκευση ως…\tCtrl+Shift+S", "save as"},
        {"Εισαγωγή πίνακα από αρχείο…", "import table"},
        {"Υπολογισμοί\tCtrl+G", "calculation"},
        {"Γενικά στοιχεία έργου…", "general data"},
        {"Προεπισκόπηση εκτύπωσης δεδομένων πίνακα\tCtrl+R", "preview data"},
        {"Εκτύπωση δεδομένων πίνακα…\tCtrl+P", "print data"},
        {"Επιλογή ονόματος μελετητή…", "register"},
        {"Εγχειρίδιο\tF1", "manual"},
        {"Πληροφορίες για το πρόγραμμα…", "version box"},
    };
    for (const auto& [text, command] : entries) {
        SCOPED_TRACE(text);
        QAction* action = w.Entry(QString::fromUtf8(text));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text().remove(QLatin1Char('&')), QString::fromUtf8(text));
        const int before = w.calls[command];
        action->trigger();
        EXPECT_EQ(w.calls[command], before + 1);
    }
    // The editing entries work on the grid as their buttons do.
    w.window->Grid().SetCellText(1, 1, "Α1");
    w.window->Grid().selectionModel()->setCurrentIndex(w.window->Grid().model()->index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect);
    w.Entry(QStringLiteral("Εισαγωγή σειράς"))->trigger();
    EXPECT_EQ(w.window->Grid().CellText(2, 1), "Α1");
    w.Entry(QStringLiteral("Διαγραφή σειράς"))->trigger();
    EXPECT_EQ(w.window->Grid().CellText(1, 1), "Α1");
    // A recent study runs its own command with its path.
    QMenu* recent = w.window->Menu().Recent();
    emit w.window->Menu().Bar()->actions().first()->menu()->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[1]->text(), QStringLiteral("&2  two && three.pyx   (/b)"));
    recent->actions()[1]->trigger();
    EXPECT_EQ(w.opened, std::vector<std::string>{"/b/two & three.pyx"});
}

TEST(MainMenu, UndoAndRedoNameTheirStepAndAreDisabledWithNone) {
    MenuWindow w;
    MainMenu& menu = w.window->Menu();
    QMenu* edit = menu.Undo()->associatedObjects().isEmpty()
                      ? nullptr
                      : qobject_cast<QMenu*>(menu.Undo()->associatedObjects().first());
    ASSERT_NE(edit, nullptr);
    emit edit->aboutToShow();
    EXPECT_FALSE(menu.Undo()->isEnabled());
    EXPECT_FALSE(menu.Redo()->isEnabled());

    w.clipboard.SetText("Α1\t100\r\n");
    w.window->Grid().selectionModel()->setCurrentIndex(w.window->Grid().model()->index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect);
    w.Entry(QStringLiteral("Επικόλληση"))->trigger();
    EXPECT_EQ(w.window->Grid().CellText(1, 2), "100,00");
    emit edit->aboutToShow();
    EXPECT_TRUE(menu.Undo()->isEnabled());
    EXPECT_EQ(menu.Undo()->text().remove(QLatin1Char('&')),
              QStringLiteral("Αναίρεση: Επικόλληση\tCtrl+Z"));
    menu.Undo()->trigger();
    EXPECT_EQ(w.window->Grid().CellText(1, 2), "");
    emit edit->aboutToShow();
    EXPECT_FALSE(menu.Undo()->isEnabled());
    EXPECT_EQ(menu.Redo()->text().remove(QLatin1Char('&')),
              QStringLiteral("Επανάληψη: Επικόλληση\tCtrl+Shift+Z"));
}

// The caption: the program's, then the study file's name, and the mark of
// unsaved changes while there are any.
TEST(MainMenu, TheCaptionShowsTheStudyAndItsMark) {
    MenuWindow w;
    w.window->ShowStudy("/studies/Αιόλου 12.pyx", true);
    EXPECT_TRUE(w.window->windowTitle().endsWith(QStringLiteral("Αιόλου 12.pyx[*]")));
    EXPECT_TRUE(w.window->isWindowModified());
    w.window->ShowStudy("/studies/Αιόλου 12.pyx", false);
    EXPECT_FALSE(w.window->isWindowModified());
    w.window->ShowStudy("", false);
    EXPECT_EQ(w.window->windowTitle(), FrmPyros::Caption() + QStringLiteral("[*]"));
}

// Every listed kind and pipe text, and the largest number in the wider number
// columns, show whole at the layout's widths.
TEST(MainMenu, ColumnsShowTheirListedTextsWhole) {
    MenuWindow w;
    fpSpread1& grid = w.window->Grid();
    const QFontMetricsF metrics(grid.font());
    for (const int col : {10, 11}) {
        for (const std::string& text : ListTexts(col)) {
            EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(text)) + 4,
                      grid.columnWidth(col - 1))
                << text;
        }
    }
    for (int col = 2; col <= 9; ++col) {
        if (ColumnWidths()[static_cast<size_t>(col - 1)] >= 8) {
            EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("99999999,99")) + 4,
                      grid.columnWidth(col - 1))
                << "column " << col;
        }
    }
}

} // namespace
} // namespace pyrostat
