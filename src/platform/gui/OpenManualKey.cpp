#include "platform/gui/OpenManualKey.h"

#include "platform/ManualLauncher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace pyrostat {

OpenManualKey::OpenManualKey(ManualLauncher& launcher, QWidget* window)
    : QObject(window), launcher_(launcher), window_(window) {
    // The key reaches whichever control has the focus, so it is watched for
    // the whole program and taken when that control lies in this window.
    QCoreApplication::instance()->installEventFilter(this);
}

OpenManualKey::~OpenManualKey() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool OpenManualKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || window_.isNull()) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != window_ && !window_->isAncestorOf(widget))) {
        return false;
    }
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) {
        launcher_.OpenManual();
    }
    event->accept();
    return true;
}

} // namespace pyrostat
