#include "app/CalcCommand.h"

#include "app/SystemLocale.h"

#include "app/StreamMessages.h"

#include "app/CommandOptions.h"
#include "app/ExitCodes.h"
#include "distribution/CalculationRun.h"
#include "distribution/ResultsFiles.h"
#include "platform/FileAccess.h"

#include "platform/MessageService.h"
#include "platform/RecordFile.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyRecords.h"
#include "workspace/GridLayout.h"

#include <locale>
#include <ostream>

namespace pyrostat {

namespace {

void Usage(std::ostream& err) {
    err << "Χρήση: pyrostat calc ΜΕΛΕΤΗ.pyx [--export] [--decimal ,|.]\n";
}

} // namespace

int RunCalcCommand(const std::vector<std::string>& args, ProgramState& state, std::istream& /*in*/,
                   std::ostream& out, std::ostream& err) {
    bool exportFiles = false;
    std::string decimalText;
    const CommandOption table[] = {
        {"--export", nullptr, &exportFiles},
        {"--decimal", &decimalText},
    };
    const std::optional<std::vector<std::string>> files = ParseCommandOptions(args, table, err);
    if (!files) {
        Usage(err);
        return kExitUsage;
    }
    if (files->size() != 1) {
        Usage(err);
        return kExitUsage;
    }
    const std::string& studyPath = files->front();
    if (!decimalText.empty() && decimalText != "," && decimalText != ".") {
        err << "Το --decimal δέχεται μόνο \",\" ή \".\"\n";
        return kExitUsage;
    }
    const char decimal = decimalText.empty() ? 0 : decimalText[0];
    if (decimal != 0) {
        state.DecimalSeparatorCode = decimal;
        state.ThousandsSeparatorCode = decimal == ',' ? '.' : ',';
    } else {
        const NumberLocale system = SystemNumberLocale();
        state.DecimalSeparatorCode = system.decimal;
        state.ThousandsSeparatorCode = system.group;
    }

    std::string bytes;
    const FileProblem problem = ReadRegularFile(studyPath, bytes);
    if (problem != FileProblem::None) {
        err << "ΔΕΝ είναι δυνατή η ανάγνωση της μελέτης: " << FileProblemMessage(studyPath, problem)
            << '\n';
        return kExitFileProblem;
    }
    const DecodedStudy study = DecodeStudyRecords(bytes, NumberLocale::Of(state), kGridRows);
    if (study.Damaged()) {
        // A calculation on part of a study would be signed as the whole one.
        err << DamagedStudyMessage(study, studyPath) << '\n'
            << "Ο υπολογισμός δεν έγινε: διορθώστε τη μελέτη στο παράθυρο του προγράμματος και "
               "αποθηκεύστε την.\n";
        return kExitRefused;
    }
    // The insulation box starts ticked; the file's choice decides from there.
    const bool insulated = study.InsulatedAfterOpening(true);

    const std::string companion = CompanionPathOf(studyPath);
    const GeneralDataRead general = ReadGeneralDataFile(companion);
    if (general.problem != FileProblem::None && general.problem != FileProblem::Missing) {
        err << "ΔΕΝ είναι δυνατή η ανάγνωση των γενικών στοιχείων: "
            << FileProblemMessage(companion, general.problem) << '\n';
        return kExitFileProblem;
    }
    if (!general.refusal.empty()) {
        err << companion << ": " << general.refusal << '\n';
        return kExitRefused;
    }
    state.Employer = general.data.Employer;
    state.Project = general.data.Project;
    state.Location = general.data.Location;
    if (exportFiles && !GeneralDataComplete(state)) {
        err << "!! ΠΡΟΣΟΧΗ !!\n... Τα Γενικά Στοιχεία του Έργου (ΕΡΓΟΔΟΤΗΣ, ΕΡΓΟ, ΘΕΣΗ ΕΡΓΟΥ) "
               "είναι ελλιπή: συμπληρώστε τα στο "
            << companion << " για την εξαγωγή ...\n";
        return kExitRefused;
    }

    StreamMessages messages(err);
    DistributionResult result;
    switch (RunStudyCalculation(study.rows, study.title, state, messages, insulated, &result)) {
    case CalculationOutcome::NothingToDo:
        err << "!! ΠΡΟΣΟΧΗ !!\n... Η Μελέτη ΔΕΝ έχει Ιδιοκτησίες ...\n";
        return kExitRefused;
    case CalculationOutcome::Stopped:
        return kExitRefused;
    case CalculationOutcome::WriteFailed: {
        err << "ΔΕΝ είναι δυνατή η εγγραφή στον φάκελο του προγράμματος: " << state.ProgramFolder
            << '\n';
        if (const std::string why = DistributionFilesProblem(state); !why.empty()) {
            err << why << '\n';
        }
        return kExitFileProblem;
    }
    case CalculationOutcome::Written:
        break;
    }
    for (const std::string& line : result.lines) {
        out << line << '\n';
    }
    if (exportFiles) {
        const ExportResult exported = ExportForCommonExpenses(state);
        if (!exported) {
            err << "ΔΕΝ έγινε η εξαγωγή για το πρόγραμμα των κοινοχρήστων: " << exported.problem
                << '\n';
            return kExitFileProblem;
        }
    }
    return kExitOk;
}

} // namespace pyrostat
