#include "register/gui/NamesList.h"

#include <QMouseEvent>

namespace pyrostat {

NamesList::NamesList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setMouseTracking(true);
}

void NamesList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit MousePressed();
    }
}

void NamesList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit MouseReleased(currentRow());
    }
}

void NamesList::mouseMoveEvent(QMouseEvent* event) {
    QListWidget::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        emit PointerOverRow(index.isValid() ? index.row() : -1);
    }
}

} // namespace pyrostat
