#pragma once

#include "workspace/MainKeyMap.h"

#include <QObject>

class QKeyEvent;
class QWidget;

namespace pyrostat {

// Lets the main window see every key before the control that has the focus:
// installed on the application, it maps the keys that reach a control of
// `window` through the main window's keyboard map and reports the command.
class MainKeyFilter : public QObject {
    Q_OBJECT

public:
    explicit MainKeyFilter(QWidget& window);

    // The map's view of a key press (exposed for the tests).
    static int MapKey(const QKeyEvent& event);

signals:
    // Raised for every mapped key, before the control would see it.
    void commandRequested(pyrostat::MainCommand command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
};

} // namespace pyrostat
