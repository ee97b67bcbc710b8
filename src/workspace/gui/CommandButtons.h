#pragma once

#include <QObject>

#include <vector>

class QPushButton;
class QWidget;

namespace pyrostat {

// The main window's command buttons with their captions, made once and laid
// out by the window.
class CommandButtons : public QObject {
    Q_OBJECT

public:
    explicit CommandButtons(QWidget* parent);

    QPushButton* CmdNew;
    QPushButton* CmdOpen;
    QPushButton* CmdSave;
    QPushButton* CmdGData;
    QPushButton* CmdGo;
    QPushButton* CmdPrevData;
    QPushButton* CmdPrintData;
    QPushButton* CmdInsert;
    QPushButton* CmdDel;
    QPushButton* CmdCopyToClpbrd;
    QPushButton* CmdPasteFromClpbrd;
    QPushButton* CmdRESETCols;
    QPushButton* Cmd_Client;
    QPushButton* CmdManual;

    std::vector<QPushButton*> All() const;
};

} // namespace pyrostat
