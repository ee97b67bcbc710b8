#include "app/CommandLine.h"

#include "app/BillCommand.h"
#include "app/BuildingCommand.h"
#include "app/CalcCommand.h"
#include "app/CommandGuard.h"
#include "app/ConvertCommand.h"
#include "app/ExitCodes.h"
#include "app/HistoryCommand.h"
#include "app/RegisterCommand.h"
#include "billing/HistoryStore.h"
#include "platform/ProgramFolder.h"
#include "program/ProgramState.h"

#include <ostream>

namespace pyrostat {

bool IsSubcommand(const std::string& word) {
    return word == "calc" || word == "convert" || word == "register" || word == "report" ||
           word == "bill" || word == "history" || word == "building" || word == "help" ||
           word == "--help" || word == "-h";
}

std::string UsageText() {
    return "Χρήση:\n"
           "  pyrostat [ΜΕΛΕΤΗ.pyx]                  το παράθυρο του προγράμματος\n"
           "  pyrostat calc ΜΕΛΕΤΗ.pyx [--export] [--decimal ,|.]\n"
           "  pyrostat convert ΕΙΣΟΔΟΣ ΕΞΟΔΟΣ         .pyx <-> κείμενο με tab,\n"
           "                                          .xlsx | .ods | .csv -> .pyx\n"
           "  pyrostat report formulas|table|data[,...] ΜΕΛΕΤΗ.pyx [--pdf Α.pdf] [--xlsx Α.xlsx]\n"
           "  pyrostat bill ΣΥΝΤΕΛΕΣΤΕΣ ΕΝΔΕΙΞΕΙΣ --cost ΠΟΣΟ [--method hours|energy]\n"
           "        [--from ΗΜΕΡ. --to ΗΜΕΡ.] [--estimate] [--tsv Α] [--pdf Α.pdf] [--xlsx "
           "Α.xlsx]\n"
           "        [--notices Α.pdf] [--notices-dir ΦΑΚΕΛΟΣ] [--due ΗΜΕΡ.] [--save] [--carry]\n"
           "        [--decimal ,|.]\n"
           "                                          ο λογαριασμός μιας περιόδου θέρμανσης\n"
           "  pyrostat history ΣΥΝΤΕΛΕΣΤΕΣ [--tsv Α] [--export Α]   οι αποθηκευμένες περίοδοι\n"
           "  pyrostat history --export Α | --import Α             όλο το ιστορικό σε αρχείο, "
           "και από αρχείο\n"
           "  pyrostat building ΣΥΝΤΕΛΕΣΤΕΣ [--owners Α [--from ΗΜΕΡ.]] [--iban IBAN]\n"
           "        [--manager ΟΝΟΜΑ] [--phone ΤΗΛ.] [--days Ν]  ιδιοκτήτες και στοιχεία πληρωμής\n"
           "  pyrostat register list [ΑΡΧΕΙΟ]\n"
           "  pyrostat register add ΟΝΟΜΑ [ΑΡΧΕΙΟ]\n"
           "  pyrostat register am ΟΝΟΜΑ ΑΡΙΘΜΟΣ|- [ΑΡΧΕΙΟ]\n"
           "\n" +
           std::string(kExitStatusText);
}

HistoryStore ChosenHistoryStore() {
    const EnvironmentReader env = SystemEnvironment();
    return ChooseHistoryStore(env, ResolveProgramFolder(env));
}

std::string PrepareProgramFolder() {
    const std::string folder = ResolveProgramFolder(SystemEnvironment());
    if (!SeedProgramFolder(folder, SeedSourceFolders())) {
        return {};
    }
    return folder;
}

namespace {

std::optional<int> RunCommandWord(const std::vector<std::string>& args, std::istream& in,
                                  std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        return std::nullopt;
    }
    const std::string& word = args[0];
    if (word == "help" || word == "--help" || word == "-h") {
        out << UsageText();
        return 0;
    }
    if (word == "building") {
        return RunBuildingCommand(std::vector<std::string>(args.begin() + 1, args.end()),
                                  ChosenHistoryStore(), out, err);
    }
    if (word == "bill" || word == "history") {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (word == "bill" && BillWantsSheets(rest)) {
            return std::nullopt; // the sheets need the renderer: the program starts it
        }
        if (word == "history") {
            return RunHistoryCommand(rest, ChosenHistoryStore(), out, err);
        }
        BillContext context;
        context.history = ChosenHistoryStore();
        return RunBillCommand(rest, in, out, err, context);
    }
    if (word != "calc" && word != "convert" && word != "register") {
        return std::nullopt;
    }
    ProgramState state;
    state.ProgramFolder = PrepareProgramFolder();
    if (state.ProgramFolder.empty()) {
        err << "Ο φάκελος του προγράμματος δεν μπορεί να δημιουργηθεί.\n";
        return 1;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (word == "calc") {
        return RunCalcCommand(rest, state, in, out, err);
    }
    if (word == "convert") {
        return RunConvertCommand(rest, state, in, out, err);
    }
    return RunRegisterCommand(rest, state, in, out, err);
}

} // namespace

std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::istream& in,
                                  std::ostream& out, std::ostream& err) {
    std::optional<int> status;
    const int guarded = GuardedCommand(
        [&] {
            status = RunCommandWord(args, in, out, err);
            return status.value_or(kExitOk);
        },
        err);
    // Stopped by the guard: the status it gives, not a start of the window.
    return status || guarded == kExitOk ? status : std::optional<int>(guarded);
}

} // namespace pyrostat
