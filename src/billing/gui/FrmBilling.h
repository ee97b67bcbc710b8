#pragma once

#include "billing/BillingSession.h"
#include "reports/SheetModel.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace pyrostat {

// "Κατανομή Δαπάνης Περιόδου": the building's properties with their readings
// cells, the cost, the method and the dates of the period; the percentages
// and the amounts are shown as the readings are typed or pasted. The sheet and
// the notices go to the preview (print, PDF, .xlsx). Esc leaves.
class FrmBilling : public QDialog {
    Q_OBJECT
public:
    // How a sheet is shown; unset: the program's print preview.
    using Preview = std::function<void(const SheetModel& sheet, const QString& title)>;
    // How a readings file is chosen; unset: the file dialog.
    using ChooseFile = std::function<QString()>;

    FrmBilling(BillingCoefficients coefficients, QWidget* parent = nullptr);

    void SetPreview(Preview preview) { preview_ = std::move(preview); }
    void SetChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }
    // How a refusal is told; unset: a warning box.
    void SetWarn(std::function<void(const QString&)> warn) { warn_ = std::move(warn); }
    // The folder and the name (without extension) the save dialogs suggest.
    void SetSuggestedName(const QString& path) { suggested_ = path; }

    QTableWidget* Grid() const { return grid_; }
    QLineEdit* Cost() const { return cost_; }
    QComboBox* Method() const { return method_; }
    QLineEdit* From() const { return from_; }
    QLineEdit* To() const { return to_; }
    QCheckBox* Estimate() const { return estimate_; }
    QLabel* Faults() const { return faults_; }
    QLabel* Totals() const { return totals_; }
    QPushButton* CmdPaste() const { return cmdPaste_; }
    QPushButton* CmdImport() const { return cmdImport_; }
    QPushButton* CmdSheet() const { return cmdSheet_; }
    QPushButton* CmdNotices() const { return cmdNotices_; }

    // The readings text pasted as from a spreadsheet; false when refused (the
    // faults are shown and no cell changes).
    bool PasteText(const QString& text);
    const BillingSession& Session() const { return session_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FillRows();
    void ReadCell(int row, int col);
    void Rebill();
    void ShowSheet(bool notices);
    void ImportFile();
    void BackToGrid();
    void Warn(const QString& text);

    BillingSession session_;
    PeriodBill bill_;
    bool filling_ = false;
    Preview preview_;
    ChooseFile chooseFile_;
    std::function<void(const QString&)> warn_;
    QString suggested_;
    QTableWidget* grid_;
    QLineEdit* cost_;
    QComboBox* method_;
    QLineEdit* from_;
    QLineEdit* to_;
    QCheckBox* estimate_;
    QLabel* faults_;
    QLabel* totals_;
    QPushButton* cmdPaste_;
    QPushButton* cmdImport_;
    QPushButton* cmdSheet_;
    QPushButton* cmdNotices_;
    QPushButton* cmdExit_;
};

} // namespace pyrostat
