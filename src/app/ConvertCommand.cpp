#include "app/ConvertCommand.h"

#include "app/ExitCodes.h"
#include "app/ListedFaults.h"
#include "platform/FileAccess.h"

#include "platform/RecordFile.h"
#include "program/NumberLocale.h"
#include "studies/DiskFileStore.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyCommit.h"
#include "studies/StudyRecords.h"
#include "studies/StudyText.h"
#include "studies/TableImport.h"

#include <ostream>

namespace pyrostat {

namespace {

constexpr const char* kUsage = "Χρήση: pyrostat convert ΕΙΣΟΔΟΣ ΕΞΟΔΟΣ\n"
                               "  μελέτη.pyx -> κείμενο.txt   ή   κείμενο.txt -> μελέτη.pyx\n"
                               "  πίνακας.xlsx | πίνακας.ods | πίνακας.csv -> μελέτη.pyx\n"
                               "  μελέτη.pyx -> -   (το κείμενο στην τυπική έξοδο)\n";

int StudyToText(const std::string& in, const std::string& outPath, const ProgramState& state,
                std::ostream& out, std::ostream& err) {
    DiskFileStore disk;
    FinishInterruptedCommit(in, disk);
    std::string bytes;
    const FileProblem problem = ReadRegularFile(in, bytes);
    if (problem != FileProblem::None) {
        err << "Το αρχείο της μελέτης δεν διαβάζεται: " << FileProblemMessage(in, problem) << '\n';
        return kExitFileProblem;
    }
    const DecodedStudy study = DecodeStudyRecords(bytes, NumberLocale::Of(state), kGridRows);
    StudyTextContents contents;
    contents.title = study.title;
    contents.insulation = study.InsulatedAfterOpening();
    contents.rows = study.rows;
    const GeneralDataRead general = ReadGeneralDataFile(CompanionPathOf(in));
    if (general.problem != FileProblem::None && general.problem != FileProblem::Missing) {
        err << "Τα γενικά στοιχεία δεν διαβάζονται: "
            << FileProblemMessage(CompanionPathOf(in), general.problem) << '\n';
        return kExitFileProblem;
    }
    if (!general.refusal.empty()) {
        err << CompanionPathOf(in) << ": " << general.refusal << '\n';
        return kExitRefused;
    }
    contents.general = general.data;
    if (outPath == "-") {
        // The text itself on the standard output; the count goes aside.
        out << FormatStudyText(contents);
        err << study.rows.size() << " σειρές -> τυπική έξοδος\n";
        if (study.Damaged()) {
            err << DamagedStudyMessage(study, in) << '\n';
            return kExitRefused;
        }
        return kExitOk;
    }
    const FileProblem written = ReplaceFileSafely(outPath, FormatStudyText(contents));
    if (written != FileProblem::None) {
        err << "Το αρχείο δεν γράφτηκε: " << FileProblemMessage(outPath, written) << '\n';
        return kExitFileProblem;
    }
    out << study.rows.size() << " σειρές -> " << outPath << '\n';
    if (study.Damaged()) {
        err << DamagedStudyMessage(study, in) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

int TextToStudy(const std::string& in, const std::string& outPath, const ProgramState& state,
                std::ostream& out, std::ostream& err) {
    if (!HasStudyExtension(outPath)) {
        err << "Η μελέτη γράφεται σε αρχείο με κατάληξη .pyx: " << outPath << '\n';
        return kExitUsage;
    }
    // The program's text form, or a property table of a spreadsheet file.
    const ImportedTable table = ImportTable(in, NumberLocale::Of(state));
    if (!table.Read()) {
        err << "Ο πίνακας δεν διαβάζεται: " << ImportProblemMessage(in, table) << '\n';
        return table.problem != FileProblem::None ? kExitFileProblem : kExitRefused;
    }
    const ParsedStudyText& parsed = table.parsed;
    if (!parsed.refusals.empty()) {
        WriteListedFaults(
            err, parsed.refusals.size(),
            [&](size_t i) { return in + ": " + DescribeRefusal(parsed.refusals[i]); },
            [&](size_t left) {
                return in + ": ... και άλλες " + std::to_string(left) + " τιμές.";
            });
        err << parsed.refusals.size() << " τιμές δεν γίνονται δεκτές: η μελέτη δεν γράφτηκε.\n";
        return kExitRefused;
    }
    const StudyTextContents& c = parsed.contents;
    if (c.rows.empty() && ExamineFile(outPath) != FileProblem::Missing) {
        // An empty text over a study would leave an empty study in its place.
        err << "Το κείμενο " << in << " δεν έχει καμία ιδιοκτησία: η μελέτη " << outPath
            << " δεν αντικαταστάθηκε.\n";
        return kExitRefused;
    }
    StudyCommit commit;
    commit.studyPath = outPath;
    // Without its "# ΜΟΝΩΣΗ" line a table takes the box's starting tick, as
    // the calculation of a study without a choice does.
    const bool insulation = c.insulationGiven ? c.insulation : true;
    commit.files = {{outPath, EncodeStudyRecords(c.rows, c.title, insulation, state)}};
    const bool anyGeneral =
        !c.general.Employer.empty() || !c.general.Project.empty() || !c.general.Location.empty();
    if (anyGeneral) {
        commit.files.push_back({CompanionPathOf(outPath), FormatGeneralData(c.general)});
    } else if (ExamineFile(CompanionPathOf(outPath)) != FileProblem::Missing) {
        // A companion left from an earlier study would give this one its data.
        commit.removals.push_back(CompanionPathOf(outPath));
    }
    DiskFileStore disk;
    const CommitResult result = CommitStudyFiles(commit, disk);
    if (!result.Done()) {
        err << "Η μελέτη δεν γράφτηκε (τα προηγούμενα αρχεία έμειναν όπως ήταν): "
            << FileProblemMessage(result.path, result.problem) << '\n';
        return kExitFileProblem;
    }
    out << c.rows.size() << " σειρές -> " << outPath << '\n';
    return kExitOk;
}

} // namespace

int RunConvertCommand(const std::vector<std::string>& args, const ProgramState& state,
                      std::istream& /*in*/, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& input = args[0];
    const std::string& output = args[1];
    if (HasStudyExtension(input)) {
        if (HasStudyExtension(output)) {
            err << "Μία από τις δύο πλευρές πρέπει να είναι αρχείο κειμένου.\n" << kUsage;
            return kExitUsage;
        }
        return StudyToText(input, output, state, out, err);
    }
    return TextToStudy(input, output, state, out, err);
}

} // namespace pyrostat
