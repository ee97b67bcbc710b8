#pragma once

#include "billing/BillSheets.h"
#include "billing/BillingHistory.h"
#include "billing/BillingSession.h"
#include "billing/LocalDrafts.h"
#include "billing/PeriodComparison.h"
#include "billing/ReadingsImport.h"
#include "reports/SheetModel.h"
#include "reports/SheetWriter.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTimer;

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
    // The folder the notices are written to, one file per property; unset:
    // the folder dialog.
    using ChooseFolder = std::function<QString()>;

    FrmBilling(BillingCoefficients coefficients, QWidget* parent = nullptr);
    // A stored period, read only: its readings and amounts as stored.
    FrmBilling(const StoredPeriod& period, const BillingCoefficients& building,
               QWidget* parent = nullptr, NumberLocale locale = NumberLocale::Greek());
    ~FrmBilling() override;

    // The building's stored periods: the list, saving the period, opening a
    // stored one, and a new period carried forward from the last. Without
    // it the history part of the window stays hidden.
    void SetHistory(BillingHistory* history, BuildingKey key);
    // Which store the history is in (a file, or an office's server), shown
    // under the stored periods.
    void SetHistoryStore(const QString& store);
    // Where this desk keeps the building's draft when the office's server
    // cannot take it: what was typed comes back at the next opening. Set
    // before SetHistory or WithoutHistory, which give the draft back.
    void SetLocalDrafts(const LocalDrafts& drafts);
    // The history could not be opened: the building's draft kept on the
    // desk only (when SetLocalDrafts was given), the store told as not
    // opened.
    void WithoutHistory(BuildingKey key);
    // How a stored period is opened; unset: a read-only window of it.
    void SetOpenStored(std::function<void(const StoredPeriod&)> open) {
        openStored_ = std::move(open);
    }

    void SetPreview(Preview preview) { preview_ = std::move(preview); }
    void SetChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }
    void SetChooseFolder(ChooseFolder choose) { chooseFolder_ = std::move(choose); }
    // Which column of an imported file holds what, offered with the
    // building's last choice or a guess; nothing when cancelled. Unset: the
    // columns dialog.
    using ChooseColumns =
        std::function<std::optional<ReadingColumns>(const SheetRows&, const ReadingColumns&)>;
    void SetChooseColumns(ChooseColumns choose) { chooseColumns_ = std::move(choose); }
    // A readings file (.xlsx, .ods, .csv, .tsv) read by the columns chosen;
    // false when it is not read (told).
    bool ImportPath(const QString& path);
    // What writes the notices' files; unset: the program's PDF writer.
    void SetSheetWriter(SheetWriter* writer) { writer_ = writer; }
    // Asked before typed readings are left (the question's text); true
    // leaves. Unset: a question box.
    void SetConfirmLeave(std::function<bool(const QString&)> confirm) {
        confirmLeave_ = std::move(confirm);
    }
    // Which of several stored buildings the study is (their studies); the
    // index chosen, or -1. Unset: a list to choose from.
    void SetChooseBuilding(std::function<int(const QStringList&)> choose) {
        chooseBuilding_ = std::move(choose);
    }
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
    QLabel* HistoryNote() const { return historyNote_; }
    QLabel* StoreLabel() const { return store_; }
    QPushButton* CmdPaste() const { return cmdPaste_; }
    QPushButton* CmdImport() const { return cmdImport_; }
    QPushButton* CmdSheet() const { return cmdSheet_; }
    QPushButton* CmdNotices() const { return cmdNotices_; }
    QPushButton* CmdNoticeFiles() const { return cmdNoticeFiles_; }
    QListWidget* Periods() const { return periods_; }
    QPushButton* CmdSave() const { return cmdSave_; }
    QPushButton* CmdOpenStored() const { return cmdOpenStored_; }
    QPushButton* CmdCarry() const { return cmdCarry_; }
    QPushButton* CmdDiscardDraft() const { return cmdDiscardDraft_; }
    QLabel* DraftNote() const { return draftNote_; }
    // What is typed kept as the building's draft now (the window does it a
    // moment after each change and when it closes); false when it could not
    // be (told).
    bool KeepDraft();
    bool ReadOnly() const { return readOnly_; }
    const PeriodBill& ShownBill() const { return bill_; }

    // The separators of the user's locale, for every number typed, pasted or
    // shown in the window (the property grid's).
    void SetNumberLocale(NumberLocale locale);

    // A readings table imported, each line matched to its property by name
    // or number; false when refused (the faults are shown and no cell
    // changes).
    bool PasteText(const QString& text);
    // A paste at the cursor's cell, filling to the right and down as in the
    // property grid; false when refused (told, and no cell changes).
    bool PasteAtCursor(const QString& text);
    const BillingSession& Session() const { return session_; }

public slots:
    // Esc, the exit button and the title bar's close: typed readings not
    // stored are asked about first.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FillRows();
    void ReadCell(int row, int col);
    void Rebill();
    void ShowBill();
    void FillPeriods();
    void SavePeriod();
    void OpenStored();
    void CarryForward();
    void ShowSheet(bool notices);
    void WriteNoticeFiles();
    // What the history keeps for the notices of this building.
    NoticeAddress Address();
    std::vector<PropertyComparison> Comparisons();
    void ImportFile();
    void BackToGrid();
    void Warn(const QString& text);
    // A reading, the cost, a date or the method changed: billed again by the
    // caller, and kept as the draft a moment later.
    void Changed();
    // The building's draft put back, when it has one and nothing is typed.
    void ResumeStoredDraft();
    void DiscardDraft();
    // The cost, the method, the dates and the estimate as the session holds them.
    void ShowSessionFields();
    // The owners column: as the history has them on the period's last day,
    // and a name typed stored from the period's first day.
    void ShowOwners();
    void OwnerTyped(int row);

    BillingSession session_;
    PeriodBill bill_;
    bool filling_ = false;
    bool readOnly_ = false;
    BillingHistory* history_ = nullptr;
    BuildingKey key_;
    std::vector<StoredPeriod> stored_;
    std::map<int, Owner> owners_; // shown in the owners column, by property number
    std::function<void(const StoredPeriod&)> openStored_;
    QGroupBox* historyBox_;
    QListWidget* periods_;
    QPushButton* cmdSave_;
    QPushButton* cmdOpenStored_;
    QPushButton* cmdCarry_;
    QPushButton* cmdDiscardDraft_;
    QLabel* draftNote_;
    QTimer* draftTimer_;
    Preview preview_;
    ChooseFile chooseFile_;
    ChooseFolder chooseFolder_;
    ChooseColumns chooseColumns_;
    SheetWriter* writer_ = nullptr;
    std::function<void(const QString&)> warn_;
    std::function<int(const QStringList&)> chooseBuilding_;
    std::function<bool(const QString&)> confirmLeave_;
    bool sized_ = false;   // given its first size on the screen
    bool changed_ = false; // readings typed since the window opened or last stored
    std::optional<LocalDrafts> local_;
    bool offline_ = false; // the server refused a draft: kept on this desk until stored
    QString suggested_;
    QTableWidget* grid_;
    QLineEdit* cost_;
    QComboBox* method_;
    QLineEdit* from_;
    QLineEdit* to_;
    QCheckBox* estimate_;
    QLabel* faults_;
    QLabel* totals_;
    QLabel* historyNote_; // the same study stored with other general data
    QLabel* store_;       // where the history is
    QPushButton* cmdPaste_;
    QPushButton* cmdImport_;
    QPushButton* cmdSheet_;
    QPushButton* cmdNotices_;
    QPushButton* cmdNoticeFiles_;
    QPushButton* cmdExit_;
};

} // namespace pyrostat
