#include "studies/gui/FrmPyros_GData.h"

#include "platform/FileAccess.h"
#include "platform/StorableTyping.h"
#include "platform/gui/RefusedInputNotice.h"

#include "platform/gui/WindowHelpers.h"
#include "studies/gui/GeneralDataValidator.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace pyrostat {

namespace {

// 6255 twips at 15 twips a pixel; 180 twips from the left edge.
constexpr int kBoxWidth = 417;
constexpr int kLeftMargin = 12;

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

const char* FrmPyros_GData::Caption() {
    return "ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΕΡΓΟΥ (< Esc >, για Έξοδο χωρίς καμμία μεταβολή)";
}

FrmPyros_GData::FrmPyros_GData(GeneralDataFields& general, const std::string& programFolder,
                               QWidget* parent)
    : QDialog(parent), form_(general, programFolder) {
    setWindowTitle(QString::fromUtf8(Caption()));
    setModal(true);

    const char* labels[3] = {"ΕΡΓΟΔΟΤΗΣ", "ΕΡΓΟ", "ΘΕΣΗ ΕΡΓΟΥ"};
    const std::string* values[3] = {&form_.Employer(), &form_.Project(), &form_.Location()};
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kLeftMargin, 12, 12, 12);
    for (int i = 0; i < 3; ++i) {
        label_[i] = new QLabel(QString::fromUtf8(labels[i]), this);
        label_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        text_[i] = new QLineEdit(QString::fromStdString(*values[i]), this);
        text_[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        text_[i]->setFixedWidth(kBoxWidth);
        text_[i]->setValidator(new GeneralDataValidator(text_[i]));
        // The double quote would end the value early in the working file.
        TellRefusedInput(text_[i], [](const std::string& typed) {
            return StorableTypingRefusal(typed, 0, true, "\"");
        });
        text_[i]->installEventFilter(this);
        layout->addWidget(label_[i]);
        layout->addWidget(text_[i]);
    }
    cmdOK_ = new QPushButton(QStringLiteral("O.K."), this);
    cmdOK_->setObjectName(QStringLiteral("CmdOK"));
    cmdOK_->setAutoDefault(true);
    layout->addWidget(cmdOK_, 0, Qt::AlignHCenter);
    setTabOrder(text_[0], text_[1]);
    setTabOrder(text_[1], text_[2]);
    setTabOrder(text_[2], cmdOK_);
    connect(cmdOK_, &QPushButton::clicked, this, &FrmPyros_GData::OnOK);
    text_[0]->setFocus();
}

void FrmPyros_GData::OnOK() {
    bool written = true;
    if (form_.Confirm(text_[0]->text().toStdString(), text_[1]->text().toStdString(),
                      text_[2]->text().toStdString(), &written)) {
        if (!written) {
            // The data are kept for this run (and saved with the study); only
            // the working copy in the program folder could not be written.
            const std::string path = form_.WorkingFilePath();
            const FileProblem problem = WriteProblem(path);
            QMessageBox::warning(
                this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"),
                QString::fromStdString(
                    "Τα Γενικά Στοιχεία κρατήθηκαν για τη μελέτη, αλλά το αρχείο εργασίας δεν "
                    "γράφτηκε :\n" +
                    FileProblemMessage(path, problem == FileProblem::None ? FileProblem::WriteError
                                                                          : problem)));
        }
        accept();
    }
}

bool FrmPyros_GData::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The numeric keypad's Enter is Enter too.
        if (IsEnter(key) && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            // Enter moves on from box to box and from the last box to O.K.;
            // it never presses O.K. from a box.
            if (watched == text_[0]) {
                text_[1]->setFocus();
                return true;
            }
            if (watched == text_[1]) {
                text_[2]->setFocus();
                return true;
            }
            if (watched == text_[2]) {
                focusNextChild();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmPyros_GData::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        escaped_ = true;
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmPyros_GData::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintSunkenEdge(*this);
}

void FrmPyros_GData::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    update();
}

void FrmPyros_GData::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(*this, 200.0);
}

bool ShowGeneralDataDialog(QWidget* parent, ProgramState& state) {
    FrmPyros_GData dialog(state, state.ProgramFolder, parent);
    return dialog.exec() == QDialog::Accepted && !dialog.Escaped();
}

} // namespace pyrostat
