#include "workspace/gui/KeysDuringMessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace pyrostat {

KeysDuringMessage::KeysDuringMessage(QWidget* editor) : editor_(editor) {
    qApp->installEventFilter(this);
}

KeysDuringMessage::~KeysDuringMessage() {
    qApp->removeEventFilter(this);
}

bool KeysDuringMessage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || editor_.isNull()) {
        return false;
    }
    QWidget* box = box_.isNull() ? QApplication::activeModalWidget() : box_.data();
    auto* widget = qobject_cast<QWidget*>(watched);
    if (box == nullptr || widget == nullptr || widget->window() != box) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool types = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                       key->key() != Qt::Key_Space &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool erases = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    if (!types && !erases) {
        return false; // the box's own keys
    }
    kept_.push_back(
        std::make_unique<QKeyEvent>(QEvent::KeyPress, key->key(), key->modifiers(), key->text()));
    if (box_.isNull()) {
        box_ = box;
        box->close();
    }
    return true;
}

void KeysDuringMessage::Replay() {
    qApp->removeEventFilter(this);
    if (editor_.isNull()) {
        return;
    }
    for (const auto& key : kept_) {
        QKeyEvent press(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(editor_, &press);
    }
    kept_.clear();
}

} // namespace pyrostat
