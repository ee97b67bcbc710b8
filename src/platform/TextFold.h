#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// A title or a word as compared: Greek capitals without accents, Latin letters
// in capitals, digits; what stands in brackets, blanks, hyphens, full stops
// and line breaks left out ("Συνολικές απώλειες [kcal/h]" matches the grid's
// "ΣΥΝΟ-\rΛΙΚΕΣ ΑΠΩΛΕΙΕΣ\r[Kcal/h]", "κλειστό" matches "ΚΛΕΙΣΤΟ").
std::string FoldTitle(std::string_view text);

// A Latin capital as its small letter, any other byte as it is: for the
// names of files and their extensions, which are Latin.
inline char AsciiLower(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

} // namespace pyrostat
