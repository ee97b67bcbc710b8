#include "workspace/gui/CommandButtons.h"

#include <QPushButton>

namespace pyrostat {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

CommandButtons::CommandButtons(QWidget* parent)
    : QObject(parent), CmdNew(MakeButton(parent, "CmdNew", " ΝΕΑ ΜΕΛΕΤΗ ", "Ctrl+N")),
      CmdOpen(MakeButton(parent, "CmdOpen", " ΑΝΑΚΛΗΣΗ ΑΡΧΕΙΟΥ ΠΑΛΑΙΩΝ ΔΕΔΟΜΕΝΩΝ ", "Ctrl+O")),
      CmdSave(MakeButton(parent, "CmdSave", " ΔΗΜΙΟΥΡΓΙΑ ΑΡΧΕΙΟΥ ΔΕΔΟΜΕΝΩΝ ",
                         "Ctrl+S  (Ctrl+Shift+S: με άλλο όνομα)")),
      CmdGData(MakeButton(parent, "CmdGData", " ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΕΡΓΟΥ ", "")),
      CmdGo(MakeButton(parent, "CmdGo", "ΥΠΟΛΟΓΙΣΜΟΙ", "Ctrl+Y, Ctrl+G")),
      CmdPrevData(
          MakeButton(parent, "CmdPrevData", " ΠΡΟΕΠΙΣΚΟΠΗΣΗ ΕΚΤΥΠΩΣΗΣ ΔΕΔΟΜΕΝΩΝ ΠΙΝΑΚΑ", "Ctrl+R")),
      CmdPrintData(MakeButton(parent, "CmdPrintData", " ΕΚΤΥΠΩΣΗ ΔΕΔΟΜΕΝΩΝ ΠΙΝΑΚΑ", "Ctrl+P")),
      CmdInsert(MakeButton(parent, "CmdInsert", " ΠΡΟΣΘΗΚΗ ΣΕΙΡΑΣ (Insert Row) ", "")),
      CmdDel(MakeButton(parent, "CmdDel", " ΔΙΑΓΡΑΦΗ ΣΕΙΡΑΣ (Delete Row) ", "")),
      CmdCopyToClpbrd(
          MakeButton(parent, "CmdCopyToClpbrd", " COPY-TO-CLIPBOARD ", "Ctrl+C, Ctrl+Insert")),
      CmdPasteFromClpbrd(MakeButton(parent, "CmdPasteFromClpbrd", " PASTE-FROM-CLIPBOARD ",
                                    "Ctrl+V, Shift+Insert")),
      CmdRESETCols(MakeButton(parent, "CmdRESETCols", " ΑΠΟΚΑΤΑΣΤΑΣΗ ΠΛΑΤΟΥΣ ΚΕΛΛΙΩΝ ", "Ctrl+W")),
      Cmd_Client(MakeButton(parent, "Cmd_Client", " ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ", "")),
      CmdManual(MakeButton(parent, "CmdManual", " Εγχειρίδιο Προγράμματος ", "F1")) {}

std::vector<QPushButton*> CommandButtons::All() const {
    return {CmdNew,
            CmdOpen,
            CmdSave,
            CmdGData,
            CmdGo,
            CmdPrevData,
            CmdPrintData,
            CmdInsert,
            CmdDel,
            CmdCopyToClpbrd,
            CmdPasteFromClpbrd,
            CmdRESETCols,
            Cmd_Client,
            CmdManual};
}

} // namespace pyrostat
