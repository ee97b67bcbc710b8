#include "register/gui/FrmCLPass.h"

#include <QKeyEvent>

#include "platform/StorableTyping.h"
#include "platform/gui/RefusedInputNotice.h"
#include "platform/gui/WindowHelpers.h"
#include "register/gui/Cp1253Validator.h"
#include "register/gui/StarPasswordStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pyrostat {

namespace {

QLineEdit* PasswordBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(static_cast<int>(PasswordEntry::kMaxPasswordChars));
    StarPasswordStyle::Apply(*box);
    box->setValidator(new Cp1253Validator(box));
    // A password is never quoted back.
    TellRefusedInput(box, [](const std::string& typed) {
        return StorableTypingRefusal(typed, PasswordEntry::kMaxPasswordChars, false);
    });
    return box;
}

} // namespace

FrmCLPass::FrmCLPass(PasswordAsk ask, MessageService& messages, QWidget* parent)
    : QDialog(parent), entry_(ask, messages) {
    setWindowTitle(QStringLiteral("ΟΝΟΜΑ ΜΕΛΕΤΗΤΗ (Esc για Έξοδο)"));
    setModal(true);

    SSPanel1_ = new QLabel(QStringLiteral("Προστασία με Password"), this);
    SSPanel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SSPanel1_->setAlignment(Qt::AlignCenter);
    SSPanel1_->setToolTip(QString::fromUtf8(kPasswordIsNotEncryption));
    Label1_ = new QLabel(QStringLiteral("Δώστε το Password :"), this);
    TxtPass_ = PasswordBox(this);
    LblOK_ = new QLabel(QStringLiteral("Επιβεβαιώστε το Νέο Password :"), this);
    TxtPassOK_ = PasswordBox(this);
    CmdOK_ = new QPushButton(QStringLiteral("Ο.Κ."), this);
    CmdOK_->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(SSPanel1_, 0, 0, 1, 2);
    grid->addWidget(Label1_, 1, 0);
    grid->addWidget(TxtPass_, 1, 1);
    grid->addWidget(LblOK_, 2, 0);
    grid->addWidget(TxtPassOK_, 2, 1);
    grid->addWidget(CmdOK_, 3, 1, Qt::AlignRight);

    // Enter moves on as Tab does; only the O.K. button accepts.
    connect(TxtPass_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(TxtPassOK_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(CmdOK_, &QPushButton::clicked, this, &FrmCLPass::OnOk);
    // Enter (either key) on the focused O.K. presses it, as Space does.
    CmdOK_->installEventFilter(this);

    const PasswordEntry::Layout layout = entry_.Open();
    Label1_->setText(QString::fromStdString(layout.label1));
    SSPanel1_->setVisible(layout.showPanel);
    LblOK_->setVisible(layout.showConfirmation);
    TxtPassOK_->setVisible(layout.showConfirmation);
    TxtPassOK_->clear();
    TxtPass_->clear();
}

void FrmCLPass::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(*this);
    TxtPass_->setFocus();
}

void FrmCLPass::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintSunkenEdge(*this);
}

void FrmCLPass::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    update();
}

void FrmCLPass::OnOk() {
    switch (entry_.CmdOK(TxtPass_->text().toStdString(), TxtPassOK_->text().toStdString())) {
    case PasswordEntry::OkOutcome::Close:
        accept();
        break;
    case PasswordEntry::OkOutcome::RetryConfirmation:
        TxtPassOK_->clear();
        TxtPassOK_->setFocus();
        break;
    case PasswordEntry::OkOutcome::RetryPassword:
        TxtPass_->setFocus();
        break;
    }
}

bool FrmCLPass::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CmdOK_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CmdOK_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmCLPass::done(int result) {
    if (!closed_) {
        closed_ = true;
        typed_ = entry_.Closing();
    }
    QDialog::done(result);
}

} // namespace pyrostat
