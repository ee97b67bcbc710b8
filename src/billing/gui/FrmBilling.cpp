#include "billing/gui/FrmBilling.h"

#include "billing/BillNumber.h"
#include "billing/BillSheets.h"
#include "platform/FileAccess.h"
#include "reports/gui/SheetPreviewDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pyrostat {

namespace {

enum Column {
    kNumber,
    kName,
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

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString Comma(std::string text) {
    for (char& ch : text) {
        ch = ch == '.' ? ',' : ch;
    }
    return Q(text);
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
        {QStringLiteral("Α/Α"), QStringLiteral("Ιδιοκτησία"), QStringLiteral("Προηγ. ένδειξη"),
         QStringLiteral("Τρέχ. ένδειξη"), QStringLiteral("Ώρες / Μονάδες"),
         QStringLiteral("Σημειώσεις"), QStringLiteral("Π (%)"), QStringLiteral("Πάγιο €"),
         QStringLiteral("Μεταβλητό €"), QStringLiteral("Σύνολο €")});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    grid_->setMinimumSize(900, 320);
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
    cmdExit_ = button("CmdExit", QStringLiteral("Έ&ξοδος"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdPaste_, cmdImport_, cmdSheet_, cmdNotices_, cmdExit_}) {
        buttons->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(building);
    layout->addLayout(form);
    layout->addWidget(grid_, 1);
    layout->addWidget(totals_);
    layout->addWidget(faults_);
    layout->addLayout(buttons);

    connect(grid_, &QTableWidget::cellChanged, this, &FrmBilling::ReadCell);
    connect(cost_, &QLineEdit::textChanged, this, [this](const QString& text) {
        session_.SetCost(text.toStdString());
        Rebill();
    });
    connect(method_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_.SetMethod(index == 1 ? MeterMethod::Energy : MeterMethod::Hours);
        Rebill();
    });
    auto period = [this] {
        session_.SetDates(from_->text().toStdString(), to_->text().toStdString());
        Rebill();
    };
    connect(from_, &QLineEdit::textChanged, this, period);
    connect(to_, &QLineEdit::textChanged, this, period);
    connect(estimate_, &QCheckBox::toggled, this, [this](bool on) {
        session_.SetEstimate(on);
        Rebill();
    });
    connect(cmdPaste_, &QPushButton::clicked, this, [this] {
        PasteText(QApplication::clipboard()->text());
        BackToGrid();
    });
    connect(cmdImport_, &QPushButton::clicked, this, &FrmBilling::ImportFile);
    connect(cmdSheet_, &QPushButton::clicked, this, [this] { ShowSheet(false); });
    connect(cmdNotices_, &QPushButton::clicked, this, [this] { ShowSheet(true); });
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::reject);
    Rebill();
}

void FrmBilling::FillRows() {
    filling_ = true;
    const BillingCoefficients& c = session_.Coefficients();
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const CoefficientLine& line = c.lines[static_cast<size_t>(r)];
        const BillingSession::Row& row = session_.Rows()[static_cast<size_t>(r)];
        const QString texts[kColumns] = {QString::number(line.number),
                                         Q(c.DisplayName(line)),
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
            const bool typed = col >= kPrevious && col <= kMarks;
            if (!typed) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            if (col != kName && col != kMarks) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            grid_->setItem(r, col, item);
        }
    }
    filling_ = false;
}

void FrmBilling::ReadCell(int row, int col) {
    if (filling_ || col < kPrevious || col > kMarks) {
        return;
    }
    auto text = [this, row](int c) {
        const QTableWidgetItem* item = grid_->item(row, c);
        return item != nullptr ? item->text().trimmed().toStdString() : std::string();
    };
    session_.SetRow(static_cast<size_t>(row),
                    {text(kPrevious), text(kCurrent), text(kMeasure), text(kMarks)});
    Rebill();
}

void FrmBilling::Rebill() {
    bill_ = session_.Bill();
    filling_ = true;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const bool shown = bill_.Ok() && static_cast<size_t>(r) < bill_.lines.size();
        const BilledLine* line = shown ? &bill_.lines[static_cast<size_t>(r)] : nullptr;
        const QString values[4] = {line ? Comma(FormatFixed(line->percent, 5)) : QString(),
                                   line ? Q(FormatEuroText(line->fixedCents)) : QString(),
                                   line ? Q(FormatEuroText(line->variableCents)) : QString(),
                                   line ? Q(FormatEuroText(line->amountCents)) : QString()};
        for (int k = 0; k < 4; ++k) {
            grid_->item(r, kPercent + k)->setText(values[k]);
        }
        // An estimated measure shows in its cell, marked.
        QTableWidgetItem* measure = grid_->item(r, kMeasure);
        if (line && line->estimated) {
            measure->setToolTip(QStringLiteral("εκτίμηση: ") +
                                Comma(FormatFixed(line->omega, line->omegaDecimals)));
            measure->setForeground(QColor(0, 0, 160));
            measure->setText(Comma(FormatFixed(line->omega, line->omegaDecimals)) +
                             QStringLiteral(" (εκτίμηση)"));
        } else if (measure->text().endsWith(QStringLiteral(" (εκτίμηση)"))) {
            measure->setText(QString());
            measure->setToolTip(QString());
            measure->setForeground(palette().text());
        }
    }
    filling_ = false;
    if (bill_.Ok()) {
        std::string totals = "ΣΥΝΟΛΟ: ΣΩ " + FormatFixed(bill_.sumOmega, bill_.omegaDecimals) +
                             ", πάγιο " + FormatEuroText(bill_.fixedTotal) + " €, μεταβλητό " +
                             FormatEuroText(bill_.variableTotal) + " €, σύνολο " +
                             FormatEuroText(bill_.request.costCents) + " €";
        if (bill_.scaled) {
            totals += "\n" + ScaleFactorNote(bill_);
        }
        totals_->setText(Comma(totals.substr(0, totals.find(", πάγιο"))) +
                         Q(totals.substr(totals.find(", πάγιο"))));
        faults_->setText(bill_.manyEstimates ? Q(ManyEstimatesWarning(bill_)) : QString());
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
}

bool FrmBilling::PasteText(const QString& text) {
    const std::vector<std::string> faults = session_.Paste(text.toStdString());
    if (!faults.empty()) {
        std::string message;
        for (size_t i = 0; i < faults.size() && i < 6; ++i) {
            message += faults[i] + "\n";
        }
        Warn(QStringLiteral("Οι ενδείξεις ΔΕΝ επικολλήθηκαν:\n") + Q(message));
        return false;
    }
    FillRows();
    Rebill();
    return true;
}

void FrmBilling::ImportFile() {
    const QString path = chooseFile_
                             ? chooseFile_()
                             : QFileDialog::getOpenFileName(
                                   this, QStringLiteral("Εισαγωγή ενδείξεων"), QString(),
                                   QStringLiteral("Κείμενο με tab (*.txt *.tsv *.csv);;Όλα (*)"));
    if (path.isEmpty()) {
        BackToGrid();
        return;
    }
    std::string bytes;
    const FileProblem problem = ReadRegularFile(path.toStdString(), bytes);
    if (problem != FileProblem::None) {
        Warn(Q(FileProblemMessage(path.toStdString(), problem)));
    } else {
        PasteText(QString::fromStdString(bytes));
    }
    BackToGrid();
}

void FrmBilling::ShowSheet(bool notices) {
    if (!bill_.Ok()) {
        return;
    }
    const SheetModel sheet = notices ? NoticesSheet(bill_, session_.Coefficients())
                                     : PeriodSheet(bill_, session_.Coefficients());
    const QString title =
        notices ? QStringLiteral("Ειδοποιητήρια") : QStringLiteral("Φύλλο περιόδου");
    if (preview_) {
        preview_(sheet, title);
    } else {
        SheetPreviewDialog dialog(sheet, ',', '.', this);
        dialog.setWindowTitle(title);
        if (!suggested_.isEmpty()) {
            dialog.SetSuggestedName(suggested_ + QStringLiteral(" - ") + title);
        }
        dialog.exec();
    }
    BackToGrid();
}

void FrmBilling::Warn(const QString& text) {
    if (warn_) {
        warn_(text);
    } else {
        QMessageBox::warning(this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"), text);
    }
}

void FrmBilling::BackToGrid() {
    grid_->setFocus();
}

void FrmBilling::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && grid_->hasFocus()) {
        PasteText(QApplication::clipboard()->text());
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmBilling::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred over the window that opened it, or on the screen.
    const QRect over =
        parentWidget() != nullptr ? parentWidget()->frameGeometry() : screen()->availableGeometry();
    move(over.center() - rect().center());
    grid_->setFocus();
    grid_->setCurrentCell(0, kPrevious);
}

} // namespace pyrostat
