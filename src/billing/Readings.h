#pragma once

#include "billing/BillNumber.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// One line of a readings table: the property (its name or its number), then
// one number (the hours or units of the period) or two (the previous and the
// current meter reading), then marks: "κλειστό" (closed: only the fixed part
// is billed) and "αντικατάσταση OLD NEW" (the meter was replaced: OLD is the
// old meter's final reading, NEW the new meter's first one). A line with no
// number is a missing reading.
struct ReadingLine {
    int lineNo = 0; // in the text, from 1
    std::string property;
    std::optional<BillNumber> measure;  // one number: hours or units
    std::optional<BillNumber> previous; // two numbers
    std::optional<BillNumber> current;
    bool closed = false;
    bool replaced = false;
    BillNumber oldFinal, newStart;
    int propertyIndex = -1; // set by a caller that knows the property already

    bool Missing() const { return !measure && !current; }
};

struct ReadingsTable {
    std::vector<ReadingLine> lines;
    std::vector<std::string> faults; // Greek, naming the line
};

// Tab-separated text, UTF-8 or Windows-1253. Blank lines and lines starting
// with "#" are skipped, and so is a first line of headings (unless
// `headings` is false: then such a line is a fault like any other). The
// text's first line is numbered `firstLine` in the lines and their faults.
// Numbers are read by the `locale`'s rule when one is given; without one a
// number that reads two ways ("1.500") is a fault that asks for the
// decimal separator.
ReadingsTable ParseReadings(std::string_view text, bool headings = true, int firstLine = 1,
                            std::optional<NumberLocale> locale = std::nullopt);

// The words of the marks, as the sheet prints them.
inline constexpr const char* kClosedMark = "κλειστό";
inline constexpr const char* kReplacedMark = "αντικατάσταση";

} // namespace pyrostat
