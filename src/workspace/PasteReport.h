#pragma once

#include "program/NumberLocale.h"

#include <string>
#include <vector>

namespace pyrostat {

// What a paste from the clipboard could not put into the grid as it was.
struct PasteReport {
    struct Refusal {
        int row = 0;
        int col = 0;
        std::string text;
    };
    std::vector<Refusal> refused; // values a cell refused: the cell kept its value
    std::vector<Refusal> trimmed; // names that lost characters the code page cannot store
                                  // or that ran past 35 characters (the text pasted)

    bool Clean() const { return refused.empty() && trimmed.empty(); }
};

// The one message that tells the user about a paste: how many values were
// refused, the first few cells with the reason, and the names that lost
// characters. Empty for a clean paste.
std::string PasteReportMessage(const PasteReport& report, NumberLocale locale);

// A pasted name as typing would leave it: the characters the code page
// cannot store are dropped, and it is cut to the designation's 35 characters.
std::string StorableName(const std::string& text);

} // namespace pyrostat
