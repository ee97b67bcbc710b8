#include "billing/gui/ReadingsColumnsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace pyrostat {

namespace {

// The lines of the file shown.
constexpr int kShownRows = 8;

constexpr int ReadingColumns::*kRoleColumns[ReadingsColumnsDialog::kRoles] = {
    &ReadingColumns::property, &ReadingColumns::previous, &ReadingColumns::current,
    &ReadingColumns::measure, &ReadingColumns::marks};

const char* const kRoleCaptions[ReadingsColumnsDialog::kRoles] = {
    "Ιδιοκτησία (όνομα ή αριθμός):", "Προηγούμενη ένδειξη:", "Τρέχουσα ένδειξη:",
    "Ώρες / Μονάδες περιόδου:", "Σημειώσεις (κλειστό, αντικατάσταση):"};

} // namespace

ReadingsColumnsDialog::ReadingsColumnsDialog(const SheetRows& sheet, const ReadingColumns& initial,
                                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmReadingsColumns"));
    setWindowTitle(QStringLiteral("Στήλες των ενδείξεων"));
    setModal(true);

    size_t width = 0;
    for (const auto& row : sheet.rows) {
        width = std::max(width, row.size());
    }
    const int shown = static_cast<int>(std::min<size_t>(sheet.rows.size(), kShownRows));
    preview_ = new QTableWidget(shown, static_cast<int>(width), this);
    preview_->setObjectName(QStringLiteral("GrdFileLines"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList captions;
    for (size_t c = 0; c < width; ++c) {
        captions << QStringLiteral("Στήλη %1").arg(c + 1);
    }
    preview_->setHorizontalHeaderLabels(captions);
    for (int r = 0; r < shown; ++r) {
        const auto& row = sheet.rows[static_cast<size_t>(r)];
        for (size_t c = 0; c < row.size(); ++c) {
            preview_->setItem(r, static_cast<int>(c),
                              new QTableWidgetItem(QString::fromStdString(row[c].text)));
        }
    }
    preview_->resizeColumnsToContents();
    preview_->setMinimumSize(560, 200);

    auto* form = new QFormLayout;
    for (int k = 0; k < kRoles; ++k) {
        roles_[k] = new QComboBox(this);
        roles_[k]->setObjectName(QStringLiteral("CboRole%1").arg(k));
        roles_[k]->addItem(QStringLiteral("—"), -1);
        for (size_t c = 0; c < width; ++c) {
            const QString first = sheet.rows.empty() || c >= sheet.rows.front().size()
                                      ? QString()
                                      : QString::fromStdString(sheet.rows.front()[c].text);
            roles_[k]->addItem(QStringLiteral("Στήλη %1%2")
                                   .arg(c + 1)
                                   .arg(first.isEmpty() ? QString() : ": " + first.left(24)),
                               static_cast<int>(c));
        }
        const int chosen = initial.*kRoleColumns[k];
        roles_[k]->setCurrentIndex(std::clamp(chosen + 1, 0, roles_[k]->count() - 1));
        form->addRow(QString::fromUtf8(kRoleCaptions[k]), roles_[k]);
        connect(roles_[k], &QComboBox::currentIndexChanged, this, &ReadingsColumnsDialog::Check);
    }
    headings_ = new QSpinBox(this);
    headings_->setObjectName(QStringLiteral("SpnHeadings"));
    headings_->setRange(0, 20);
    headings_->setValue(std::clamp(initial.headingRows, 0, 20));
    form->addRow(QStringLiteral("Γραμμές επικεφαλίδας (δεν διαβάζονται):"), headings_);
    connect(headings_, &QSpinBox::valueChanged, this, &ReadingsColumnsDialog::Check);

    fault_ = new QLabel(this);
    fault_->setObjectName(QStringLiteral("LblFault"));
    fault_->setStyleSheet(QStringLiteral("color: #b00000;"));
    fault_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("O.K."));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Άκυρο"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Οι πρώτες γραμμές του αρχείου. Πείτε ποια στήλη έχει τι· η επιλογή "
                       "θυμάται για το κτίριο."),
        this));
    layout->addWidget(preview_, 1);
    layout->addLayout(form);
    layout->addWidget(fault_);
    layout->addWidget(buttons_);
    Check();
}

ReadingColumns ReadingsColumnsDialog::Columns() const {
    ReadingColumns columns;
    for (int k = 0; k < kRoles; ++k) {
        columns.*kRoleColumns[k] = roles_[k]->currentData().toInt();
    }
    columns.headingRows = headings_->value();
    return columns;
}

bool ReadingsColumnsDialog::Acceptable() const {
    return Columns().Fault().empty();
}

void ReadingsColumnsDialog::Check() {
    const std::string fault = Columns().Fault();
    fault_->setText(QString::fromStdString(fault));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(fault.empty());
    // The heading rows shown grey, as they are left out.
    for (int r = 0; r < preview_->rowCount(); ++r) {
        for (int c = 0; c < preview_->columnCount(); ++c) {
            if (QTableWidgetItem* item = preview_->item(r, c)) {
                item->setForeground(r < headings_->value() ? QColor(140, 140, 140)
                                                           : palette().text().color());
            }
        }
    }
}

} // namespace pyrostat
