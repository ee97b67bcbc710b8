#include "studies/gui/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace pyrostat {

namespace {

// "Special Files (*.pyx)|*.pyx" is written for Qt as "Special Files (*.pyx)".
QString QtFilter(const std::string& filter) {
    const size_t bar = filter.find('|');
    return QString::fromStdString(bar == std::string::npos ? filter : filter.substr(0, bar));
}

void MakeGreek(QFileDialog& dialog, bool save) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Αναζήτηση σε:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Όνομα αρχείου:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Τύπος αρχείων:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QStringLiteral("Αποθήκευση") : QStringLiteral("Άνοιγμα"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Άκυρο"));
}

// The remembered folder when it is still there, else the command's own.
QString StartIn(const std::string& remembered, const std::string& startFolder) {
    if (!remembered.empty() && QFileInfo(QString::fromStdString(remembered)).isDir()) {
        return QString::fromStdString(remembered);
    }
    return QString::fromStdString(startFolder);
}

} // namespace

std::optional<std::string> QtFileDialogs::AskOpenFileName(const std::string& startFolder,
                                                          const std::string& filter) {
    QFileDialog dialog(parent_, QStringLiteral("ΑΝΑΚΛΗΣΗ ΑΡΧΕΙΟΥ ΜΕΛΕΤΗΣ"),
                       StartIn(lastOpenFolder, startFolder), QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The captions last: setting the modes puts Qt's own button texts back.
    MakeGreek(dialog, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    lastOpenFolder = QFileInfo(dialog.selectedFiles().first()).absolutePath().toStdString();
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtFileDialogs::AskSaveFileName(const std::string& startFolder,
                                                          const std::string& filter) {
    QString folder = StartIn(lastSaveFolder, startFolder);
    while (true) {
        QFileDialog dialog(parent_, QStringLiteral("ΑΠΟΘΗΚΕΥΣΗ ΜΕΛΕΤΗΣ"), folder, QtFilter(filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        MakeGreek(dialog, true);
        dialog.setDefaultSuffix(QStringLiteral("pyx"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString chosen = dialog.selectedFiles().first();
        lastSaveFolder = QFileInfo(chosen).absolutePath().toStdString();
        if (!QFileInfo::exists(chosen)) {
            return chosen.toStdString();
        }
        const auto answer = QMessageBox::question(
            parent_, QStringLiteral("!... ΠΡΟΣΟΧΗ ...!"),
            QStringLiteral("Το αρχείο\n%1\nυπάρχει ήδη. Αντικατάσταση ???").arg(chosen),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            return chosen.toStdString();
        }
        folder = QFileInfo(chosen).absolutePath();
    }
}

} // namespace pyrostat
