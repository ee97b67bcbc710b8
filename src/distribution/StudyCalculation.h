#pragma once

#include "distribution/Distribution.h"
#include "distribution/ResultRecord.h"
#include "program/NumberLocale.h"
#include "workspace/GridRows.h"

#include <array>
#include <string>
#include <vector>

namespace pyrostat {

// What the check before a calculation finds in the rows of a study. The
// three entry faults carry the codes of their fixed warning boxes.
enum class StudyCheck {
    Passed = 0,
    NoProperties = 1,      // no row holds anything
    Incomplete = -1,       // a kind or pipe passage missing or not of its list
    ZeroAreaOrHeight = -2, // some area or mean height reads 0
    NoLateralLength = -3,  // the three lateral lengths of a row read 0
    ZeroTotalLosses = 2,   // nothing to share out
};

// A row's number cells, each read once from its text: element c is the
// grid's column c + 1 (0 for the name and the two list columns).
using StudyNumbers = std::array<double, kGridColumns>;
StudyNumbers ReadStudyNumbers(const StudyRow& row, NumberLocale locale);

struct StudyCheckResult {
    StudyCheck check = StudyCheck::Passed;
    int row = 0;                       // the row a NoLateralLength names (from 1)
    std::vector<StudyRow> rows;        // the rows with the empty ones taken out
    std::vector<StudyNumbers> numbers; // their numbers, row by row
};

// The check on plain rows, with the precedence of the calculation command
// (-3 over -1 over -2, then the zero losses). The empty rows are taken out
// first, as the window moves the rows below up.
StudyCheckResult CheckStudyRows(std::vector<StudyRow> rows, NumberLocale locale);

// One ResultRecord per row, read left to right: the name, the numbers held as
// singles, the volume, the area, exposure, kind and pipe factors. A kind or
// pipe text outside its list (ruled out by the check) gets the factor 0.
std::vector<ResultRecord> ResultRecordsOf(const std::vector<StudyRow>& rows,
                                          const std::vector<StudyNumbers>& numbers, bool insulated);
// The same for rows not yet read.
std::vector<ResultRecord> ResultRecordsOf(const std::vector<StudyRow>& rows, NumberLocale locale,
                                          bool insulated);

struct StudyCalculation {
    StudyCheckResult checked;
    DistributionResult result; // meaningful when the check passed
    bool Ok() const { return checked.check == StudyCheck::Passed && result.Ok(); }
};

// The calculation of a study from its rows and its insulation choice: the
// check, the records and the distribution with its formula lines. Nothing is
// written and nothing is shown.
StudyCalculation CalculateStudy(const std::vector<StudyRow>& rows, bool insulated,
                                NumberLocale locale);

// The Greek title and prompt of a check that did not pass, as the window
// shows them (empty for Passed and NoProperties).
void StudyCheckMessage(const StudyCheckResult& checked, std::string& title, std::string& prompt);

} // namespace pyrostat
