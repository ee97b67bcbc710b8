#include "register/RegisterGate.h"

#include "platform/FileAccess.h"
#include "platform/Utf8.h"
#include "program/ProgramState.h"
#include "register/RegisterFile.h"

namespace pyrostat {

RegisterAccess CheckRegisterAccess(const RegisterFile& file, EngineerChoice& engineer,
                                   PasswordDialog& dialog) {
    const FileProblem problem = ExamineFile(file.Path());
    if (problem == FileProblem::Missing) {
        return RegisterAccess::NoRegister;
    }
    if (problem != FileProblem::None) {
        return RegisterAccess::NotReadable;
    }
    if (file.ReadPassword().empty()) {
        engineer.TypedPassword.clear();
        return RegisterAccess::Granted;
    }
    engineer.NewPasswordMode = false;
    dialog.Ask(engineer);
    // Read again: the file is what counts, not what was read before the dialog.
    const std::string stored = file.ReadPassword();
    const std::string typed = TrimBlanks(engineer.TypedPassword);
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
