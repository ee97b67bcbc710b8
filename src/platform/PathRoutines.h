#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// Path and number-text routines shared by the windows and commands. Paths may
// use "\" or "/" as separators and may start with a drive letter ("C:"); on
// Linux the drive is simply empty.

// The path with one "/" appended unless it already ends with "/" or "\"; an
// empty path gives "/".
std::string AddBackslash(std::string_view path);

// The 1-based character position of the last character of `text` that occurs
// in `set` (both UTF-8), or 0 when none does.
int LastPosOfAny(std::string_view text, std::string_view set);

struct PathParts {
    std::string drive;  // the drive letter alone ("C"), empty on Linux paths
    std::string folder; // with its trailing separator
    std::string file;
};

// Splits a full path into drive letter, folder and file name.
PathParts SplitPath(std::string_view fullPath);

// The value text with its decimal part joined by the character
// `decimalSeparatorCode`: "12,5" gives "12.5" when the point is in use; a
// whole number comes back unchanged.
std::string WithDecimalSeparator(std::string_view value, int decimalSeparatorCode);

} // namespace pyrostat
