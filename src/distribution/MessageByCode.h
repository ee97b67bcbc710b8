#pragma once

#include "platform/MessageService.h"

#include <string>

namespace pyrostat {

// The fixed warning boxes of the program, chosen by a negative code:
//  -1 incomplete property entries, -2 zero area or height, -3 three zero
//  lateral lengths (the title names the `row`, from 1), -4 no spreadsheet
//  program. Two beeps come first; any other code shows nothing after them.
void ShowMessageByCode(MessageService& messages, int code, int row = 0);

// Title and prompt of a code's box, as ShowMessageByCode shows them; false for
// a code without a box.
bool MessageTextByCode(int code, int row, std::string& title, std::string& prompt);

// The run's own stops (zero total losses, a share that cannot stand in the
// formula): the same title and beeps as the fixed boxes, a critical icon.
inline constexpr const char* kAttentionTitle = "!! ΠΡΟΣΟΧΗ !!";
void ShowCalculationStop(MessageService& messages, const std::string& prompt);

} // namespace pyrostat
