#include "distribution/ResultsFiles.h"

#include "distribution/FormulaFactors.h"
#include "distribution/FormulaTextFile.h"
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

// Deletes a file that may be missing, then writes it.
bool Replace(const std::string& path, const std::string& bytes) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return WriteWholeFile(path, bytes);
}

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

std::string FilterThema(ProgramState& state, std::string_view titleText) {
    state.StudyTitle = TrimBlanks(titleText);
    return MapForFileName(state.StudyTitle);
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

bool ArchiveResults(ProgramState& state, std::string_view titleText) {
    const std::string ft = FilterThema(state, titleText);
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

bool GeneralDataComplete(const ProgramState& state) {
    return !TrimBlanks(state.Employer).empty() && !TrimBlanks(state.Project).empty() &&
           !TrimBlanks(state.Location).empty();
}

std::string GeneralDataName(const ProgramState& state) {
    const std::string joined =
        TrimBlanks(TrimBlanks(state.Employer) + ", " + TrimBlanks(state.Project) + ", " +
                   TrimBlanks(state.Location));
    return MapForFileName(joined);
}

bool ExportForCommonExpenses(const ProgramState& state) {
    if (!GeneralDataComplete(state)) {
        return false;
    }
    std::string formula;
    if (!ReadWholeFile(state.InProgramFolder(kFormulaFileName), formula)) {
        return false;
    }
    const std::string g = GeneralDataName(state);
    std::vector<FormulaFactors> rows;
    int k = -2;
    for (const std::string& line : ParseQuotedLines(formula)) {
        ++k;
        if (Contains(line, "ΓΕΝΙΚΟΣ ΤΥΠΟΣ") || Contains(line, "fi x ei")) {
            continue;
        }
        rows.push_back(FactorsAtPositions(line, k));
    }
    const bool copied = Replace(state.InProgramFolder("~imirttype_" + g + ".fle"), formula);
    return Replace(state.InProgramFolder("TYPES_" + g + ".FIL"), CoefficientFile(rows)) && copied;
}

} // namespace pyrostat
