#include "app/RegisterCommand.h"

#include "platform/Codepage1253.h"
#include "platform/FileAccess.h"
#include "platform/Utf8.h"
#include "register/ClientRecord.h"
#include "register/RegisterFile.h"
#include "register/RegistrationNumbers.h"

#include <algorithm>

#include <istream>
#include <ostream>

namespace pyrostat {

namespace {

constexpr const char* kUsage =
    "Χρήση: pyrostat register list [ΑΡΧΕΙΟ]\n"
    "       pyrostat register add ΟΝΟΜΑ [ΑΡΧΕΙΟ]\n"
    "       pyrostat register am ΟΝΟΜΑ ΑΡΙΘΜΟΣ|- [ΑΡΧΕΙΟ]\n"
    "\n"
    "Δείχνει ή συμπληρώνει το μητρώο των μελετητών (\"CLIENTS.MIR\" στον φάκελο του\n"
    "προγράμματος, εκτός αν δοθεί ΑΡΧΕΙΟ). Το am γράφει τον αριθμό μητρώου ΤΕΕ ενός\n"
    "μελετητή του μητρώου (1 έως 8 ψηφία· «-» τον σβήνει) στο \"CLIENTS_AM.txt\" δίπλα\n"
    "στο μητρώο, και τον τυπώνουν οι εκτυπώσεις δίπλα στο όνομα. Όταν το μητρώο έχει\n"
    "κωδικό, τα add και am τον ζητούν από την τυπική είσοδο.\n"
    "\n"
    "Ο κωδικός του μητρώου κρατά μακριά τον περαστικό χρήστη· δεν είναι κρυπτογράφηση.\n"
    "Τα ονόματα και ο κωδικός είναι μόνο ανακατεμένα με κλειδί που ορίζει η μορφή του\n"
    "αρχείου, και όποιος ξέρει τη μορφή μπορεί να τα διαβάσει.\n"
    "\n"
    "Κατάσταση εξόδου: 0 επιτυχία, 1 το αρχείο λείπει ή δεν διαβάζεται/γράφεται ή λάθος\n"
    "χρήση, 2 λάθος κωδικός.\n";

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
        err << "pyrostat register: δεν υπάρχει μητρώο μελετητών: " << file.Path() << "\n";
        return false;
    case RegisterContents::Status::Unreadable:
        err << "pyrostat register: " << FileProblemMessage(file.Path(), contents.problem) << "\n";
        return false;
    case RegisterContents::Status::Damaged:
        if (!contents.partialRecord) {
            err << "pyrostat register: προσοχή: το μητρώο " << file.Path()
                << " είναι κενό (καμία εγγραφή)\n";
            return true;
        }
        err << "pyrostat register: προσοχή: το μήκος του " << file.Path()
            << " δεν είναι πολλαπλάσιο των 100 bytes· διαβάστηκαν " << contents.wholeRecords
            << " πλήρεις εγγραφές\n";
        return true;
    case RegisterContents::Status::Ok:
        return true;
    }
    return false;
}

// Asks for the register's password on the standard input when it has one.
bool PasswordGiven(const RegisterContents& contents, std::istream& in, std::ostream& err) {
    if (contents.password.empty()) {
        return true;
    }
    err << "Κωδικός: " << std::flush;
    std::string typed;
    std::getline(in, typed);
    if (!typed.empty() && typed.back() == '\r') {
        typed.pop_back();
    }
    if (TrimBlanks(typed) != contents.password) {
        err << "pyrostat register: λάθος κωδικός\n";
        return false;
    }
    return true;
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
    const RegistrationNumbers numbers =
        RegistrationNumbers::Read(RegistrationNumbers::PathBeside(FileFor(args, 1, state).Path()));
    for (const std::string& name : contents.names) {
        const std::string number = numbers.NumberOf(name);
        out << name << (number.empty() ? "" : "\tΑΜ ΤΕΕ " + number) << "\n";
    }
    out << (contents.password.empty() ? "(χωρίς κωδικό)\n" : "(με κωδικό)\n");
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
        err << "pyrostat register: το όνομα είναι κενό\n";
        return 1;
    }
    if (!IsCp1253Encodable(name)) {
        err << "pyrostat register: το όνομα έχει χαρακτήρες που το μητρώο (Windows-1253) "
               "δεν αποθηκεύει\n";
        return 1;
    }
    const RegisterFile file = FileFor(args, 2, state);
    RegisterContents contents;
    if (!ReadOrReport(file, contents, err)) {
        return 1;
    }
    if (!PasswordGiven(contents, in, err)) {
        return 2;
    }
    if (Utf8Length(name) > ClientRecord::kNameWidth) {
        err << "pyrostat register: προσοχή: το όνομα κόβεται στους πρώτους "
            << ClientRecord::kNameWidth << " χαρακτήρες\n";
    }
    if (!file.Append(name, contents.password)) {
        err << "pyrostat register: το μητρώο δεν γράφτηκε: " << file.Path() << "\n";
        return 1;
    }
    out << "καταχωρήθηκε ως εγγραφή " << contents.wholeRecords + 1 << ": "
        << Utf8Left(name, ClientRecord::kNameWidth) << "\n";
    return 0;
}

int SetNumber(const std::vector<std::string>& args, const ProgramState& state, std::istream& in,
              std::ostream& out, std::ostream& err) {
    if (args.size() < 3 || args.size() > 4) {
        err << kUsage;
        return 1;
    }
    const std::string name = TrimBlanks(args[1]);
    const std::string number = args[2] == "-" ? std::string() : TrimBlanks(args[2]);
    if (args[2] != "-" && !IsRegistrationNumber(number)) {
        err << "pyrostat register: ο αριθμός μητρώου ΤΕΕ είναι 1 έως 8 ψηφία: " << args[2] << "\n";
        return 1;
    }
    const RegisterFile file = FileFor(args, 3, state);
    RegisterContents contents;
    if (!ReadOrReport(file, contents, err)) {
        return 1;
    }
    if (std::find(contents.names.begin(), contents.names.end(), name) == contents.names.end()) {
        err << "pyrostat register: το όνομα δεν είναι στο μητρώο: " << name << "\n";
        return 1;
    }
    if (!PasswordGiven(contents, in, err)) {
        return 2;
    }
    const std::string path = RegistrationNumbers::PathBeside(file.Path());
    RegistrationNumbers numbers = RegistrationNumbers::Read(path);
    if (numbers.Problem() != FileProblem::None) {
        err << "pyrostat register: " << FileProblemMessage(path, numbers.Problem()) << "\n";
        return 1;
    }
    if (numbers.SkippedLines() > 0) {
        // Lines that were not a name and a number are dropped when it is written.
        err << "pyrostat register: προσοχή: " << numbers.SkippedLines() << " γραμμές του " << path
            << " δεν ήταν όνομα και αριθμός και δεν κρατήθηκαν\n";
    }
    numbers.Set(name, number);
    if (const FileProblem problem = numbers.Write(path); problem != FileProblem::None) {
        err << "pyrostat register: " << FileProblemMessage(path, problem) << "\n";
        return 1;
    }
    out << name << (number.empty() ? ": χωρίς ΑΜ ΤΕΕ\n" : ": ΑΜ ΤΕΕ " + number + "\n");
    return 0;
}

} // namespace

int RunRegisterCommand(const std::vector<std::string>& args, const ProgramState& state,
                       std::istream& in, std::ostream& out, std::ostream& err) {
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
    if (args[0] == "am") {
        return SetNumber(args, state, in, out, err);
    }
    if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") {
        out << kUsage;
        return 0;
    }
    err << kUsage;
    return 1;
}

} // namespace pyrostat
