#include "workspace/gui/MainMenu.h"

#include "workspace/RecentStudies.h"
#include "workspace/gui/CommandButtons.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/GridEditing.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace pyrostat {

MainMenu::MainMenu(FrmPyros& window)
    : QObject(&window), window_(window), bar_(new QMenuBar(&window)) {
    bar_->setObjectName(QStringLiteral("MainMenu"));
    CommandButtons& b = window.Buttons();
    const auto click = [](QPushButton* button) { return [button] { button->click(); }; };
    const auto key = [&window](MainCommand command) {
        return [&window, command] { window.RunCommand(command); };
    };
    MainWindowCommands& commands = window.Commands();

    QMenu* file = bar_->addMenu(QStringLiteral("&Αρχείο"));
    Add(file, QStringLiteral("&Νέα μελέτη"), QStringLiteral("Ctrl+N"), click(b.CmdNew));
    Add(file, QStringLiteral("Ά&νοιγμα…"), QString(), [&window] { window.OpenWithDialog(); });
    Add(file, QStringLiteral("&Κατάλογος μελετών…"), QStringLiteral("Ctrl+O"), click(b.CmdOpen));
    recent_ = file->addMenu(QStringLiteral("&Πρόσφατες μελέτες"));
    recent_->setObjectName(QStringLiteral("RecentStudies"));
    connect(file, &QMenu::aboutToShow, this, &MainMenu::FillRecent);
    FillRecent();
    file->addSeparator();
    Add(file, QStringLiteral("&Αποθήκευση"), QStringLiteral("Ctrl+S"), click(b.CmdSave));
    Add(file, QStringLiteral("Αποθήκευση &ως…"), QStringLiteral("Ctrl+Shift+S"),
        key(MainCommand::SaveAs));
    file->addSeparator();
    Add(file, QStringLiteral("&Εισαγωγή πίνακα από αρχείο…"), QString(),
        [&window] { window.ImportTable(); });
    Add(file, QStringLiteral("Κ&τίρια…"), QStringLiteral("Ctrl+B"),
        [&window] { window.Buildings(); });
    Add(file, QStringLiteral("&Βάση ιστορικού…"), QString(), [&window] { window.HistoryStore(); });
    file->addSeparator();
    Add(file, QStringLiteral("Έ&ξοδος"), QStringLiteral("Alt+F4"), [&window] { window.close(); });

    QMenu* edit = bar_->addMenu(QStringLiteral("&Επεξεργασία"));
    undo_ =
        Add(edit, QStringLiteral("&Αναίρεση"), QStringLiteral("Ctrl+Z"), key(MainCommand::Undo));
    redo_ = Add(edit, QStringLiteral("Επ&ανάληψη"), QStringLiteral("Ctrl+Shift+Z"),
                key(MainCommand::Redo));
    connect(edit, &QMenu::aboutToShow, this, &MainMenu::UpdateEditEntries);
    edit->addSeparator();
    Add(edit, QStringLiteral("Α&ντιγραφή"), QStringLiteral("Ctrl+C"), click(b.CmdCopyToClpbrd));
    Add(edit, QStringLiteral("Επι&κόλληση"), QStringLiteral("Ctrl+V"), click(b.CmdPasteFromClpbrd));
    edit->addSeparator();
    Add(edit, QStringLiteral("Εισαγωγή &σειράς"), QString(), click(b.CmdInsert));
    Add(edit, QStringLiteral("&Διαγραφή σειράς"), QString(), click(b.CmdDel));
    edit->addSeparator();
    Add(edit, QStringLiteral("Αποκατάσταση &πλάτους κελλιών"), QStringLiteral("Ctrl+W"),
        click(b.CmdRESETCols));

    QMenu* run = bar_->addMenu(QStringLiteral("&Υπολογισμοί"));
    Add(run, QStringLiteral("&Υπολογισμοί"), QStringLiteral("Ctrl+G"), click(b.CmdGo));
    Add(run, QStringLiteral("&Γενικά στοιχεία έργου…"), QString(), click(b.CmdGData));
    run->addSeparator();
    Add(run, QStringLiteral("&Κατανομή δαπάνης περιόδου…"), QString(),
        [&window] { window.PeriodBilling(); });

    QMenu* print = bar_->addMenu(QStringLiteral("Εκ&τυπώσεις"));
    Add(print, QStringLiteral("&Προεπισκόπηση εκτύπωσης δεδομένων πίνακα"),
        QStringLiteral("Ctrl+R"), click(b.CmdPrevData));
    Add(print, QStringLiteral("&Εκτύπωση δεδομένων πίνακα…"), QStringLiteral("Ctrl+P"),
        click(b.CmdPrintData));
    print->addSeparator();
    Add(print, QStringLiteral("Επιλογή &ονόματος μελετητή…"), QString(), click(b.Cmd_Client));

    QMenu* help = bar_->addMenu(QStringLiteral("&Βοήθεια"));
    Add(help, QStringLiteral("&Εγχειρίδιο"), QStringLiteral("F1"), click(b.CmdManual));
    Add(help, QStringLiteral("&Πληροφορίες για το πρόγραμμα…"), QString(), [&commands] {
        if (commands.onVersionBox) {
            commands.onVersionBox();
        }
    });
    UpdateEditEntries();
}

QAction* MainMenu::Add(QMenu* menu, const QString& text, const QString& keys,
                       const std::function<void()>& run) {
    // The key is shown after a tab, not taken as a shortcut: the window's own
    // key map already runs it, and a second binding would run it twice.
    QAction* action = menu->addAction(keys.isEmpty() ? text : text + QLatin1Char('\t') + keys);
    connect(action, &QAction::triggered, this, [run] { run(); });
    return action;
}

QList<QAction*> MainMenu::Entries() const {
    QList<QAction*> entries;
    for (QAction* top : bar_->actions()) {
        if (QMenu* menu = top->menu()) {
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator() && action->menu() == nullptr) {
                    entries << action;
                }
            }
        }
    }
    return entries;
}

void MainMenu::UpdateEditEntries() {
    const GridEditing& editing = window_.Editing();
    const QString undoStep = editing.UndoText();
    const QString redoStep = editing.RedoText();
    undo_->setText((undoStep.isEmpty() ? QStringLiteral("&Αναίρεση")
                                       : QStringLiteral("&Αναίρεση: ") + undoStep) +
                   QStringLiteral("\tCtrl+Z"));
    redo_->setText((redoStep.isEmpty() ? QStringLiteral("Επ&ανάληψη")
                                       : QStringLiteral("Επ&ανάληψη: ") + redoStep) +
                   QStringLiteral("\tCtrl+Shift+Z"));
    undo_->setEnabled(editing.CanUndo());
    redo_->setEnabled(editing.CanRedo());
}

void MainMenu::FillRecent() {
    recent_->clear();
    MainWindowCommands& commands = window_.Commands();
    const std::vector<std::string> paths =
        commands.recentStudies ? commands.recentStudies() : std::vector<std::string>{};
    for (size_t i = 0; i < paths.size(); ++i) {
        QAction* action =
            recent_->addAction(QString::fromStdString(RecentStudyMenuText(i, paths[i])));
        action->setToolTip(QString::fromStdString(paths[i]));
        const std::string path = paths[i];
        connect(action, &QAction::triggered, this, [this, path] { window_.OpenRecent(path); });
    }
    recent_->setEnabled(!paths.empty());
}

} // namespace pyrostat
