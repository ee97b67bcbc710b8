#include "studies/gui/TableImportDialog.h"

#include "workspace/GridLayout.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pyrostat {

TableImportDialog::TableImportDialog(const ImportedTable& table, const std::string& path,
                                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TableImportDialog"));
    setWindowTitle(QStringLiteral("ΕΙΣΑΓΩΓΗ ΠΙΝΑΚΑ ΙΔΙΟΚΤΗΣΙΩΝ"));
    setModal(true);
    const ParsedStudyText& parsed = table.parsed;
    const StudyTextContents& c = parsed.contents;

    rows_ = new QTableWidget(static_cast<int>(c.rows.size()), kGridColumns, this);
    rows_->setObjectName(QStringLiteral("Rows"));
    QStringList headers;
    for (const std::string& header : ColumnHeaders()) {
        headers << QString::fromStdString(header).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    rows_->setHorizontalHeaderLabels(headers);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < rows_->rowCount(); ++r) {
        for (int col = 1; col <= kGridColumns; ++col) {
            auto* item = new QTableWidgetItem(QString::fromStdString(
                c.rows[static_cast<size_t>(r)][static_cast<size_t>(col - 1)]));
            if (IsNumberColumn(col)) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            rows_->setItem(r, col - 1, item);
        }
    }
    int refusedCells = 0;
    QStringList refusedHeaders;
    for (const TextRefusal& refusal : parsed.refusals) {
        if (refusal.row >= 1 && refusal.row <= rows_->rowCount() && refusal.col >= 1 &&
            refusal.col <= kGridColumns) {
            QTableWidgetItem* item = rows_->item(refusal.row - 1, refusal.col - 1);
            item->setText(QString::fromStdString(refusal.text));
            item->setBackground(QColor(255, 170, 170));
            item->setToolTip(QString::fromStdString(refusal.reason));
            ++refusedCells;
        } else {
            refusedHeaders << QString::fromStdString(DescribeRefusal(refusal));
        }
    }
    rows_->resizeColumnsToContents();

    QString text = QStringLiteral("Αρχείο: %1\n%2 ιδιοκτησίες")
                       .arg(QString::fromStdString(path))
                       .arg(c.rows.size());
    if (table.headerRow != 0) {
        text += QStringLiteral(" (στήλες από τους τίτλους της γραμμής %1)").arg(table.headerRow);
    }
    if (!c.title.empty()) {
        text += QStringLiteral("\nΘέμα μελέτης: ") + QString::fromStdString(c.title);
    }
    if (c.insulationGiven) {
        text += QStringLiteral("\nΘερμομόνωση: ") +
                (c.insulation ? QStringLiteral("ΝΑΙ") : QStringLiteral("ΟΧΙ"));
    }
    if (refusedCells > 0) {
        text += QStringLiteral("\n%1 τιμές (με κόκκινο) δεν γίνονται δεκτές από τον πίνακα και "
                               "θα μείνουν κενές.")
                    .arg(refusedCells);
    }
    for (const QString& line : refusedHeaders) {
        text += QStringLiteral("\n") + line;
    }
    summary_ = new QLabel(text, this);
    summary_->setObjectName(QStringLiteral("Summary"));
    summary_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import =
        buttons->addButton(QStringLiteral("Εισαγωγή"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("CmdImport"));
    import->setEnabled(!c.rows.empty());
    buttons->addButton(QStringLiteral("Άκυρο"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(rows_, 1);
    layout->addWidget(buttons);
    resize(1000, 520);
}

std::optional<std::string> AskTableFileName(QWidget* parent, const std::string& startFolder) {
    QFileDialog dialog(parent, QStringLiteral("ΕΙΣΑΓΩΓΗ ΠΙΝΑΚΑ ΑΠΟ ΑΡΧΕΙΟ"),
                       QString::fromStdString(startFolder),
                       QStringLiteral("Πίνακες (*.xlsx *.ods *.csv *.txt)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Αναζήτηση σε:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Όνομα αρχείου:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Τύπος αρχείων:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Άνοιγμα"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Άκυρο"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

} // namespace pyrostat
