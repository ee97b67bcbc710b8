#pragma once

#include "platform/MessageService.h"
#include "register/RegisterFile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pyrostat {

// The register's message and question boxes. Every box comes after two beeps.
// Codes 1, 4, 6 and 7 are questions with No as the default button; true when
// the answer is Yes. Code 7 names `name`. Other codes show nothing (false).
bool ShowRegisterMessage(int code, MessageService& messages, std::string_view name = {});

// The boxes of the password dialog: 1 the two new passwords differ, 2 the
// question whether the register should go without a password (true for Yes).
// Other codes show nothing.
bool Messages_Pass(int code, MessageService& messages);

// The register file could not be read as a whole: missing, unreadable (the
// list stays empty and the file as it is), empty, or with a length that is
// not a whole number of records (opened with the whole ones it has).
void ShowRegisterReadWarning(MessageService& messages, const RegisterContents& contents,
                             const std::string& path);

// The register file could not be written; nothing of the change is stored.
void ShowRegisterWriteFailure(MessageService& messages);

} // namespace pyrostat
