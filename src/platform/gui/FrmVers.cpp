#include "platform/gui/FrmVers.h"

#include "platform/gui/WindowHelpers.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace pyrostat {

FrmVers::FrmVers(std::function<std::string()> systemName, QWidget* parent)
    : QDialog(parent), systemName_(std::move(systemName)) {
    setWindowTitle(QStringLiteral("Pyrostat"));
    setModal(true);

    text1_ = new QLineEdit(QString::fromUtf8(kVersionText), this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setMinimumWidth(320);

    ssCommand1_ = new QPushButton(QStringLiteral("O.K."), this);
    ssCommand1_->setObjectName(QStringLiteral("SSCommand1"));
    ssCommand1_->setDefault(true);
    connect(ssCommand1_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->addWidget(text1_);
    layout->addWidget(ssCommand1_, 0, Qt::AlignHCenter);
}

void FrmVers::mouseDoubleClickEvent(QMouseEvent* event) {
    text1_->setText(QString::fromStdString(systemName_ ? systemName_() : std::string()));
    event->accept();
}

void FrmVers::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintSunkenEdge(*this);
}

void FrmVers::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    update();
}

void FrmVers::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(*this);
}

} // namespace pyrostat
