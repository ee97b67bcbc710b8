#include "workspace/gui/RangeBoxes.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace pyrostat {

RangeBoxes::RangeBoxes(QWidget* parent) : QWidget(parent) {
    static const char* const captions[] = {
        "Άνω Σειρά :", "Κάτω Σειρά :", "Αριστ. Στήλη :", "Δεξιά Στήλη :"};
    static const char* const boxNames[] = {"TxtUpperRow", "TxtLowerRow", "TxtLeftCol",
                                           "TxtRightCol"};
    static const char* const labelNames[] = {"LblUpperRow", "LblLowerRow", "LblLeftCol",
                                             "LblRightCol"};
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    for (size_t i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), this);
        label->setObjectName(QString::fromLatin1(labelNames[i]));
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setMaximumWidth(56);
        box->installEventFilter(this);
        label->setBuddy(box);
        labels_[i] = label;
        boxes_[i] = box;
        const int row = static_cast<int>(i % 2);
        const int col = static_cast<int>(i / 2) * 2;
        layout->addWidget(label, row, col);
        layout->addWidget(box, row, col + 1);
    }
}

void RangeBoxes::ClearAndDisable() {
    for (size_t i = 0; i < 4; ++i) {
        boxes_[i]->clear();
        boxes_[i]->setEnabled(false);
        labels_[i]->setEnabled(false);
    }
}

bool RangeBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (size_t i = 0; i < 4; ++i) {
            if (watched == boxes_[i]) {
                Highlight(static_cast<int>(i), event->type() == QEvent::FocusIn);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RangeBoxes::Highlight(int i, bool focused) {
    QLabel* label = labels_[static_cast<size_t>(i)];
    QLineEdit* box = boxes_[static_cast<size_t>(i)];
    const QPalette system = QApplication::palette();
    QPalette labelPalette = system;
    QPalette boxPalette = system;
    if (focused) {
        labelPalette.setColor(QPalette::Window, QColor(255, 0, 0));
        labelPalette.setColor(QPalette::WindowText, QColor(255, 255, 0));
        boxPalette.setColor(QPalette::Base, system.color(QPalette::Active, QPalette::Highlight));
        boxPalette.setColor(QPalette::Text, QColor(255, 255, 0));
    } else {
        labelPalette.setColor(QPalette::Window, system.color(QPalette::Button));
        labelPalette.setColor(QPalette::WindowText, system.color(QPalette::ButtonText));
        boxPalette.setColor(QPalette::Base, system.color(QPalette::Base));
        boxPalette.setColor(QPalette::Text, system.color(QPalette::Text));
    }
    label->setPalette(labelPalette);
    box->setPalette(boxPalette);
}

} // namespace pyrostat
