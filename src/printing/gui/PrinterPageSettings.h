#pragma once

#include "printing/PrinterSetup.h"

class QPrinter;

namespace pyrostat {

// Carries the seven page settings between the program's printer setup and a
// Qt printer: orientation, paper size, paper source, copies, colour mode,
// duplex and resolution.
void ApplyPageSettings(QPrinter& printer, const PageSettings& page);
PageSettings ReadPageSettings(const QPrinter& printer);

} // namespace pyrostat
