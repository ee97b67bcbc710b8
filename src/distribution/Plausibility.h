#pragma once

#include "distribution/StudyCalculation.h"
#include "program/NumberLocale.h"

#include <string>
#include <vector>

namespace pyrostat {

// An entry that the cells take but a building hardly has: a mean height of
// 3400 m typed as «3,400» in an English locale, openings and ventilation
// above the total losses. The calculation still runs when the engineer says
// so; the numbers are his call.
struct ImplausibleEntry {
    int row = 0; // from 1, as the grid shows it
    int col = 0; // the grid's column the warning names
    double value = 0;
    std::string why; // in Greek, with the bound
};

// One bound a row is held to: the column it names, why in Greek, and the
// test on the row's numbers (element c is the grid's column c + 1).
struct PlausibilityBound {
    int col;
    const char* why;
    bool (*breaks)(const StudyNumbers& row);
};

// Every bound, in the order the warnings list them.
const std::vector<PlausibilityBound>& PlausibilityBounds();

// The entries of the rows (numbered from 1) that break a bound.
std::vector<ImplausibleEntry> FindImplausibleEntries(const std::vector<StudyNumbers>& rows);

// One line per entry: the row, the column with its caption, the value in the
// locale's separators and why.
std::string ImplausibleEntryLine(const ImplausibleEntry& entry, NumberLocale locale);

// The window's question before the calculation: the lines (the first 15,
// then how many more) and whether to go on with them.
std::string ImplausibleEntriesQuestion(const std::vector<ImplausibleEntry>& entries,
                                       NumberLocale locale);

inline constexpr const char* kImplausibleTitle = "ΕΛΕΓΧΟΣ ΤΙΜΩΝ";

} // namespace pyrostat
