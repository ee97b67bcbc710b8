#pragma once

#include "billing/ReadingsImport.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace pyrostat {

// "Στήλες των ενδείξεων": the first lines of a readings file, and for each
// role (the property, the previous and the current reading, the hours or
// units, the marks) the column that holds it, with the heading rows to
// leave out. O.K. only when the choice can be read.
class ReadingsColumnsDialog : public QDialog {
    Q_OBJECT
public:
    ReadingsColumnsDialog(const SheetRows& sheet, const ReadingColumns& initial,
                          QWidget* parent = nullptr);

    ReadingColumns Columns() const;
    QComboBox* Role(int index) const { return roles_[index]; }
    QSpinBox* Headings() const { return headings_; }
    QLabel* Fault() const { return fault_; }
    QTableWidget* Preview() const { return preview_; }
    bool Acceptable() const;

    // The roles in the order of the boxes.
    static constexpr int kRoles = 5;

private:
    void Check();

    QTableWidget* preview_;
    QComboBox* roles_[kRoles];
    QSpinBox* headings_;
    QLabel* fault_;
    QDialogButtonBox* buttons_;
};

} // namespace pyrostat
