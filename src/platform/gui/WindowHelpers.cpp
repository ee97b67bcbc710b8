#include "platform/gui/WindowHelpers.h"

#include "platform/WindowPlacement.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <qdrawutil.h>

namespace pyrostat {

void CenterForm(QWidget& form, double offsetTwipsDown, double offsetTwipsRight) {
    QScreen* screen = form.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize frame = form.frameGeometry().size();
    const QSize size = frame.isValid() && frame.width() >= form.width() ? frame : form.size();
    const WindowPosition pos =
        CentredPosition(area.left(), area.top(), area.width(), area.height(), size.width(),
                        size.height(), screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY(),
                        offsetTwipsDown, offsetTwipsRight);
    form.move(pos.left, pos.top);
}

void PaintSunkenEdge(QWidget& form) {
    QPainter painter(&form);
    qDrawShadePanel(&painter, form.rect(), form.palette(), /*sunken=*/true, /*lineWidth=*/2);
}

bool FitListScrollWidth(QListWidget& list) {
    int longest = 0;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        if (item != nullptr) {
            longest = std::max(longest, static_cast<int>(item->text().size()));
        }
    }
    const QFontMetrics metrics(list.font());
    const int width = metrics.horizontalAdvance(QString(longest + 1, QLatin1Char('W')));
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (width > list.viewport()->width() && list.count() > 0) {
        // Item views scroll by their contents; a minimum width on the items
        // makes the horizontal range as wide as the longest entry needs. The
        // height of a line is measured once: asking each item for its place
        // lays the whole list out again, for every item.
        int height = list.visualItemRect(list.item(0)).height();
        if (height <= 0) {
            height = metrics.height() + 2;
        }
        list.setUpdatesEnabled(false);
        for (int i = 0; i < list.count(); ++i) {
            QListWidgetItem* item = list.item(i);
            QSize hint = item->sizeHint();
            if (!hint.isValid()) {
                hint = QSize(width, height);
            }
            hint.setWidth(std::max(hint.width(), width));
            item->setSizeHint(hint);
        }
        list.setUpdatesEnabled(true);
    }
    return true;
}

} // namespace pyrostat
