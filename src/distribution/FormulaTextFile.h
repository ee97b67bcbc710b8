#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// The formula text file "~mirttype.txt" and every text file read back item by
// item: Windows-1253, each line one quoted text, CR LF after each.

inline constexpr const char* kFormulaFileName = "~mirttype.txt";

// The file's bytes for UTF-8 lines.
std::string FormatQuotedLines(const std::vector<std::string>& lines);

// The lines of such a file's bytes, UTF-8: a quoted line gives the text up to
// its closing quote, an unquoted one the whole line. A missing CR LF at the
// end is accepted; an empty file gives no line.
std::vector<std::string> ParseQuotedLines(std::string_view bytes);

// The same, from a file; no line when the file cannot be read.
std::vector<std::string> ReadQuotedLines(const std::string& path);

} // namespace pyrostat
