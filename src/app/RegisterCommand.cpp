#include "app/RegisterCommand.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "register/ClientRecord.h"
#include "register/RegisterFile.h"

#include <istream>
#include <ostream>

namespace pyrostat {

namespace {

constexpr const char* kUsage =
    "usage: pyrostat register list [FILE]\n"
    "       pyrostat register add NAME [FILE]\n"
    "\n"
    "Lists or extends the engineer register (\"CLIENTS.MIR\" in the program folder\n"
    "unless FILE is given). When the register is protected, `add` asks for its\n"
    "password on standard input.\n"
    "\n"
    "The register password keeps casual users out; it is not encryption. The names\n"
    "and the password are only scrambled with a key fixed by the file format, and\n"
    "anyone who knows the format can read them.\n";

RegisterFile FileFor(const std::vector<std::string>& args, size_t index,
                     const ProgramState& state) {
    return args.size() > index ? RegisterFile(args[index]) : RegisterFile::InProgramFolder(state);
}

// Reads the register or says why it cannot; a damaged length is reported but
// the whole records are still used.
bool ReadOrReport(const RegisterFile& file, RegisterContents& contents, std::ostream& err) {
    contents = file.Read();
    switch (contents.status) {
    case RegisterContents::Status::Missing:
        err << "pyrostat register: no register file " << file.Path() << "\n";
        return false;
    case RegisterContents::Status::Unreadable:
        err << "pyrostat register: cannot read " << file.Path() << "\n";
        return false;
    case RegisterContents::Status::Damaged:
        err << "pyrostat register: warning: " << file.Path()
            << " is not a whole number of 100-byte records; " << contents.wholeRecords
            << " whole record(s) read\n";
        return true;
    case RegisterContents::Status::Ok:
        return true;
    }
    return false;
}

int List(const std::vector<std::string>& args, const ProgramState& state, std::ostream& out,
         std::ostream& err) {
    if (args.size() > 2) {
        err << kUsage;
        return 1;
    }
    RegisterContents contents;
    if (!ReadOrReport(FileFor(args, 1, state), contents, err)) {
        return 1;
    }
    for (const std::string& name : contents.names) {
        out << name << "\n";
    }
    out << (contents.password.empty() ? "(not protected by a password)\n"
                                      : "(protected by a password)\n");
    return 0;
}

int Add(const std::vector<std::string>& args, const ProgramState& state, std::istream& in,
        std::ostream& out, std::ostream& err) {
    if (args.size() < 2 || args.size() > 3) {
        err << kUsage;
        return 1;
    }
    const std::string name = TrimBlanks(args[1]);
    if (name.empty()) {
        err << "pyrostat register: the name is empty\n";
        return 1;
    }
    if (!IsCp1253Encodable(name)) {
        err << "pyrostat register: the name holds characters that the register (Windows-1253) "
               "cannot store\n";
        return 1;
    }
    const RegisterFile file = FileFor(args, 2, state);
    RegisterContents contents;
    if (!ReadOrReport(file, contents, err)) {
        return 1;
    }
    if (!contents.password.empty()) {
        err << "Password: " << std::flush;
        std::string typed;
        std::getline(in, typed);
        if (!typed.empty() && typed.back() == '\r') {
            typed.pop_back();
        }
        if (TrimBlanks(typed) != contents.password) {
            err << "pyrostat register: wrong password\n";
            return 2;
        }
    }
    if (Utf8Length(name) > ClientRecord::kNameWidth) {
        err << "pyrostat register: warning: the name is cut to its first "
            << ClientRecord::kNameWidth << " characters\n";
    }
    if (!file.Append(name, contents.password)) {
        err << "pyrostat register: cannot write " << file.Path() << "\n";
        return 1;
    }
    out << "added as entry " << contents.wholeRecords + 1 << ": "
        << Utf8Left(name, ClientRecord::kNameWidth) << "\n";
    return 0;
}

} // namespace

int RunRegisterCommand(const std::vector<std::string>& args, ProgramState& state, std::istream& in,
                       std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 1;
    }
    if (args[0] == "list") {
        return List(args, state, out, err);
    }
    if (args[0] == "add") {
        return Add(args, state, in, out, err);
    }
    if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        out << kUsage;
        return 0;
    }
    err << kUsage;
    return 1;
}

} // namespace pyrostat
