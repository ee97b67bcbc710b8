#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// A title or a word as compared: Greek capitals without accents, Latin letters
// in capitals, digits; what stands in brackets, blanks, hyphens, full stops
// and line breaks left out ("Συνολικές απώλειες [kcal/h]" matches the grid's
// "ΣΥΝΟ-\rΛΙΚΕΣ ΑΠΩΛΕΙΕΣ\r[Kcal/h]", "κλειστό" matches "ΚΛΕΙΣΤΟ").
std::string FoldTitle(std::string_view text);

} // namespace pyrostat
