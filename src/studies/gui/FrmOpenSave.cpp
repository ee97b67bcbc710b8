#include "studies/gui/FrmOpenSave.h"

#include "platform/gui/WindowHelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <utility>

namespace pyrostat {

namespace {

QLabel* ValueLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(260);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

FrmOpenSave::FrmOpenSave(const ProgramState& state,
                         std::function<void(const std::string&)> openStudy, QWidget* parent,
                         ShortDateFormatter formatDate, MessageService* messages)
    : QDialog(parent), browser_(state, std::move(formatDate)), openStudy_(std::move(openStudy)),
      messages_(messages) {
    setModal(true);
    setWindowTitle(QString());

    lstStudies_ = new QListWidget(this);
    lstStudies_->setObjectName(QStringLiteral("LstStudies"));
    lstStudies_->setMinimumSize(420, 260);
    lstStudies_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstStudies_->setMouseTracking(true);
    lstStudies_->viewport()->setMouseTracking(true);
    lstStudies_->viewport()->installEventFilter(this);

    cmdOpenSave_ =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton), QString(), this);
    cmdOpenSave_->setObjectName(QStringLiteral("CmdOpenSave"));
    cmdOpenSave_->setIconSize(QSize(32, 32));
    cmdOpenSave_->setToolTip(QStringLiteral(" ΑΝΟΙΓΜΑ ΜΕΛΕΤΗΣ "));
    cmdOpenSave_->setAutoDefault(false);
    cmdClassic_ =
        new QPushButton(style()->standardIcon(QStyle::SP_FileDialogListView), QString(), this);
    cmdClassic_->setObjectName(QStringLiteral("CmdClassic"));
    cmdClassic_->setIconSize(QSize(32, 32));
    cmdClassic_->setToolTip(QStringLiteral(" Λίστα ΑΡΧΕΙΩΝ "));
    cmdClassic_->setAutoDefault(false);

    lblFileName_ = ValueLabel(this, "LblFileName");
    lblFilePath_ = ValueLabel(this, "LblFilePath");
    lblFileDate_ = ValueLabel(this, "LblFileDate");
    lblFileTime_ = ValueLabel(this, "LblFileTime");
    lblNumber_ = new QLabel(this);
    lblNumber_->setObjectName(QStringLiteral("LblNumber"));
    lblNumber_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* details = new QGridLayout;
    details->addWidget(Caption(this, "Label1", "ΟΝΟΜΑΣΙΑ ΑΡΧΕΙΟΥ ΤΗΣ ΜΕΛΕΤΗΣ"), 0, 0);
    details->addWidget(lblFileName_, 1, 0);
    details->addWidget(Caption(this, "Label2", "PATH (FOLDER) ΑΡΧΕΙΟΥ ΤΗΣ ΜΕΛΕΤΗΣ"), 2, 0);
    details->addWidget(lblFilePath_, 3, 0);
    details->addWidget(Caption(this, "Label3", "ΗΜΕΡΟΜΗΝΙΑ ΑΡΧΕΙΟΥ : "), 4, 0);
    details->addWidget(lblFileDate_, 5, 0);
    details->addWidget(Caption(this, "Label4", "ΩΡΑ ΑΡΧΕΙΟΥ : "), 6, 0);
    details->addWidget(lblFileTime_, 7, 0);
    details->setRowStretch(8, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOpenSave_);
    buttons->addWidget(cmdClassic_);
    buttons->addStretch(1);
    buttons->addWidget(lblNumber_);

    auto* left = new QVBoxLayout;
    left->addWidget(lstStudies_, 1);
    left->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addLayout(left, 1);
    layout->addLayout(details);

    connect(lstStudies_, &QListWidget::currentRowChanged, this, &FrmOpenSave::OnSelect);
    connect(lstStudies_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { cmdOpenSave_->click(); });
    connect(cmdOpenSave_, &QPushButton::clicked, this, &FrmOpenSave::OnOpen);
    connect(cmdClassic_, &QPushButton::clicked, this, &FrmOpenSave::OnClassic);

    // Loading the window: the list file is rebuilt and read back.
    browser_.Load();
    for (const std::string& line : browser_.Lines()) {
        lstStudies_->addItem(QString::fromStdString(line));
    }
    lblNumber_->setText(QString::fromStdString(browser_.CountText()));
    FitListScrollWidth(*lstStudies_);
    Activate();
    if (!browser_.Warning.empty() && messages_ != nullptr) {
        // Told once the window is on the screen, over it.
        QTimer::singleShot(0, this, [this] {
            messages_->ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!", browser_.Warning,
                                     MessageService::Icon::Exclamation);
            lstStudies_->setFocus();
        });
    }
}

void FrmOpenSave::Activate() {
    browser_.Activate();
    {
        const QSignalBlocker block(lstStudies_);
        lstStudies_->setCurrentRow(-1);
        lstStudies_->clearSelection();
    }
    ShowLabels();
}

void FrmOpenSave::ShowLabels() {
    lblFileName_->setText(QString::fromStdString(browser_.FileNameLabel));
    lblFilePath_->setText(QString::fromStdString(browser_.FilePathLabel));
    lblFileDate_->setText(QString::fromStdString(browser_.FileDateLabel));
    lblFileTime_->setText(QString::fromStdString(browser_.FileTimeLabel));
    setWindowTitle(QString::fromStdString(browser_.Caption));
}

void FrmOpenSave::OnSelect(int row) {
    if (row < 0) {
        return;
    }
    browser_.Select(row);
    ShowLabels();
}

void FrmOpenSave::OnOpen() {
    const std::optional<std::string> path = browser_.SelectedPath();
    if (!path) {
        return; // no line selected
    }
    if (openStudy_) {
        openStudy_(*path);
    }
    accept();
}

void FrmOpenSave::OnClassic() {
    classic_ = true;
    accept();
}

bool FrmOpenSave::event(QEvent* event) {
    // The selection is reset once, when the window opens: coming back to the
    // program from another application keeps the line the user chose.
    if (event->type() == QEvent::WindowActivate && !activatedOnce_) {
        activatedOnce_ = true;
        Activate();
    }
    return QDialog::event(event);
}

bool FrmOpenSave::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstStudies_->viewport() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (move->buttons() == Qt::NoButton) {
            const QModelIndex index = lstStudies_->indexAt(move->position().toPoint());
            lstStudies_->setToolTip(
                QString::fromStdString(browser_.ToolTipFor(index.isValid() ? index.row() : -1)));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmOpenSave::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    // The etched frame along the edge of the client area.
    qDrawShadeRect(&painter, rect().adjusted(2, 2, -2, -2), palette(), true, 1, 0);
}

void FrmOpenSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(*this);
}

} // namespace pyrostat
