#pragma once

#include "register/PasswordDialog.h"

#include "register/RegisterFile.h"

#include <string>

namespace pyrostat {

struct ProgramState;

// What a wrong password is told as.
inline constexpr const char* kWrongPasswordText =
    "... λάθος κωδικός (Password) : το Μητρώο των Μελετητών ΔΕΝ ανοίγει ...";

enum class RegisterAccess {
    NoRegister,    // "CLIENTS.MIR" is not in the program folder: the command does nothing
    NotReadable,   // something else stands in its place (a folder, a FIFO) or it cannot be read
    Refused,       // no password given (Esc, or nothing typed): nothing is shown, no message
    WrongPassword, // a password was typed and it is not the register's: told
    Granted,       // the register window may open
};

// The check of the register command Cmd_Client before the register window
// opens, on the register `file`. A protected register asks for its password
// through `dialog`; the typed and the stored password are compared after
// trimming both. An unprotected register opens without the dialog.
RegisterAccess CheckRegisterAccess(const RegisterFile& file, PasswordDialog& dialog);

// The message for a register that is there but cannot be read as one.
std::string RegisterNotReadableMessage(const ProgramState& state);

} // namespace pyrostat
