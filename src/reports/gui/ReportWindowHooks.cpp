#include "reports/gui/ReportWindowHooks.h"

#include <QLabel>
#include <QPointer>

namespace pyrostat {

ReportCommandHooks MakeWaitLabelHooks(QLabel* waitLabel) {
    ReportCommandHooks hooks;
    QPointer<QLabel> label(waitLabel);
    if (label) {
        label->setText(QString::fromUtf8(kWaitCaption));
    }
    hooks.showWait = [label](bool shown) {
        if (!label) {
            return;
        }
        label->setVisible(shown);
        label->repaint();
    };
    return hooks;
}

} // namespace pyrostat
