#include "workspace/gui/MainKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace pyrostat {

MainKeyFilter::MainKeyFilter(QWidget& window) : QObject(&window), window_(window) {}

int MainKeyFilter::MapKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F9) {
        return kKeyF1 + (key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Insert:
        return kKeyInsert;
    case Qt::Key_Delete:
        return kKeyDelete;
    default:
        break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return 'A' + (key - Qt::Key_A);
    }
    // With a Greek keyboard layout Ctrl+C arrives as a Greek letter; the
    // layout-independent key of X11 still names the Latin letter.
    const quint32 native = event.nativeVirtualKey();
    if (native >= 'a' && native <= 'z') {
        return static_cast<int>('A' + (native - 'a'));
    }
    if (native >= 'A' && native <= 'Z') {
        return static_cast<int>(native);
    }
    return 0;
}

bool MainKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    // A key travels on to the parents when a control ignores it; the map acts
    // once, where the key is first delivered.
    if (widget == nullptr || widget->window() != &window_) {
        return false;
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus != widget) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    const MainCommand command = MapMainKey(
        MapKey(*key), {mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier),
                       mods.testFlag(Qt::AltModifier), mods.testFlag(Qt::MetaModifier)});
    if (command == MainCommand::None) {
        return false;
    }
    emit commandRequested(command);
    return ConsumesKey(command);
}

} // namespace pyrostat
