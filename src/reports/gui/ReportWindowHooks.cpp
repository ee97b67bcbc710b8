#include "reports/gui/ReportWindowHooks.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>

#include <memory>

namespace pyrostat {

ReportCommandHooks MakeWaitLabelHooks(QLabel* waitLabel) {
    ReportCommandHooks hooks;
    QPointer<QLabel> label(waitLabel);
    if (label) {
        label->setText(QString::fromUtf8(kWaitCaption));
    }
    // The busy cursor goes with the label, so a wait shows wherever the
    // engineer looks; it is put back once for every time it was set.
    auto busy = std::make_shared<bool>(false);
    hooks.showWait = [label, busy](bool shown) {
        if (shown != *busy) {
            shown ? QApplication::setOverrideCursor(Qt::WaitCursor)
                  : QApplication::restoreOverrideCursor();
            *busy = shown;
        }
        if (!label) {
            return;
        }
        label->setVisible(shown);
        label->repaint();
    };
    return hooks;
}

} // namespace pyrostat
