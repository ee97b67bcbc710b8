#pragma once

#include "printing/PrinterDialog.h"

class QWidget;

namespace pyrostat {

// Qt's printer dialog, owned by the given window.
class PrinterDialogQt : public PrinterDialog {
public:
    explicit PrinterDialogQt(QWidget* owner) : owner_(owner) {}
    PrinterDialogAnswer Show(const PrinterSetup& current) override;

private:
    QWidget* owner_;
};

} // namespace pyrostat
