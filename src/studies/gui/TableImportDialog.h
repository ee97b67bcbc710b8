#pragma once

#include "studies/TableImport.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace pyrostat {

// The preview of a property table before it goes into the grid: its rows in
// the grid's columns, every cell the grid will refuse marked in red with the
// reason as its tip (it will stay empty), and what the table says of the
// title, the insulation and the general data. "Εισαγωγή" puts it in the grid,
// Esc or "Άκυρο" leaves everything as it was.
class TableImportDialog : public QDialog {
    Q_OBJECT

public:
    TableImportDialog(const ImportedTable& table, const std::string& path,
                      QWidget* parent = nullptr);

    QTableWidget* Rows() const { return rows_; }
    QLabel* Summary() const { return summary_; }

private:
    QTableWidget* rows_;
    QLabel* summary_;
};

// The file dialog for a property table, in Greek; nothing when cancelled.
std::optional<std::string> AskTableFileName(QWidget* parent, const std::string& startFolder);

} // namespace pyrostat
