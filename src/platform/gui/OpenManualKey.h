#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace pyrostat {

class ManualLauncher;

// F1 anywhere in a window opens the user manual; the key goes no further.
// One is made for the main window and one for the results window.
class OpenManualKey : public QObject {
    Q_OBJECT

public:
    OpenManualKey(ManualLauncher& launcher, QWidget* window);
    ~OpenManualKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ManualLauncher& launcher_;
    QPointer<QWidget> window_;
};

} // namespace pyrostat
