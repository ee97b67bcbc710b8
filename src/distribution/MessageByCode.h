#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"

#include <string>

namespace pyrostat {

// The fixed warning boxes of the program, chosen by a negative code:
//  -1 incomplete property entries, -2 zero area or height, -3 three zero
//  lateral lengths (the title names state.MessageRow), -4 no spreadsheet
//  program. Two beeps come first; any other code shows nothing after them.
void ShowMessageByCode(MessageService& messages, const ProgramState& state, int code);

// Title and prompt of a code's box, as ShowMessageByCode shows them; false for
// a code without a box.
bool MessageTextByCode(const ProgramState& state, int code, std::string& title,
                       std::string& prompt);

// The run's own stops (zero total losses, a share that cannot stand in the
// formula): the same title and beeps as the fixed boxes, a critical icon.
inline constexpr const char* kAttentionTitle = "!! ΠΡΟΣΟΧΗ !!";
void ShowCalculationStop(MessageService& messages, const std::string& prompt);

} // namespace pyrostat
