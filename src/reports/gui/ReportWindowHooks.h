#pragma once

#include "reports/ReportCommands.h"

class QLabel;

namespace pyrostat {

// The report commands' hooks for a window with a wait label: the label gets
// its caption "... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ...", is shown while a report is made
// and repainted at once, since the report blocks the event loop. The general
// data dialog and the printer members are left for the window to set.
ReportCommandHooks MakeWaitLabelHooks(QLabel* waitLabel);

} // namespace pyrostat
