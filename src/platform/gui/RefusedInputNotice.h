#pragma once

#include <functional>
#include <string>

class QLineEdit;

namespace pyrostat {

// Why a text box refuses `typed` (the text a key or a paste would have
// made), as a Greek sentence; empty when there is nothing to tell.
using RefusalReason = std::function<std::string(const std::string& typed)>;

// A key or a paste that the box's validator or length limit refuses is told
// beside the box, with a beep, instead of vanishing: the box keeps its text
// and the user reads why. `reason` is asked with the text the key or the
// paste would have made.
void TellRefusedInput(QLineEdit* edit, RefusalReason reason);

} // namespace pyrostat
