#include "studies/GeneralDataFile.h"

#include <utility>

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"

namespace pyrostat {

bool GeneralData::Complete() const {
    return !TrimBlanks(Employer).empty() && !TrimBlanks(Project).empty() &&
           !TrimBlanks(Location).empty();
}

std::string FormatGeneralData(const GeneralData& data) {
    std::string bytes;
    for (const std::string* text : {&data.Employer, &data.Project, &data.Location}) {
        bytes += '"';
        bytes += Utf8ToCp1253(TrimBlanks(*text));
        bytes += "\"\r\n";
    }
    return bytes;
}

bool ParseGeneralData(std::string_view bytes, GeneralData& data) {
    std::string* targets[] = {&data.Employer, &data.Project, &data.Location};
    size_t pos = 0;
    bool all = true;
    for (std::string* target : targets) {
        target->clear();
        while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\r' ||
                                      bytes[pos] == '\n' || bytes[pos] == '\t')) {
            ++pos;
        }
        if (pos >= bytes.size()) {
            all = false;
            continue;
        }
        std::string raw;
        if (bytes[pos] == '"') {
            const size_t close = bytes.find('"', pos + 1);
            const size_t end = close == std::string_view::npos ? bytes.size() : close;
            raw = std::string(bytes.substr(pos + 1, end - pos - 1));
            pos = close == std::string_view::npos ? bytes.size() : close + 1;
            // Skip what follows the closing quote up to the separator.
            while (pos < bytes.size() && bytes[pos] != ',' && bytes[pos] != '\n') {
                ++pos;
            }
        } else {
            const size_t end = bytes.find_first_of(",\r\n", pos);
            const size_t stop = end == std::string_view::npos ? bytes.size() : end;
            // An unquoted value cannot hold a double quote either: the file
            // could not be written back with it.
            for (const char ch : bytes.substr(pos, stop - pos)) {
                if (ch != '"') {
                    raw.push_back(ch);
                }
            }
            pos = stop;
        }
        // The separator; a line break is skipped with the blanks before the next value.
        if (pos < bytes.size() && bytes[pos] == ',') {
            ++pos;
        }
        *target = TrimBlanks(Cp1253ToUtf8(raw));
    }
    return all;
}

bool IsGeneralDataText(std::string_view utf8) {
    return utf8.find('"') == std::string_view::npos && IsCp1253Encodable(utf8);
}

std::string ControlCharacterProblem(const GeneralData& data) {
    const std::pair<const char*, const std::string*> fields[] = {
        {"ΕΡΓΟΔΟΤΗΣ", &data.Employer}, {"ΕΡΓΟ", &data.Project}, {"ΘΕΣΗ ΕΡΓΟΥ", &data.Location}};
    std::string which;
    for (const auto& [label, value] : fields) {
        for (const char ch : *value) {
            const auto byte = static_cast<unsigned char>(ch);
            if (byte < 0x20 || byte == 0x7F) {
                which += (which.empty() ? "" : ", ") + std::string(label);
                break;
            }
        }
    }
    if (which.empty()) {
        return {};
    }
    return "Τα Γενικά Στοιχεία (" + which +
           ") περιέχουν χαρακτήρες ελέγχου (στηλοθέτες, αλλαγές γραμμής) και δεν έγιναν δεκτά.";
}

GeneralDataRead ReadGeneralDataFile(const std::string& path) {
    GeneralDataRead read;
    read.problem = ReadRegularFile(path, read.bytes);
    if (read.problem == FileProblem::None) {
        ParseGeneralData(read.bytes, read.data);
        read.refusal = ControlCharacterProblem(read.data);
    }
    return read;
}

} // namespace pyrostat
