#pragma once

#include "distribution/CalculationRun.h"
#include "distribution/TitleBoxAccess.h"
#include "distribution/gui/ResultsWindowHooks.h"
#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "workspace/GridContract.h"

class QWidget;

namespace pyrostat {

// The main window's calculation button (CmdGo, Ctrl+Y, Ctrl+G): the check,
// the run and the two files, then the results window, modal over `parent`.
// The grid has the focus afterwards. `showResults` stands in for the modal
// window in tests; unset, the real FrmPyrRes is shown.
CalculationOutcome RunCalculationCommand(QWidget* parent, GridContract& grid, ProgramState& state,
                                         MessageService& messages, const TitleBoxAccess& titleBox,
                                         bool insulated, const ResultsWindowHooks& hooks,
                                         const std::function<void()>& showResults = {});

} // namespace pyrostat
