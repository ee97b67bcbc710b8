#include "app/ConvertCommand.h"

#include "platform/FileTests.h"
#include "platform/RecordFile.h"
#include "studies/DiskFileStore.h"
#include "studies/GeneralDataFile.h"
#include "studies/SafeReplace.h"
#include "studies/StudyRecords.h"
#include "studies/StudyText.h"
#include "workspace/NumberLocale.h"

#include <ostream>

namespace pyrostat {

namespace {

constexpr const char* kUsage = "Χρήση: pyrostat convert ΕΙΣΟΔΟΣ ΕΞΟΔΟΣ\n"
                               "  μελέτη.pyx -> κείμενο.txt   ή   κείμενο.txt -> μελέτη.pyx\n";

int StudyToText(const std::string& in, const std::string& outPath, ProgramState& state,
                std::ostream& out, std::ostream& err) {
    std::string bytes;
    if (!FileExists(in) || !ReadWholeFile(in, bytes)) {
        err << "Το αρχείο της μελέτης δεν διαβάζεται: " << in << '\n';
        return 1;
    }
    const DecodedStudy study = DecodeStudyRecords(bytes, NumberLocale::Of(state), kGridRows);
    StudyTextContents contents;
    contents.title = study.title;
    contents.insulation = study.insulation == -1.0f;
    contents.rows = study.rows;
    std::string companion;
    if (FileExists(CompanionPathOf(in)) && ReadWholeFile(CompanionPathOf(in), companion)) {
        ParseGeneralData(companion, contents.general);
    }
    if (!WriteWholeFile(outPath, FormatStudyText(contents))) {
        err << "Το αρχείο δεν γράφτηκε: " << outPath << '\n';
        return 1;
    }
    out << study.rows.size() << " σειρές -> " << outPath << '\n';
    if (study.Damaged()) {
        err << DamagedStudyMessage(study, in) << '\n';
        return 2;
    }
    return 0;
}

int TextToStudy(const std::string& in, const std::string& outPath, ProgramState& state,
                std::ostream& out, std::ostream& err) {
    if (!HasStudyExtension(outPath)) {
        err << "Η μελέτη γράφεται σε αρχείο με κατάληξη .pyx: " << outPath << '\n';
        return 1;
    }
    std::string text;
    if (!FileExists(in) || !ReadWholeFile(in, text)) {
        err << "Το αρχείο κειμένου δεν διαβάζεται: " << in << '\n';
        return 1;
    }
    const ParsedStudyText parsed = ParseStudyText(text, NumberLocale::Of(state));
    if (!parsed.refusals.empty()) {
        for (const TextRefusal& refusal : parsed.refusals) {
            err << in << ": " << DescribeRefusal(refusal) << '\n';
        }
        err << parsed.refusals.size() << " τιμές δεν γίνονται δεκτές: η μελέτη δεν γράφτηκε.\n";
        return 2;
    }
    const StudyTextContents& c = parsed.contents;
    std::vector<PendingFile> files{
        {outPath, EncodeStudyRecords(c.rows, c.title, c.insulation, state)}};
    const bool anyGeneral =
        !c.general.Employer.empty() || !c.general.Project.empty() || !c.general.Location.empty();
    if (anyGeneral) {
        files.push_back({CompanionPathOf(outPath), FormatGeneralData(c.general)});
    }
    DiskFileStore disk;
    if (!ReplaceFilesSafely(files, disk)) {
        err << "Η μελέτη δεν γράφτηκε (τα προηγούμενα αρχεία έμειναν όπως ήταν): " << outPath
            << '\n';
        return 1;
    }
    if (!anyGeneral) {
        // A companion left from an earlier study would give this one its data.
        disk.Remove(CompanionPathOf(outPath));
    }
    out << c.rows.size() << " σειρές -> " << outPath << '\n';
    return 0;
}

} // namespace

int RunConvertCommand(const std::vector<std::string>& args, ProgramState& state,
                      std::istream& /*in*/, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        err << kUsage;
        return 1;
    }
    const std::string& input = args[0];
    const std::string& output = args[1];
    if (HasStudyExtension(input)) {
        if (HasStudyExtension(output)) {
            err << "Μία από τις δύο πλευρές πρέπει να είναι αρχείο κειμένου.\n" << kUsage;
            return 1;
        }
        return StudyToText(input, output, state, out, err);
    }
    return TextToStudy(input, output, state, out, err);
}

} // namespace pyrostat
