#include "register/gui/FrmCLient.h"

#include "platform/StorableTyping.h"
#include "platform/Utf8.h"
#include "platform/gui/RefusedInputNotice.h"
#include "platform/gui/WindowHelpers.h"
#include "register/RegisterFile.h"
#include "register/gui/Cp1253Validator.h"
#include "register/gui/FrmCLPass.h"
#include "register/gui/NamesList.h"
#include "register/gui/StarPasswordStyle.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace pyrostat {

namespace {

const QColor kLightYellow(255, 255, 128);
const QColor kLightGreen(128, 255, 128);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

FrmCLient::FrmCLient(ProgramState& state, MessageService& messages, PasswordDialog& dialog,
                     QWidget* parent)
    : QDialog(parent), session_(state, messages, dialog), messages_(messages),
      numbersPath_(RegistrationNumbers::PathBeside(RegisterFile::InProgramFolder(state).Path())) {
    numbers_ = RegistrationNumbers::Read(numbersPath_);
    setWindowTitle(QStringLiteral("ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ"));
    setModal(true);
    BuildControls();
    ConnectControls();
    session_.Open();
    Refresh();
}

void FrmCLient::BuildControls() {
    SSFrame2_ = new QGroupBox(QStringLiteral("! Όνομα Μελετητή, που ισχύει τώρα "), this);
    SSPanel1_ = new QLabel(SSFrame2_);
    SSPanel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SSPanel1_->setMinimumWidth(360);
    Cmd_Copy_ = new QToolButton(SSFrame2_);
    Cmd_Copy_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    Cmd_Copy_->setToolTip(QStringLiteral(" Αντιγραφή του Ονόματος, στη Λίστα "));
    auto* currentRow = new QHBoxLayout(SSFrame2_);
    currentRow->addWidget(SSPanel1_, 1);
    currentRow->addWidget(Cmd_Copy_);

    SSFrame1_ = new QGroupBox(QStringLiteral(" Αλλαγή Ονόματος Μελετητή "), this);
    Lst_Names_ = new NamesList(SSFrame1_);
    Lbl_Client_ = new QLabel(SSFrame1_);
    Txt_Client_ = new QLineEdit(SSFrame1_);
    Txt_Client_->setMaxLength(static_cast<int>(RegisterSession::kMaxNameChars));
    Txt_Client_->setValidator(new Cp1253Validator(Txt_Client_));
    TellRefusedInput(Txt_Client_, [](const std::string& typed) {
        return StorableTypingRefusal(typed, RegisterSession::kMaxNameChars, true);
    });
    LblNoChars_ = new QLabel(SSFrame1_);
    // The registration number, kept beside the register; typed with the name
    // when it is added or corrected, and stored with it.
    Lbl_Am_ = new QLabel(QStringLiteral("ΑΜ ΤΕΕ :"), SSFrame1_);
    Txt_Am_ = new QLineEdit(SSFrame1_);
    Txt_Am_->setMaxLength(static_cast<int>(RegistrationNumbers::kMaxDigits));
    Txt_Am_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Txt_Am_));
    TellRefusedInput(Txt_Am_, [](const std::string& typed) {
        return "«" + ShortenForMessage(typed) +
               "» δεν γράφεται: ο αριθμός μητρώου ΤΕΕ είναι έως 8 ψηφία.";
    });
    Lbl_Am_->setBuddy(Txt_Am_);
    Cmd_New_ = new QPushButton(QStringLiteral("Νέο Όνομα"), SSFrame1_);
    Cmd_COR_ = new QPushButton(QStringLiteral("Διόρθωση"), SSFrame1_);
    Cmd_Del_ = new QPushButton(QStringLiteral("Διαγραφή"), SSFrame1_);
    auto* editButtons = new QHBoxLayout;
    editButtons->addWidget(Cmd_New_);
    editButtons->addWidget(Cmd_COR_);
    editButtons->addWidget(Cmd_Del_);
    auto* changeBox = new QVBoxLayout(SSFrame1_);
    changeBox->addWidget(Lst_Names_, 1);
    changeBox->addWidget(Lbl_Client_);
    changeBox->addWidget(Txt_Client_);
    changeBox->addWidget(LblNoChars_);
    auto* amRow = new QHBoxLayout;
    amRow->addWidget(Lbl_Am_);
    amRow->addWidget(Txt_Am_);
    amRow->addStretch(1);
    changeBox->addLayout(amRow);
    changeBox->addLayout(editButtons);

    Label1_ = new QLabel(QStringLiteral("Password :"), this);
    Txt_Pass_ = new QLineEdit(this);
    Txt_Pass_->setMaxLength(static_cast<int>(RegisterSession::kMaxPasswordChars));
    StarPasswordStyle::Apply(*Txt_Pass_);
    Txt_Pass_->setValidator(new Cp1253Validator(Txt_Pass_));
    TellRefusedInput(Txt_Pass_, [](const std::string& typed) {
        return StorableTypingRefusal(typed, RegisterSession::kMaxPasswordChars, false);
    });
    Txt_Pass_->setToolTip(QString::fromUtf8(kPasswordIsNotEncryption));
    Cmd_Lock_ = new QToolButton(this);
    Cmd_Lock_->setIcon(QIcon::fromTheme(QStringLiteral("dialog-password"),
                                        style()->standardIcon(QStyle::SP_MessageBoxWarning)));
    Cmd_Lock_->setToolTip(QStringLiteral(" Αλλαγή Password "));
    Cmd_OK_ = new QPushButton(QStringLiteral("Αποδοχή"), this);
    Cmd_Exit_ = new QPushButton(QStringLiteral("Έξοδος"), this);
    for (QPushButton* button : {Cmd_New_, Cmd_COR_, Cmd_Del_, Cmd_OK_, Cmd_Exit_}) {
        button->setAutoDefault(false);
        // Enter on a focused button presses it, as Space does.
        button->installEventFilter(this);
    }

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1_);
    bottom->addWidget(Txt_Pass_);
    bottom->addWidget(Cmd_Lock_);
    bottom->addStretch(1);
    bottom->addWidget(Cmd_OK_);
    bottom->addWidget(Cmd_Exit_);

    auto* main = new QVBoxLayout(this);
    main->addWidget(SSFrame2_);
    main->addWidget(SSFrame1_, 1);
    main->addLayout(bottom);
    resize(560, 440);

    SSFrame1_->installEventFilter(this);
    SSFrame2_->installEventFilter(this);
}

void FrmCLient::ConnectControls() {
    connect(Lst_Names_, &QListWidget::currentRowChanged, this, [this](int row) {
        session_.Select(row);
        Refresh();
    });
    connect(Lst_Names_, &NamesList::MousePressed, this, [this] { session_.ListMouseDown(); });
    connect(Lst_Names_, &NamesList::MouseReleased, this, [this](int row) {
        session_.ListMouseUp(row);
        Refresh();
    });
    connect(Lst_Names_, &NamesList::PointerOverRow, this,
            [this](int row) { Lst_Names_->setToolTip(Q(session_.ToolTipAt(row))); });
    connect(Txt_Client_, &QLineEdit::textEdited, this, [this](const QString& text) {
        session_.EditClientText(text.toStdString());
        RefreshCounter();
    });
    connect(Txt_Pass_, &QLineEdit::textEdited, this,
            [this](const QString& text) { session_.EditPassText(text.toStdString()); });
    connect(Cmd_New_, &QPushButton::clicked, this, [this] {
        session_.Cmd_New();
        Refresh();
        Txt_Client_->setFocus();
    });
    connect(Cmd_COR_, &QPushButton::clicked, this, [this] {
        session_.Cmd_COR();
        Refresh();
        Txt_Client_->setFocus();
    });
    connect(Cmd_Del_, &QPushButton::clicked, this, [this] {
        session_.Cmd_Del();
        Refresh();
    });
    connect(Cmd_Copy_, &QToolButton::clicked, this, [this] {
        session_.Cmd_Copy();
        Refresh();
    });
    connect(Cmd_Lock_, &QToolButton::clicked, this, [this] {
        session_.Cmd_Lock();
        Refresh();
    });
    connect(Cmd_OK_, &QPushButton::clicked, this, [this] {
        const bool editing = !session_.ClientLocked();
        session_.Cmd_OK();
        if (editing && session_.ClientLocked()) {
            StoreNumber(); // the name was taken: its number goes with it
        }
        Refresh();
    });
    connect(Cmd_Exit_, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmCLient::RefreshList() {
    const QSignalBlocker blocker(Lst_Names_);
    const auto& names = session_.Names();
    bool same = Lst_Names_->count() == static_cast<int>(names.size());
    for (int i = 0; same && i < Lst_Names_->count(); ++i) {
        same = Lst_Names_->item(i)->text() == Q(names[static_cast<size_t>(i)]);
    }
    if (!same) {
        Lst_Names_->clear();
        for (const auto& name : names) {
            Lst_Names_->addItem(Q(name));
        }
        FitListScrollWidth(*Lst_Names_);
    }
    Lst_Names_->setCurrentRow(session_.Selected());
}

std::string FrmCLient::SelectedName() const {
    const int row = session_.Selected();
    const auto& names = session_.Names();
    return row >= 0 && row < static_cast<int>(names.size()) ? names[static_cast<size_t>(row)]
                                                            : std::string();
}

void FrmCLient::StoreNumber() {
    const std::string name = SelectedName();
    const std::string typed = Txt_Am_->text().toStdString();
    if (name.empty() || numbers_.NumberOf(name) == typed) {
        return;
    }
    RegistrationNumbers numbers = RegistrationNumbers::Read(numbersPath_);
    FileProblem problem = numbers.Problem();
    if (problem == FileProblem::None) {
        numbers.Set(name, typed);
        problem = numbers.Write(numbersPath_);
    }
    if (problem != FileProblem::None) {
        messages_.Show("!! ΠΡΟΣΟΧΗ !!",
                       "Ο αριθμός μητρώου ΤΕΕ δεν αποθηκεύτηκε:\n" +
                           FileProblemMessage(numbersPath_, problem),
                       MessageService::Icon::Exclamation);
        return;
    }
    numbers_ = std::move(numbers);
}

void FrmCLient::RefreshCounter() {
    LblNoChars_->setText(Q(session_.CounterText()));
    LblNoChars_->setVisible(session_.CounterVisible());
}

void FrmCLient::Refresh() {
    RefreshList();
    SSPanel1_->setText(Q(session_.PanelText()));
    Lbl_Client_->setText(Q(session_.ClientCaption()));
    if (Txt_Client_->text() != Q(session_.ClientText())) {
        Txt_Client_->setText(Q(session_.ClientText()));
    }
    Txt_Client_->setReadOnly(session_.ClientLocked());
    QPalette palette = Txt_Client_->palette();
    palette.setColor(QPalette::Base,
                     session_.ClientColour() == RegisterSession::BoxColour::LightGreen
                         ? kLightGreen
                         : kLightYellow);
    palette.setColor(QPalette::Text, Qt::black);
    Txt_Client_->setPalette(palette);
    if (Txt_Pass_->text() != Q(session_.PassText())) {
        Txt_Pass_->setText(Q(session_.PassText()));
    }
    // The number follows the name: typed while the name is, shown otherwise.
    Txt_Am_->setReadOnly(session_.ClientLocked());
    Txt_Am_->setPalette(palette);
    if (session_.ClientLocked()) {
        Txt_Am_->setText(Q(numbers_.NumberOf(SelectedName())));
    }
    Cmd_New_->setEnabled(session_.NewEnabled());
    Cmd_COR_->setEnabled(session_.CorEnabled());
    Cmd_Del_->setEnabled(session_.DelEnabled());
    Cmd_Exit_->setEnabled(session_.ExitEnabled());
    RefreshCounter();
}

void FrmCLient::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(*this);
    Lst_Names_->setFocus();
}

void FrmCLient::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintSunkenEdge(*this);
}

void FrmCLient::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    update();
}

void FrmCLient::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Whenever the window becomes active again (after a box or the password
    // dialog) the list has the keyboard, unless a name is being typed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && session_.ClientLocked()) {
        Lst_Names_->setFocus();
    }
}

void FrmCLient::mouseDoubleClickEvent(QMouseEvent* event) {
    session_.ToggleCounter();
    RefreshCounter();
    event->accept();
}

bool FrmCLient::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QPushButton*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (button != nullptr && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (button->isEnabled()) {
                button->click();
            }
            return true;
        }
    }
    if ((watched == SSFrame1_ || watched == SSFrame2_) &&
        event->type() == QEvent::MouseButtonDblClick) {
        session_.ToggleCounter();
        RefreshCounter();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmCLient::done(int result) {
    // Every way out (Έξοδος, Esc, the close box) writes the list to the file.
    if (!closed_) {
        closed_ = true;
        session_.Close();
    }
    QDialog::done(result);
}

} // namespace pyrostat
