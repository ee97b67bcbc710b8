#include "billing/gui/FrmBilling.h"

#include "billing/BillNumber.h"
#include "billing/BillSheets.h"
#include "billing/CarryForward.h"
#include "billing/PeriodDraft.h"
#include "billing/gui/ReadingsColumnsDialog.h"
#include "platform/FileAccess.h"
#include "platform/LocalDate.h"
#include "reports/gui/QtSheetWriter.h"
#include "reports/gui/SheetPreviewDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace pyrostat {

namespace {

enum Column {
    kNumber,
    kName,
    kOwner,
    kPrevious,
    kCurrent,
    kMeasure,
    kMarks,
    kPercent,
    kFixed,
    kVariable,
    kAmount,
    kColumns
};

// What follows an estimated measure in its cell.
const QString kEstimateSuffix = QStringLiteral(" (εκτίμηση)");

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The first faults of a refusal, a line each, and how many more there are.
QString ListedFaults(const std::vector<std::string>& faults) {
    constexpr size_t kShown = 6;
    QString text;
    for (size_t i = 0; i < faults.size() && i < kShown; ++i) {
        text += Q(faults[i]) + QLatin1Char('\n');
    }
    if (faults.size() > kShown) {
        text += QStringLiteral("… και άλλα %1.\n").arg(faults.size() - kShown);
    }
    return text;
}

} // namespace

FrmBilling::FrmBilling(BillingCoefficients coefficients, QWidget* parent)
    : QDialog(parent), session_(std::move(coefficients)) {
    setObjectName(QStringLiteral("FrmBilling"));
    setWindowTitle(QStringLiteral("Κατανομή Δαπάνης Περιόδου"));
    setModal(true);

    const BillingCoefficients& c = session_.Coefficients();
    auto* building =
        new QLabel(Q(c.title.empty() ? std::string("Κτίριο χωρίς τίτλο μελέτης") : c.title), this);
    building->setObjectName(QStringLiteral("LblBuilding"));
    QFont bold = building->font();
    bold.setBold(true);
    building->setFont(bold);

    cost_ = new QLineEdit(this);
    cost_->setObjectName(QStringLiteral("TxtCost"));
    cost_->setPlaceholderText(QStringLiteral("π.χ. 2.850,00"));
    method_ = new QComboBox(this);
    method_->setObjectName(QStringLiteral("CboMethod"));
    method_->addItem(Q(MethodText(MeterMethod::Hours)));
    method_->addItem(Q(MethodText(MeterMethod::Energy)));
    from_ = new QLineEdit(this);
    from_->setObjectName(QStringLiteral("TxtFrom"));
    from_->setPlaceholderText(QStringLiteral("15/10/2026"));
    to_ = new QLineEdit(this);
    to_->setObjectName(QStringLiteral("TxtTo"));
    to_->setPlaceholderText(QStringLiteral("30/04/2027"));
    estimate_ = new QCheckBox(QStringLiteral("Εκτίμηση των ενδείξεων που λείπουν"), this);
    estimate_->setObjectName(QStringLiteral("ChkEstimate"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Δαπάνη περιόδου (€):"), cost_);
    form->addRow(QStringLiteral("Μετρητές:"), method_);
    auto* dates = new QHBoxLayout;
    dates->addWidget(from_);
    dates->addWidget(new QLabel(QStringLiteral("έως"), this));
    dates->addWidget(to_);
    form->addRow(QStringLiteral("Περίοδος από:"), dates);
    form->addRow(QString(), estimate_);

    grid_ = new QTableWidget(static_cast<int>(c.lines.size()), kColumns, this);
    grid_->setObjectName(QStringLiteral("GrdReadings"));
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Α/Α"), QStringLiteral("Ιδιοκτησία"), QStringLiteral("Ιδιοκτήτης"),
         QStringLiteral("Προηγ. ένδειξη"), QStringLiteral("Τρέχ. ένδειξη"),
         QStringLiteral("Ώρες / Μονάδες"), QStringLiteral("Σημειώσεις"), QStringLiteral("Π (%)"),
         QStringLiteral("Πάγιο €"), QStringLiteral("Μεταβλητό €"), QStringLiteral("Σύνολο €")});
    grid_->verticalHeader()->hide();
    // Every column as wide as its caption and the widest number it shows
    // (readings and euros to ten millions), the name taking the rest: all of
    // them, the building's history beside them, read at 1280 x 720 without
    // scrolling sideways. The marks, seldom typed, show whole when edited.
    const QFontMetrics metrics(grid_->font());
    const QFontMetrics headerMetrics(grid_->horizontalHeader()->font());
    const int widestNumber = metrics.horizontalAdvance(QStringLiteral("9.999.999,99"));
    for (int col = 0; col < kColumns; ++col) {
        const QString caption = grid_->horizontalHeaderItem(col)->text();
        int width = headerMetrics.horizontalAdvance(caption) + 14;
        if (col == kPercent) {
            width = std::max(width, metrics.horizontalAdvance(QStringLiteral("100,00000")) + 12);
        } else if (col != kNumber && col != kName && col != kMarks && col != kOwner) {
            width = std::max(width, widestNumber + 12);
        }
        grid_->setColumnWidth(col, width);
    }
    // The names share what the numbers leave.
    grid_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    grid_->horizontalHeader()->setSectionResizeMode(kOwner, QHeaderView::Stretch);
    grid_->horizontalHeader()->setMinimumSectionSize(48);
    grid_->setMinimumSize(760, 320);
    FillRows();

    faults_ = new QLabel(this);
    faults_->setObjectName(QStringLiteral("LblFaults"));
    faults_->setWordWrap(true);
    faults_->setStyleSheet(QStringLiteral("color: #b00000;"));
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("LblTotals"));

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdPaste_ = button("CmdPaste", QStringLiteral("&Επικόλληση ενδείξεων"));
    cmdImport_ = button("CmdImport", QStringLiteral("Ε&ισαγωγή ενδείξεων…"));
    cmdSheet_ = button("CmdSheet", QStringLiteral("Προεπισκόπηση &φύλλου"));
    cmdNotices_ = button("CmdNotices", QStringLiteral("Προεπισκόπηση ε&ιδοποιητηρίων"));
    cmdNoticeFiles_ =
        button("CmdNoticeFiles", QStringLiteral("Ειδοποιητήρια &ανά Ιδιοκτησία (PDF)…"));
    cmdExit_ = button("CmdExit", QStringLiteral("Έ&ξοδος"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {cmdPaste_, cmdImport_, cmdSheet_, cmdNotices_, cmdNoticeFiles_, cmdExit_}) {
        buttons->addWidget(b);
    }

    historyBox_ = new QGroupBox(QStringLiteral(" Ιστορικό του κτιρίου "), this);
    historyBox_->setObjectName(QStringLiteral("FraHistory"));
    periods_ = new QListWidget(historyBox_);
    periods_->setObjectName(QStringLiteral("LstPeriods"));
    periods_->setMinimumWidth(200);
    historyNote_ = new QLabel(historyBox_);
    historyNote_->setObjectName(QStringLiteral("LblHistoryNote"));
    historyNote_->setWordWrap(true);
    historyNote_->setMaximumWidth(220);
    historyNote_->hide();
    store_ = new QLabel(historyBox_);
    store_->setObjectName(QStringLiteral("LblStore"));
    store_->setWordWrap(true);
    store_->setMaximumWidth(220);
    store_->hide();
    cmdSave_ = button("CmdSave", QStringLiteral("&Αποθήκευση περιόδου"));
    cmdOpenStored_ = button("CmdOpenStored", QStringLiteral("Άνοι&γμα (μόνο ανάγνωση)"));
    cmdCarry_ = button("CmdCarry", QStringLiteral("&Νέα περίοδος από την τελευταία"));
    cmdDiscardDraft_ = button("CmdDiscardDraft", QStringLiteral("Απόρρι&ψη πρόχειρου"));
    cmdDiscardDraft_->hide();
    draftNote_ = new QLabel(historyBox_);
    draftNote_->setObjectName(QStringLiteral("LblDraft"));
    draftNote_->setWordWrap(true);
    draftNote_->setMaximumWidth(220);
    draftNote_->hide();
    // What is typed is kept as the building's draft a moment after the last
    // change, not at every key.
    draftTimer_ = new QTimer(this);
    draftTimer_->setSingleShot(true);
    draftTimer_->setInterval(1500);
    connect(draftTimer_, &QTimer::timeout, this, [this] { KeepDraft(); });
    auto* historyLayout = new QVBoxLayout(historyBox_);
    historyLayout->addWidget(periods_, 1);
    historyLayout->addWidget(store_);
    historyLayout->addWidget(historyNote_);
    historyLayout->addWidget(draftNote_);
    for (QPushButton* b : {cmdSave_, cmdOpenStored_, cmdCarry_, cmdDiscardDraft_}) {
        historyLayout->addWidget(b);
    }
    historyBox_->setMaximumWidth(240);
    historyBox_->hide();

    auto* middle = new QHBoxLayout;
    middle->addWidget(grid_, 1);
    middle->addWidget(historyBox_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(building);
    layout->addLayout(form);
    layout->addLayout(middle, 1);
    layout->addWidget(totals_);
    layout->addWidget(faults_);
    layout->addLayout(buttons);

    connect(grid_, &QTableWidget::cellChanged, this, &FrmBilling::ReadCell);
    connect(cost_, &QLineEdit::textChanged, this, [this](const QString& text) {
        session_.SetCost(text.toStdString());
        Changed();
        Rebill();
    });
    connect(method_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_.SetMethod(index == 1 ? MeterMethod::Energy : MeterMethod::Hours);
        Changed();
        Rebill();
    });
    auto period = [this] {
        session_.SetDates(from_->text().toStdString(), to_->text().toStdString());
        Changed();
        Rebill();
    };
    connect(from_, &QLineEdit::textChanged, this, period);
    connect(to_, &QLineEdit::textChanged, this, period);
    // The owners of the period's last day.
    connect(to_, &QLineEdit::editingFinished, this, [this] { ShowOwners(); });
    connect(estimate_, &QCheckBox::toggled, this, [this](bool on) {
        session_.SetEstimate(on);
        Changed();
        Rebill();
    });
    connect(cmdPaste_, &QPushButton::clicked, this, [this] {
        PasteAtCursor(QApplication::clipboard()->text());
        BackToGrid();
    });
    connect(cmdImport_, &QPushButton::clicked, this, &FrmBilling::ImportFile);
    connect(cmdSheet_, &QPushButton::clicked, this, [this] { ShowSheet(false); });
    connect(cmdNotices_, &QPushButton::clicked, this, [this] { ShowSheet(true); });
    connect(cmdNoticeFiles_, &QPushButton::clicked, this, &FrmBilling::WriteNoticeFiles);
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdSave_, &QPushButton::clicked, this, &FrmBilling::SavePeriod);
    connect(cmdOpenStored_, &QPushButton::clicked, this, &FrmBilling::OpenStored);
    connect(periods_, &QListWidget::itemActivated, this, [this] { OpenStored(); });
    connect(cmdCarry_, &QPushButton::clicked, this, &FrmBilling::CarryForward);
    connect(cmdDiscardDraft_, &QPushButton::clicked, this, &FrmBilling::DiscardDraft);
    Rebill();
}

FrmBilling::FrmBilling(const StoredPeriod& period, const BillingCoefficients& building,
                       QWidget* parent, NumberLocale locale)
    : FrmBilling(
          [&] {
              BillingCoefficients c = CoefficientsOfStored(period);
              c.title = building.title;
              c.employer = building.employer;
              c.project = building.project;
              c.location = building.location;
              return c;
          }(),
          parent) {
    readOnly_ = true;
    session_.SetLocale(locale);
    setWindowTitle(QStringLiteral("Κατανομή Δαπάνης Περιόδου %1 – %2 (έκδοση %3, μόνο ανάγνωση)")
                       .arg(Q(FormatBillDate(period.from)), Q(FormatBillDate(period.to)))
                       .arg(period.version));
    bill_ = BillOfStored(period);
    for (size_t i = 0; i < bill_.lines.size(); ++i) {
        const ReadingLine& r = *bill_.lines[i].reading;
        BillingSession::Row row;
        auto text = [this](const std::optional<BillNumber>& n) {
            return n ? session_.NumberText(*n) : std::string();
        };
        row.previous = text(r.previous);
        row.current = text(r.current);
        row.measure = text(r.measure);
        if (r.closed) {
            row.marks = kClosedMark;
        }
        if (r.replaced) {
            row.marks += std::string(row.marks.empty() ? "" : " ") + kReplacedMark + " " +
                         text(r.oldFinal) + " " + text(r.newStart);
        }
        session_.SetRow(i, row);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{cost_, method_, from_, to_}) {
        w->blockSignals(true);
    }
    cost_->setText(Q(FormatEuroText(period.costCents, session_.Locale())));
    method_->setCurrentIndex(period.method == MeterMethod::Energy ? 1 : 0);
    from_->setText(Q(FormatBillDate(period.from)));
    to_->setText(Q(FormatBillDate(period.to)));
    FillRows();
    ShowBill();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (QWidget* w : std::initializer_list<QWidget*>{cost_, method_, from_, to_, estimate_,
                                                      cmdPaste_, cmdImport_}) {
        w->setEnabled(false);
    }
}

FrmBilling::~FrmBilling() {
    // A cell still open when the window goes is committed as it hides; the
    // session it would be billed in is gone by then.
    grid_->blockSignals(true);
}

void FrmBilling::FillRows() {
    filling_ = true;
    const BillingCoefficients& c = session_.Coefficients();
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const CoefficientLine& line = c.lines[static_cast<size_t>(r)];
        const BillingSession::Row& row = session_.Rows()[static_cast<size_t>(r)];
        const auto owner = owners_.find(line.number);
        const QString texts[kColumns] = {QString::number(line.number),
                                         Q(c.DisplayName(line)),
                                         owner != owners_.end() ? Q(owner->second.name) : QString(),
                                         Q(row.previous),
                                         Q(row.current),
                                         Q(row.measure),
                                         Q(row.marks),
                                         {},
                                         {},
                                         {},
                                         {}};
        for (int col = 0; col < kColumns; ++col) {
            auto* item = new QTableWidgetItem(texts[col]);
            const bool typed = (col >= kPrevious && col <= kMarks) ||
                               (col == kOwner && history_ != nullptr && !readOnly_);
            if (!typed) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            if (col == kOwner) {
                item->setToolTip(QStringLiteral(
                    "Ο ιδιοκτήτης ή ο ένοικος, όπως γράφεται στο ειδοποιητήριο· ένας νέος "
                    "ισχύει από την αρχή της περιόδου."));
            }
            if (col != kName && col != kMarks && col != kOwner) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            grid_->setItem(r, col, item);
        }
    }
    filling_ = false;
}

void FrmBilling::ReadCell(int row, int col) {
    if (filling_) {
        return;
    }
    if (col == kOwner) {
        OwnerTyped(row);
        return;
    }
    if (col < kPrevious || col > kMarks) {
        return;
    }
    auto text = [this, row](int c) {
        const QTableWidgetItem* item = grid_->item(row, c);
        const QString shown = item != nullptr ? item->text().trimmed() : QString();
        // An estimate the window shows is no reading the user typed.
        return shown.endsWith(kEstimateSuffix) ? std::string() : shown.toStdString();
    };
    session_.SetRow(static_cast<size_t>(row),
                    {text(kPrevious), text(kCurrent), text(kMeasure), text(kMarks)});
    Changed();
    Rebill();
}

void FrmBilling::Rebill() {
    if (readOnly_) {
        return; // a stored bill shows as it was stored
    }
    bill_ = session_.Bill();
    ShowBill();
}

void FrmBilling::ShowBill() {
    filling_ = true;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const bool shown = bill_.Ok() && static_cast<size_t>(r) < bill_.lines.size();
        const BilledLine* line = shown ? &bill_.lines[static_cast<size_t>(r)] : nullptr;
        const QString values[4] = {
            line ? Q(FormatLocaleNumber(PrintedPercent(line->percent), 5, session_.Locale()))
                 : QString(),
            line ? Q(FormatEuroText(line->fixedCents, session_.Locale())) : QString(),
            line ? Q(FormatEuroText(line->variableCents, session_.Locale())) : QString(),
            line ? Q(FormatEuroText(line->amountCents, session_.Locale())) : QString()};
        for (int k = 0; k < 4; ++k) {
            grid_->item(r, kPercent + k)->setText(values[k]);
        }
        // An estimated measure shows in its cell, marked.
        QTableWidgetItem* measure = grid_->item(r, kMeasure);
        if (line && line->estimated) {
            const QString omega = Q(session_.NumberText({line->omega, line->omegaDecimals}));
            measure->setToolTip(QStringLiteral("εκτίμηση: ") + omega);
            measure->setForeground(QColor(0, 0, 160));
            measure->setText(omega + kEstimateSuffix);
        } else if (measure->text().endsWith(kEstimateSuffix)) {
            measure->setText(QString());
            measure->setToolTip(QString());
            measure->setForeground(palette().text());
        }
    }
    filling_ = false;
    if (bill_.Ok()) {
        std::string totals =
            "ΣΥΝΟΛΟ: ΣΩ " + session_.NumberText({bill_.sumOmega, bill_.omegaDecimals}) +
            ", πάγιο " + FormatEuroText(bill_.fixedTotal, session_.Locale()) + " €, μεταβλητό " +
            FormatEuroText(bill_.variableTotal, session_.Locale()) + " €, σύνολο " +
            FormatEuroText(bill_.request.costCents, session_.Locale()) + " €";
        if (bill_.scaled) {
            totals += "\n" + ScaleFactorNote(bill_);
        }
        totals_->setText(Q(totals));
        std::string notes = bill_.manyEstimates ? ManyEstimatesWarning(bill_) : std::string();
        for (const std::string& note : bill_.notes) {
            notes += (notes.empty() ? "" : "\n") + note;
        }
        faults_->setText(Q(notes));
    } else {
        totals_->clear();
        QString text;
        const size_t shown = std::min<size_t>(bill_.faults.size(), 6);
        for (size_t i = 0; i < shown; ++i) {
            text += Q(bill_.faults[i]) + QLatin1Char('\n');
        }
        if (bill_.faults.size() > shown) {
            text += QStringLiteral("… και άλλα %1.").arg(bill_.faults.size() - shown);
        }
        faults_->setText(text.trimmed());
    }
    cmdSheet_->setEnabled(bill_.Ok());
    cmdNotices_->setEnabled(bill_.Ok());
    cmdNoticeFiles_->setEnabled(bill_.Ok());
    cmdSave_->setEnabled(bill_.Ok() && bill_.request.from && bill_.request.to && !readOnly_);
}

void FrmBilling::SetHistory(BillingHistory* history, BuildingKey key) {
    history_ = history;
    key_ = std::move(key);
    // A study without a history of its own that several stored buildings
    // fit: the manager says which one it is; that building's study names it.
    if (history_ != nullptr && !readOnly_) {
        try {
            const std::vector<std::string> studies = history_->BuildingsThatCouldBeMeant(key_);
            if (!studies.empty()) {
                QStringList items;
                for (const std::string& study : studies) {
                    items << Q(study);
                }
                int chosen = -1;
                if (chooseBuilding_) {
                    chosen = chooseBuilding_(items);
                } else {
                    bool ok = false;
                    const QString item = QInputDialog::getItem(
                        this, QStringLiteral("Ποιο κτίριο;"),
                        QStringLiteral("Η μελέτη δεν έχει δικό της ιστορικό. Το ιστορικό έχει "
                                       "περισσότερα από ένα κτίρια με τα ίδια γενικά στοιχεία "
                                       "και τις ίδιες Ιδιοκτησίες.\nΠοιο από αυτά είναι;"),
                        items, 0, false, &ok);
                    chosen = ok ? static_cast<int>(items.indexOf(item)) : -1;
                }
                if (chosen >= 0 && chosen < static_cast<int>(studies.size())) {
                    key_.studyPath = studies[static_cast<size_t>(chosen)];
                }
            }
        } catch (const std::exception& e) {
            Warn(Q(e.what()));
        }
    }
    historyBox_->setVisible(history_ != nullptr);
    periods_->setVisible(history_ != nullptr);
    cmdOpenStored_->setVisible(history_ != nullptr);
    cmdSave_->setVisible(!readOnly_);
    cmdCarry_->setVisible(!readOnly_);
    FillPeriods();
    ResumeStoredDraft();
    ShowOwners();
    if (readOnly_) {
        ShowBill();
    } else {
        Rebill();
    }
}

void FrmBilling::SetLocalDrafts(const LocalDrafts& drafts) {
    local_ = drafts;
}

void FrmBilling::WithoutHistory(BuildingKey key) {
    // No history to store in: the part of the window that keeps the draft,
    // without the stored periods, and the store told as not opened.
    history_ = nullptr;
    key_ = std::move(key);
    if (!store_->text().isEmpty()) {
        store_->setText(store_->text() + QStringLiteral(" (δεν άνοιξε)"));
        store_->setToolTip(store_->text());
    }
    historyBox_->setVisible(local_.has_value());
    for (QWidget* w :
         std::initializer_list<QWidget*>{periods_, cmdSave_, cmdOpenStored_, cmdCarry_}) {
        w->hide();
    }
    ResumeStoredDraft();
}

void FrmBilling::SetHistoryStore(const QString& store) {
    store_->setText(QStringLiteral("Ιστορικό: %1").arg(store));
    store_->setToolTip(store_->text());
    store_->setVisible(!store.isEmpty());
}

void FrmBilling::FillPeriods() {
    periods_->clear();
    stored_.clear();
    historyNote_->clear();
    historyNote_->hide();
    if (history_ == nullptr) {
        return;
    }
    try {
        if (const auto building = history_->FindBuilding(key_)) {
            stored_ = history_->Periods(*building, false);
            if (!readOnly_) {
                session_.SetStoredPeriods(history_->LatestPeriods(*building));
            }
        } else if (const std::string note = OtherGeneralDataNote(*history_, key_); !note.empty()) {
            historyNote_->setText(Q(note));
            historyNote_->show();
        }
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
    }
    for (const StoredPeriod& p : stored_) {
        periods_->addItem(QStringLiteral("%1 – %2  έκδ. %3  %4 €")
                              .arg(Q(FormatBillDate(p.from)), Q(FormatBillDate(p.to)))
                              .arg(p.version)
                              .arg(Q(FormatEuroText(p.costCents, session_.Locale()))));
    }
    if (!stored_.empty()) {
        periods_->setCurrentRow(static_cast<int>(stored_.size()) - 1);
    }
    cmdOpenStored_->setEnabled(!stored_.empty());
    cmdCarry_->setEnabled(!stored_.empty());
}

void FrmBilling::SavePeriod() {
    if (history_ == nullptr || !bill_.Ok()) {
        return;
    }
    try {
        const StoredPeriod saved = history_->Save(key_, bill_);
        // The stored period took the draft's place, here and on the desk.
        if (local_) {
            local_->Drop(key_);
        }
        offline_ = false;
        changed_ = false;
        draftTimer_->stop();
        draftNote_->hide();
        cmdDiscardDraft_->hide();
        FillPeriods();
        totals_->setText(
            totals_->text() +
            QStringLiteral("\nΑποθηκεύτηκε στο ιστορικό, έκδοση %1.").arg(saved.version));
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
        // What was typed stays in the window, and as a draft for the next try.
        KeepDraft();
    }
    BackToGrid();
}

void FrmBilling::OpenStored() {
    const int row = periods_->currentRow();
    if (history_ == nullptr || row < 0 || static_cast<size_t>(row) >= stored_.size()) {
        return;
    }
    StoredPeriod period;
    try {
        const std::optional<StoredPeriod> read =
            history_->Period(stored_[static_cast<size_t>(row)].id);
        if (!read) {
            return;
        }
        period = *read;
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
        return;
    }
    if (openStored_) {
        openStored_(period);
    } else {
        // A window of its own beside this one, not a dialog over it: the
        // stored bill can be read while the new period is typed.
        auto* view = new FrmBilling(period, session_.Coefficients(), this, session_.Locale());
        view->setWindowFlag(Qt::Window);
        view->setModal(false);
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->SetHistory(history_, key_);
        view->show();
        view->move(frameGeometry().topLeft() + QPoint(48, 48));
    }
    BackToGrid();
}

void FrmBilling::CarryForward() {
    if (history_ == nullptr || stored_.empty() || readOnly_) {
        return;
    }
    std::vector<StoredPeriod> latest;
    try {
        latest = history_->LatestPeriods(*history_->FindBuilding(key_));
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
        return;
    }
    const std::map<int, BillNumber> carried = CarriedReadings(latest);
    const BillingCoefficients& c = session_.Coefficients();
    for (size_t i = 0; i < c.lines.size(); ++i) {
        BillingSession::Row row;
        const auto previous = carried.find(c.lines[i].number);
        if (previous != carried.end()) {
            row.previous = session_.NumberText(previous->second);
        }
        session_.SetRow(i, row);
    }
    FillRows();
    from_->setText(Q(FormatBillDate(NextDay(latest.back().to))));
    to_->clear();
    Changed();
    Rebill();
    grid_->setFocus();
    grid_->setCurrentCell(0, kCurrent);
}

void FrmBilling::SetNumberLocale(NumberLocale locale) {
    session_.SetLocale(locale);
    cost_->setPlaceholderText(QStringLiteral("π.χ. ") +
                              Q(FormatLocaleNumber(2850, 2, session_.Locale())));
    Rebill();
}

bool FrmBilling::PasteAtCursor(const QString& text) {
    if (readOnly_) {
        return false;
    }
    const int row = std::max(grid_->currentRow(), 0);
    const int col = std::clamp(grid_->currentColumn(), int{kPrevious}, int{kMarks});
    const std::vector<std::string> faults =
        session_.PasteAt(static_cast<size_t>(row),
                         static_cast<BillingSession::Cell>(col - kPrevious), text.toStdString());
    if (!faults.empty()) {
        Warn(QStringLiteral("Οι ενδείξεις ΔΕΝ επικολλήθηκαν:\n") + ListedFaults(faults));
        return false;
    }
    FillRows();
    Changed();
    Rebill();
    grid_->setCurrentCell(row, col);
    return true;
}

bool FrmBilling::PasteText(const QString& text) {
    const std::vector<std::string> faults = session_.Paste(text.toStdString());
    if (!faults.empty()) {
        Warn(QStringLiteral("Οι ενδείξεις ΔΕΝ επικολλήθηκαν:\n") + ListedFaults(faults));
        return false;
    }
    FillRows();
    Changed();
    Rebill();
    return true;
}

void FrmBilling::ImportFile() {
    const QString path =
        chooseFile_ ? chooseFile_()
                    : QFileDialog::getOpenFileName(
                          this, QStringLiteral("Εισαγωγή ενδείξεων"), QString(),
                          QStringLiteral("Ενδείξεις (*.xlsx *.ods *.csv *.tsv *.txt);;Όλα (*)"));
    if (!path.isEmpty()) {
        ImportPath(path);
    }
    BackToGrid();
}

bool FrmBilling::ImportPath(const QString& path) {
    if (readOnly_) {
        return false;
    }
    const SheetRows sheet = ReadReadingsFile(path.toStdString());
    if (sheet.problem != FileProblem::None) {
        Warn(Q(FileProblemMessage(path.toStdString(), sheet.problem)));
        return false;
    }
    if (!sheet.damage.empty()) {
        Warn(QStringLiteral("Οι ενδείξεις ΔΕΝ διαβάστηκαν από το %1: %2")
                 .arg(path, Q(sheet.damage)));
        return false;
    }
    if (sheet.rows.empty()) {
        Warn(QStringLiteral("Το αρχείο %1 δεν έχει γραμμές.").arg(path));
        return false;
    }
    // The building's last choice, when it still fits this file; else a guess.
    size_t width = 0;
    for (const auto& row : sheet.rows) {
        width = std::max(width, row.size());
    }
    ReadingColumns offered = GuessReadingColumns(sheet);
    std::optional<int64_t> building;
    if (history_ != nullptr) {
        try {
            building = history_->FindBuilding(key_);
            if (building) {
                if (const auto kept = ColumnsFromText(history_->ImportColumns(*building))) {
                    const int widest = std::max({kept->property, kept->previous, kept->current,
                                                 kept->measure, kept->marks});
                    if (widest < static_cast<int>(width)) {
                        offered = *kept;
                    }
                }
            }
        } catch (const std::exception& e) {
            Warn(Q(e.what()));
        }
    }
    std::optional<ReadingColumns> chosen;
    if (chooseColumns_) {
        chosen = chooseColumns_(sheet, offered);
    } else {
        ReadingsColumnsDialog dialog(sheet, offered, this);
        if (dialog.exec() == QDialog::Accepted) {
            chosen = dialog.Columns();
        }
    }
    if (!chosen) {
        return false;
    }
    if (const std::string fault = chosen->Fault(); !fault.empty()) {
        Warn(Q(fault));
        return false;
    }
    const MappedReadings mapped = MapReadings(sheet, *chosen, session_.Locale());
    const std::vector<std::string> faults = session_.Paste(mapped.table, false, mapped.firstLine);
    if (!faults.empty()) {
        Warn(
            QStringLiteral("Οι ενδείξεις ΔΕΝ εισήχθησαν από το %1 (καμία γραμμή δεν μαντεύεται):\n")
                .arg(path) +
            ListedFaults(faults));
        return false;
    }
    FillRows();
    Changed();
    Rebill();
    if (history_ != nullptr) {
        try {
            history_->SetImportColumns(history_->FindOrAddBuilding(key_), ColumnsText(*chosen));
        } catch (const std::exception& e) {
            Warn(Q(e.what()));
        }
    }
    return true;
}

std::vector<PropertyComparison> FrmBilling::Comparisons() {
    std::vector<PropertyComparison> comparisons;
    if (history_ != nullptr) {
        try {
            if (const auto building = history_->FindBuilding(key_)) {
                comparisons = ComparePeriod(bill_, history_->LatestPeriods(*building));
            }
        } catch (const std::exception& e) {
            Warn(Q(e.what()));
        }
    }
    return comparisons;
}

NoticeAddress FrmBilling::Address() {
    NoticeAddress address;
    if (history_ == nullptr) {
        return address;
    }
    try {
        if (const auto building = history_->FindBuilding(key_)) {
            address.building = *building;
            address.details = history_->Details(*building);
            address.owners =
                history_->OwnersOn(*building, bill_.request.to.value_or(BillDate{9999, 12, 31}));
        }
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
    }
    return address;
}

void FrmBilling::ShowSheet(bool notices) {
    if (!bill_.Ok()) {
        return;
    }
    const std::vector<PropertyComparison> comparisons = Comparisons();
    const std::vector<PropertyComparison>* compared = history_ ? &comparisons : nullptr;
    const NoticeAddress address = Address();
    const SheetModel sheet = notices
                                 ? NoticesSheet(bill_, session_.Coefficients(), compared, &address)
                                 : PeriodSheet(bill_, session_.Coefficients(), compared);
    const QString title =
        notices ? QStringLiteral("Ειδοποιητήρια") : QStringLiteral("Φύλλο περιόδου");
    if (preview_) {
        preview_(sheet, title);
    } else {
        SheetPreviewDialog dialog(sheet, session_.Locale().decimal, session_.Locale().group, this);
        dialog.setWindowTitle(title);
        if (!suggested_.isEmpty()) {
            dialog.SetSuggestedName(suggested_ + QStringLiteral(" - ") + title);
        }
        dialog.exec();
    }
    BackToGrid();
}

void FrmBilling::WriteNoticeFiles() {
    if (!bill_.Ok()) {
        return;
    }
    const QString folder =
        chooseFolder_
            ? chooseFolder_()
            : QFileDialog::getExistingDirectory(this, QStringLiteral("Φάκελος των ειδοποιητηρίων"));
    if (folder.isEmpty()) {
        BackToGrid();
        return;
    }
    const std::vector<PropertyComparison> comparisons = Comparisons();
    const std::vector<PropertyComparison>* compared = history_ ? &comparisons : nullptr;
    const NoticeAddress address = Address();
    QtSheetWriter own;
    SheetWriter& writer = writer_ != nullptr ? *writer_ : own;
    int written = 0;
    for (size_t i = 0; i < bill_.lines.size(); ++i) {
        const std::string path =
            (folder + QLatin1Char('/') + Q(NoticeFileName(bill_, bill_.lines[i]))).toStdString();
        std::string error;
        if (!writer.WritePdf(NoticesSheet(bill_, session_.Coefficients(), compared, &address, i),
                             path, session_.Locale(), error)) {
            Warn(QStringLiteral("ΔΕΝ γράφτηκε το %1: %2\nΓράφτηκαν %3 από τα %4 ειδοποιητήρια.")
                     .arg(Q(path), Q(error))
                     .arg(written)
                     .arg(bill_.lines.size()));
            BackToGrid();
            return;
        }
        ++written;
    }
    totals_->setText(
        totals_->text() +
        QStringLiteral("\nΓράφτηκαν %1 ειδοποιητήρια στον φάκελο %2.").arg(written).arg(folder));
    BackToGrid();
}

void FrmBilling::Warn(const QString& text) {
    if (warn_) {
        warn_(text);
    } else {
        QMessageBox::warning(this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"), text);
    }
}

void FrmBilling::reject() {
    // With the history, what is typed stays as the building's draft: the
    // window closes without a question, and opens again with it.
    if (changed_ && !readOnly_ && (history_ != nullptr || local_) && KeepDraft()) {
        QDialog::reject();
        return;
    }
    if (changed_ && !readOnly_) {
        const QString question =
            history_ != nullptr
                ? QStringLiteral("Οι ενδείξεις της περιόδου ΔΕΝ έχουν αποθηκευτεί στο ιστορικό.\n"
                                 "Να κλείσει το παράθυρο χωρίς αποθήκευση;")
                : QStringLiteral("Οι ενδείξεις που γράψατε θα χαθούν.\nΝα κλείσει το παράθυρο;");
        const bool leave = confirmLeave_
                               ? confirmLeave_(question)
                               : QMessageBox::question(this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"),
                                                       question, QMessageBox::Yes | QMessageBox::No,
                                                       QMessageBox::No) == QMessageBox::Yes;
        if (!leave) {
            BackToGrid();
            return;
        }
    }
    QDialog::reject();
}

void FrmBilling::ShowOwners() {
    owners_.clear();
    if (history_ != nullptr) {
        try {
            if (const auto building = history_->FindBuilding(key_)) {
                const std::optional<BillDate> to = ParseBillDate(to_->text().toStdString());
                owners_ = history_->OwnersOn(*building, to.value_or(BillDate{9999, 12, 31}));
            }
        } catch (const std::exception& e) {
            Warn(Q(e.what()));
        }
    }
    FillRows();
    ShowBill();
}

void FrmBilling::OwnerTyped(int row) {
    const BillingCoefficients& c = session_.Coefficients();
    if (history_ == nullptr || readOnly_ || row < 0 || static_cast<size_t>(row) >= c.lines.size()) {
        return;
    }
    const int number = c.lines[static_cast<size_t>(row)].number;
    const QString typed = grid_->item(row, kOwner)->text().trimmed();
    const auto before = owners_.find(number);
    const QString was = before != owners_.end() ? Q(before->second.name) : QString();
    if (typed == was) {
        return;
    }
    auto restore = [&] {
        filling_ = true;
        grid_->item(row, kOwner)->setText(was);
        filling_ = false;
    };
    if (typed.isEmpty()) {
        restore();
        Warn(QStringLiteral("Ο ιδιοκτήτης της Ιδιοκτησίας «%1» δεν σβήνεται: γράψτε το όνομα "
                            "του νέου ιδιοκτήτη ή ενοίκου.")
                 .arg(Q(c.DisplayName(c.lines[static_cast<size_t>(row)]))));
        return;
    }
    Owner owner = before != owners_.end() ? before->second : Owner{};
    if (before != owners_.end()) {
        owner.email.clear(); // another person: his own contacts, if any
        owner.phone.clear();
    }
    owner.name = typed.toStdString();
    try {
        const int64_t building = history_->FindOrAddBuilding(key_);
        // The property's first owner holds from the start; a new one from
        // the period's first day, or from today when none is typed.
        const std::optional<BillDate> from =
            before != owners_.end() ? ParseBillDate(from_->text().toStdString()) : std::nullopt;
        const std::optional<BillDate> today = ParseBillDate(TodayText());
        history_->SetOwners(building, {{number, owner}}, from, today.value_or(BillDate{}));
        owners_[number] = owner;
    } catch (const std::exception& e) {
        restore();
        Warn(Q(e.what()));
    }
}

void FrmBilling::Changed() {
    changed_ = true;
    if ((history_ != nullptr || local_) && !readOnly_) {
        draftTimer_->start();
    }
}

bool FrmBilling::KeepDraft() {
    draftTimer_->stop();
    if (readOnly_) {
        return false;
    }
    if (history_ != nullptr && !offline_) {
        try {
            const int64_t building = history_->FindOrAddBuilding(key_);
            if (session_.AnythingTyped()) {
                history_->SaveDraft(building, DraftText(session_));
            } else {
                history_->DiscardDraft(building);
            }
            if (local_) {
                local_->Drop(key_);
            }
            return true;
        } catch (const std::exception& e) {
            if (!local_) {
                Warn(Q(e.what()) + QStringLiteral("\nΟι ενδείξεις είναι ακόμη στο παράθυρο."));
                return false;
            }
            // Told once; from now on kept on this desk without asking the
            // server at every change.
            offline_ = true;
            Warn(Q(e.what()) + QStringLiteral("\nΟι ενδείξεις είναι ακόμη στο παράθυρο και "
                                              "κρατιούνται ως πρόχειρο σε αυτόν τον σταθμό· "
                                              "ξαναγυρίζουν όταν ανοίξει το παράθυρο."));
        }
    }
    if (!local_) {
        return false;
    }
    if (!session_.AnythingTyped()) {
        local_->Drop(key_);
        return true;
    }
    const std::string path = local_->PathOf(key_);
    if (const FileProblem problem = local_->Keep(key_, DraftText(session_));
        problem != FileProblem::None) {
        Warn(QStringLiteral("Το πρόχειρο ΔΕΝ κρατήθηκε: %1\nΟι ενδείξεις είναι ακόμη στο παράθυρο.")
                 .arg(Q(FileProblemMessage(path, problem))));
        return false;
    }
    draftNote_->setText(QStringLiteral("Πρόχειρο σε αυτόν τον σταθμό: ο διακομιστής του "
                                       "ιστορικού δεν το πήρε."));
    draftNote_->show();
    return true;
}

void FrmBilling::ResumeStoredDraft() {
    draftNote_->hide();
    cmdDiscardDraft_->hide();
    if ((history_ == nullptr && !local_) || readOnly_ || session_.AnythingTyped()) {
        return;
    }
    // A draft this desk kept when the server could not take it is the
    // newer one.
    std::optional<BillingHistory::Draft> draft;
    bool onDesk = false;
    if (local_) {
        if (auto content = local_->Find(key_)) {
            draft = BillingHistory::Draft{{}, std::move(*content)};
            onDesk = true;
        }
    }
    try {
        if (!draft && history_ != nullptr) {
            if (const auto building = history_->FindBuilding(key_)) {
                draft = history_->DraftOf(*building);
            }
        }
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
        return;
    }
    if (!draft) {
        return;
    }
    const std::vector<std::string> faults = ResumeDraft(session_, draft->content);
    FillRows();
    ShowSessionFields();
    Rebill();
    if (onDesk) {
        draftNote_->setText(QStringLiteral("Πρόχειρο αυτού του σταθμού: οι ενδείξεις που "
                                           "γράφτηκαν όταν ο διακομιστής δεν απαντούσε."));
    } else {
        const QDateTime kept =
            QDateTime::fromString(Q(draft->savedAt), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QDateTime utc = kept;
        utc.setTimeZone(QTimeZone::utc());
        draftNote_->setText(
            QStringLiteral("Πρόχειρο της %1: οι ενδείξεις που γράφτηκαν και δεν αποθηκεύτηκαν.")
                .arg(utc.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"))));
    }
    draftNote_->show();
    cmdDiscardDraft_->show();
    if (!faults.empty()) {
        QString text;
        for (const std::string& fault : faults) {
            text += Q(fault) + QLatin1Char('\n');
        }
        Warn(text.trimmed());
    }
}

void FrmBilling::DiscardDraft() {
    const QString question =
        QStringLiteral("Να απορριφθεί το πρόχειρο;\nΟι ενδείξεις, η δαπάνη και οι ημερομηνίες που "
                       "γράφτηκαν θα χαθούν.");
    const bool discard = confirmLeave_
                             ? confirmLeave_(question)
                             : QMessageBox::question(this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"),
                                                     question, QMessageBox::Yes | QMessageBox::No,
                                                     QMessageBox::No) == QMessageBox::Yes;
    if (!discard || (history_ == nullptr && !local_)) {
        BackToGrid();
        return;
    }
    if (local_) {
        local_->Drop(key_);
    }
    try {
        if (history_ != nullptr) {
            if (const auto building = history_->FindBuilding(key_)) {
                history_->DiscardDraft(*building);
            }
        }
    } catch (const std::exception& e) {
        Warn(Q(e.what()));
        return;
    }
    draftTimer_->stop();
    for (size_t i = 0; i < session_.Rows().size(); ++i) {
        session_.SetRow(i, {});
    }
    session_.SetCost({});
    session_.SetDates({}, {});
    session_.SetEstimate(false);
    FillRows();
    ShowSessionFields();
    changed_ = false;
    draftNote_->hide();
    cmdDiscardDraft_->hide();
    Rebill();
    BackToGrid();
}

void FrmBilling::ShowSessionFields() {
    for (QWidget* w : std::initializer_list<QWidget*>{cost_, method_, from_, to_, estimate_}) {
        w->blockSignals(true);
    }
    cost_->setText(Q(session_.CostText()));
    method_->setCurrentIndex(session_.Method() == MeterMethod::Energy ? 1 : 0);
    from_->setText(Q(session_.FromText()));
    to_->setText(Q(session_.ToText()));
    estimate_->setChecked(session_.EstimateOn());
    for (QWidget* w : std::initializer_list<QWidget*>{cost_, method_, from_, to_, estimate_}) {
        w->blockSignals(false);
    }
}

void FrmBilling::BackToGrid() {
    grid_->setFocus();
}

void FrmBilling::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && grid_->hasFocus()) {
        PasteAtCursor(QApplication::clipboard()->text());
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmBilling::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (readOnly_ && isWindow() && parentWidget() != nullptr) {
        return; // placed beside the window that opened it
    }
    // As wide as the columns want, within the screen: a 1280 x 720 screen
    // shows every column without scrolling sideways.
    if (!sized_) {
        sized_ = true;
        const QRect screenArea = screen()->availableGeometry();
        resize(std::min(1240, screenArea.width() - 40),
               std::min(std::max(height(), 680), screenArea.height() - 40));
    }
    // Centred over the window that opened it, or on the screen.
    const QRect over =
        parentWidget() != nullptr ? parentWidget()->frameGeometry() : screen()->availableGeometry();
    move(over.center() - rect().center());
    grid_->setFocus();
    grid_->setCurrentCell(0, kPrevious);
}

} // namespace pyrostat
