#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace pyrostat {

class FrmPyros;

// The main window's menu bar in Greek. Every entry runs the same command as
// its button or key (through the window, so an open cell editor is committed
// first), shows its key, and is disabled while it cannot act.
class MainMenu : public QObject {
    Q_OBJECT

public:
    explicit MainMenu(FrmPyros& window);

    QMenuBar* Bar() const { return bar_; }
    QAction* Undo() const { return undo_; }
    QAction* Redo() const { return redo_; }
    QMenu* Recent() const { return recent_; }
    // Every entry, for tests that walk the menus.
    QList<QAction*> Entries() const;

private:
    QAction* Add(QMenu* menu, const QString& text, const QString& keys,
                 const std::function<void()>& run);
    void UpdateEditEntries();
    void FillRecent();

    FrmPyros& window_;
    QMenuBar* bar_;
    QMenu* recent_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};

} // namespace pyrostat
