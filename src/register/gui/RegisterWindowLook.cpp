#include "register/gui/RegisterWindowLook.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

#include <algorithm>

namespace pyrostat {

void CentreRegisterWindow(QWidget& window) {
    QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2);
}

void PaintRegisterEdge(QWidget& window) {
    QPainter painter(&window);
    qDrawShadePanel(&painter, window.rect(), window.palette(), /*sunken=*/true, /*lineWidth=*/2);
}

void FitNamesScrollWidth(QListWidget& list) {
    qsizetype longest = 0;
    for (int i = 0; i < list.count(); ++i) {
        longest = std::max(longest, list.item(i)->text().size());
    }
    // As wide as that many letters "W" and one more, in the list's font.
    const int width = QFontMetrics(list.font()).horizontalAdvance(QString(longest + 1, u'W'));
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* item = list.item(i);
        QSize hint = item->sizeHint();
        hint.setWidth(std::max(hint.width(), width));
        item->setSizeHint(hint);
    }
}

} // namespace pyrostat
