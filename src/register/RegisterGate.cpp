#include "register/RegisterGate.h"

#include "platform/FileAccess.h"
#include "platform/Utf8.h"
#include "program/ProgramState.h"
#include "register/RegisterFile.h"

namespace pyrostat {

RegisterAccess CheckRegisterAccess(const RegisterFile& file, PasswordDialog& dialog) {
    const FileProblem problem = ExamineFile(file.Path());
    if (problem == FileProblem::Missing) {
        return RegisterAccess::NoRegister;
    }
    if (problem != FileProblem::None) {
        return RegisterAccess::NotReadable;
    }
    if (file.ReadPassword().empty()) {
        return RegisterAccess::Granted;
    }
    const std::string typed = TrimBlanks(dialog.Ask(PasswordAsk::Register).value_or(""));
    // Read again: the file is what counts, not what was read before the dialog.
    const std::string stored = file.ReadPassword();
    if (typed == TrimBlanks(stored)) {
        return RegisterAccess::Granted;
    }
    return typed.empty() ? RegisterAccess::Refused : RegisterAccess::WrongPassword;
}

std::string RegisterNotReadableMessage(const ProgramState& state) {
    const RegisterFile file = RegisterFile::InProgramFolder(state);
    return "ΤΟ ΜΗΤΡΩΟ ΤΩΝ ΜΕΛΕΤΗΤΩΝ ΔΕΝ ΔΙΑΒΑΖΕΤΑΙ :\n" +
           FileProblemMessage(file.Path(), ExamineFile(file.Path()));
}

} // namespace pyrostat
