#include "distribution/ResultsFiles.h"

#include "distribution/FormulaFactors.h"
#include "distribution/FormulaTextFile.h"
#include "platform/FileAccess.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"

#include <filesystem>

namespace pyrostat {

namespace {

std::string CoefficientFile(const std::vector<FormulaFactors>& rows) {
    std::string bytes;
    for (const FormulaFactors& f : rows) {
        bytes += f.CoefficientLine();
        bytes += "\r\n";
    }
    return bytes;
}

bool Contains(const std::string& line, std::string_view part) {
    return line.find(part) != std::string::npos;
}

// Puts the file in place in one step: the old one stays until the new one
// is whole on the disk.
bool Replace(const std::string& path, const std::string& bytes) {
    return WriteWholeFile(path, bytes);
}

// The longest name one folder entry may have, in bytes.
constexpr size_t kMaxNameBytes = 255;

} // namespace

std::string MapForFileName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '@':
        case '&':
        case '*':
        case '|':
        case '\\':
        case ':':
        case '?':
        case '/':
        case '.':
            out += '_';
            break;
        case '"':
            out += "''";
            break;
        case '<':
        case '>':
            out += '\'';
            break;
        default:
            out += ch;
        }
    }
    return out;
}

std::string FilterThema(StudyInUse& study, std::string_view titleText) {
    study.StudyTitle = TrimBlanks(titleText);
    return MapForFileName(study.StudyTitle);
}

std::vector<std::string> BuildResultsList(const std::vector<std::string>& lines) {
    const std::string equals(61, '=');
    const std::string dashes(48, '-');
    std::vector<std::string> list;
    list.reserve(lines.size() * 2 + 3);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0) {
            list.push_back(equals);
            list.push_back(lines[i]);
        } else if (i == 1) {
            list.push_back(lines[i]);
            list.push_back(equals);
            list.push_back(" ");
        } else {
            list.push_back(lines[i]);
            list.push_back(dashes);
        }
    }
    return list;
}

bool ArchiveResults(const ProgramState& state, std::string_view titleText) {
    const std::string ft = MapForFileName(TrimBlanks(titleText));
    const std::string folder = state.InProgramFolder(kArchiveFolder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::string formula;
    if (!ReadWholeFile(state.InProgramFolder(kFormulaFileName), formula)) {
        return false;
    }
    const std::vector<std::string> lines = ParseQuotedLines(formula);
    std::vector<FormulaFactors> rows;
    for (size_t i = 2; i < lines.size(); ++i) {
        rows.push_back(ConstructFactors(lines[i]));
    }
    const bool copied = Replace(folder + "~mirttype_" + ft + ".fle", formula);
    return WriteWholeFile(folder + "TYPES_" + ft + ".FIL", CoefficientFile(rows)) && copied;
}

bool GeneralDataComplete(const GeneralDataFields& general) {
    return !TrimBlanks(general.Employer).empty() && !TrimBlanks(general.Project).empty() &&
           !TrimBlanks(general.Location).empty();
}

std::string GeneralDataName(const GeneralDataFields& general) {
    const std::string joined =
        TrimBlanks(TrimBlanks(general.Employer) + ", " + TrimBlanks(general.Project) + ", " +
                   TrimBlanks(general.Location));
    // The common-expenses program looks the files up by the general data as
    // they are: only what a Linux file name cannot hold is mapped.
    std::string name;
    name.reserve(joined.size());
    for (const char ch : joined) {
        name += (ch == '/' || ch == '\0') ? '_' : ch;
    }
    return name;
}

ExportResult ExportForCommonExpenses(const ProgramState& state) {
    ExportResult result;
    if (!GeneralDataComplete(state)) {
        result.problem = "Τα Γενικά Στοιχεία του Έργου (ΕΡΓΟΔΟΤΗΣ, ΕΡΓΟ, ΘΕΣΗ ΕΡΓΟΥ) είναι ελλιπή.";
        return result;
    }
    std::string formula;
    const std::string formulaPath = state.InProgramFolder(kFormulaFileName);
    const FileProblem read = ReadRegularFile(formulaPath, formula);
    if (read != FileProblem::None) {
        result.problem = FileProblemMessage(formulaPath, read);
        return result;
    }
    const std::string g = GeneralDataName(state);
    const std::string copyName = "~imirttype_" + g + ".fle";
    if (copyName.size() > kMaxNameBytes) {
        result.problem = "Τα ονόματα των αρχείων εξαγωγής (\"TYPES_\" και \"~imirttype_\" με τα "
                         "Γενικά Στοιχεία) είναι μεγαλύτερα από τα 255 bytes που δέχεται το "
                         "σύστημα αρχείων κατά " +
                         std::to_string(copyName.size() - kMaxNameBytes) +
                         " bytes. Συντομεύστε τα Γενικά Στοιχεία του Έργου.";
        return result;
    }
    std::vector<FormulaFactors> rows;
    int k = -2;
    for (const std::string& line : ParseQuotedLines(formula)) {
        ++k;
        if (Contains(line, "ΓΕΝΙΚΟΣ ΤΥΠΟΣ") || Contains(line, "fi x ei")) {
            continue;
        }
        rows.push_back(FactorsAtPositions(line, k));
    }
    result.copyPath = state.InProgramFolder(copyName);
    result.coefficientPath = state.InProgramFolder("TYPES_" + g + ".FIL");
    // The two files are a pair for the other program: both places are
    // checked before either is written, so that what can be seen to stand in
    // the way of one does not leave the other new beside an old one.
    for (const std::string& path : {result.copyPath, result.coefficientPath}) {
        if (const FileProblem problem = WriteProblem(path); problem != FileProblem::None) {
            result.problem = FileProblemMessage(path, problem);
            return result;
        }
    }
    for (const auto& [path, bytes] : {std::pair{result.copyPath, formula},
                                      std::pair{result.coefficientPath, CoefficientFile(rows)}}) {
        const FileProblem written = ReplaceFileSafely(path, bytes);
        if (written != FileProblem::None) {
            result.problem = FileProblemMessage(path, written);
            return result;
        }
    }
    result.written = true;
    return result;
}

} // namespace pyrostat
