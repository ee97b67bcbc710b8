#pragma once

#include "app/gui/WindowStart.h"

namespace pyrostat {

// Connects the main window's commands to the parts of the program that carry
// them out: studies, calculation and results window, general data, reports,
// printers, the engineer register and the manual. The services it creates
// live as long as the window. A non-empty `studyPath` (the study the program
// was started with, as a double click in the file manager does) is opened once
// the window has started.
void WireProgram(FrmPyros& window, ProgramState& state, MessageService& messages,
                 const std::string& studyPath = {});

} // namespace pyrostat
