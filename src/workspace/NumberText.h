#pragma once

#include "program/NumberLocale.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pyrostat {

// Every number text of the program is read and written here: the grid's
// cells, the period window, the command line, the imported tables and the
// reports all keep to the same rules.
//
// A number text: digits, the locale's decimal separator at most once, and
// its grouping separator only where it groups thousands before it (1 to 3
// digits, not a lone zero, then groups of exactly three). Blanks around it
// are dropped.

// A number as it was typed: its value and the digits after its decimal
// separator.
struct TypedNumber {
    double value = 0;
    int decimals = 0;
};

// The largest number a number cell of the grid holds (two decimals).
inline constexpr double kMaxCellNumber = 99999999.99;

// Whether the grouping separators of a number text stand where they group:
// none at all, or 1 to 3 digits, then groups of exactly three up to the
// decimal separator ("4.200" and "1.234.567,5" in a Greek locale, not "2.8",
// "3.25" or "42.00", which are someone else's decimal point, nor "0.850", whose
// lone zero groups no thousands).
bool GroupingWellPlaced(std::string_view text, NumberLocale locale);

// A number text by the locale's rule, with a leading minus sign when
// `signed_` allows it; nothing when it is not one.
std::optional<TypedNumber> ReadNumber(std::string_view text, NumberLocale locale,
                                      bool signed_ = true);

// A number text of a file no locale is known for (a readings table): the
// last separator is the decimal one when it stands once, the other one (or a
// repeated one) groups, by the same rule of where a group may stand.
std::optional<TypedNumber> ReadNumberEitherWay(std::string_view text);

// Whether a text reads two ways when no locale says which separator is the
// decimal one: a lone separator followed by exactly three digits, after one
// to three digits not starting with zero ("1.500" is 1,5 or 1500).
bool ReadsTwoWays(std::string_view text);

// A number cell's text: no sign, at most 99999999.99, rounded half up at the
// second decimal as typed (2,805 is 2,81); nothing when the cell refuses it.
std::optional<double> ParseCellNumber(std::string_view text, NumberLocale locale);

// The value of a text a number cell holds, as the calculation takes it: an
// empty cell is 0.
double CellValue(std::string_view text, NumberLocale locale);

// An amount in euros with at most two decimals, as whole cents, the euro
// sign allowed before or after it; by the locale's rule ("2.850,00" and
// "2.850" are 2850 € in Greek, "2.850" is 2,85 € in English). Nothing for a
// text that is not such an amount (a negative one included).
std::optional<int64_t> ParseEuroCents(std::string_view text, NumberLocale locale);
// The same when no locale is known: a separator followed by three digits
// groups thousands ("2.850" is 2850 €), an amount having no third decimal.
std::optional<int64_t> ParseEuroCents(std::string_view text);

// The number with exactly `decimals` decimals and the full stop ("-0" never).
std::string FormatFixed(double value, int decimals);

// The same with the locale's decimal separator, not grouped ("1234,5" in
// Greek, "1234.5" in English), as messages show readings and coefficients.
std::string FormatDecimal(double value, int decimals, NumberLocale locale);

// The number with exactly `decimals` decimals as a locale writes it: its
// decimal separator and its thousands grouped (6720.5 is "6.720,5" in Greek).
std::string FormatLocaleNumber(double value, int decimals, NumberLocale locale);

// A number as a number cell shows it: two decimals, the locale's decimal
// separator, no grouping.
std::string FormatCellNumber(double value, NumberLocale locale);

// Cents as euros with two decimals and the full stop: 28501 -> "285.01".
std::string FormatCents(int64_t cents);

// Cents as the sheets show euros: "1.234,56" (grouping full stop, decimal
// comma), or with the locale's separators ("1,234.56" in English).
std::string FormatEuroText(int64_t cents);
std::string FormatEuroText(int64_t cents, NumberLocale locale);

// The text a report cell shows under its number format, with the given
// separators. Formats understood: "General" (up to ten significant digits,
// no trailing zeros), "@" (as General), and patterns of the form "0", "0.00",
// "#,##0", "#,##0.0000": a "," before the point groups the integer digits by
// three, the zeros after the point fix the decimals. Halves are rounded away
// from zero as the value's shortest decimal form has them (0.00005 is a half).
std::string FormatSheetNumber(double value, const std::string& format, NumberLocale locale);

// The shortest text with the full stop that reads back as the same double
// (the value of a spreadsheet's number cell); the text itself when it is no
// number.
std::string ShortestNumberText(const std::string& stored);

} // namespace pyrostat
