#pragma once

#include <string>

namespace pyrostat {

// The number a spreadsheet cell stores for `value`, printed under `format`:
// a value that is a single-precision number exactly (62.400001525878906 for
// the 62.4 of a record) is stored as its shortest decimal (62.4), so that
// the cell holds what it prints and a user's =F9=62.4 is true; but only when
// that decimal prints as the value does under the format. Any other value is
// stored as it is.
double SheetStoredNumber(double value, const std::string& format);

} // namespace pyrostat
