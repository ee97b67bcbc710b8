#include "billing/TextFields.h"

namespace pyrostat {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(line);
            line.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += ch;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> SplitOn(std::string_view line, char separator) {
    std::vector<std::string> fields(1);
    for (const char ch : line) {
        if (ch == separator) {
            fields.emplace_back();
        } else {
            fields.back() += ch;
        }
    }
    return fields;
}

std::string StripReturns(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        if (ch == '\r' || ch == '\n') {
            ch = ' ';
        }
    }
    return out;
}

} // namespace pyrostat
