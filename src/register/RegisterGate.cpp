#include "register/RegisterGate.h"

#include "platform/FileAccess.h"
#include "platform/Utf8.h"
#include "program/ProgramState.h"
#include "register/RegisterFile.h"

namespace pyrostat {

RegisterAccess CheckRegisterAccess(ProgramState& state, PasswordDialog& dialog) {
    const RegisterFile file = RegisterFile::InProgramFolder(state);
    const FileProblem problem = ExamineFile(file.Path());
    if (problem == FileProblem::Missing) {
        return RegisterAccess::NoRegister;
    }
    if (problem != FileProblem::None) {
        return RegisterAccess::NotReadable;
    }
    if (file.ReadPassword().empty()) {
        state.TypedPassword.clear();
        return RegisterAccess::Granted;
    }
    state.NewPasswordMode = false;
    dialog.Ask(state);
    // Read again: the file is what counts, not what was read before the dialog.
    const std::string stored = file.ReadPassword();
    return TrimBlanks(state.TypedPassword) == TrimBlanks(stored) ? RegisterAccess::Granted
                                                                 : RegisterAccess::Refused;
}

std::string RegisterNotReadableMessage(const ProgramState& state) {
    const RegisterFile file = RegisterFile::InProgramFolder(state);
    return "ΤΟ ΜΗΤΡΩΟ ΤΩΝ ΜΕΛΕΤΗΤΩΝ ΔΕΝ ΔΙΑΒΑΖΕΤΑΙ :\n" +
           FileProblemMessage(file.Path(), ExamineFile(file.Path()));
}

} // namespace pyrostat
