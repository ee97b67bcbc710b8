#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// The lines of a text; CR LF, LF and a lone CR all end a line.
std::vector<std::string> SplitLines(std::string_view text);

// The fields of a line between the separators (an empty field stays).
std::vector<std::string> SplitOn(std::string_view line, char separator);

// The text with the carriage returns of a message box's prompt as blanks.
std::string StripReturns(std::string_view text);

} // namespace pyrostat
