#pragma once

#include "program/NumberLocale.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pyrostat {

// A number as typed in a readings table or for a cost: "." or "," as the
// decimal separator, the other one (or a repeated one) as a grouping
// separator, an optional leading minus sign. Nothing else may stand in it.
struct BillNumber {
    double value = 0;
    int decimals = 0; // digits after the decimal separator
};
std::optional<BillNumber> ParseBillNumber(std::string_view text);

// The same by the rule of the property grid for a locale: its decimal
// separator, and the other one only where it groups thousands before it.
std::optional<BillNumber> ParseBillNumber(std::string_view text, NumberLocale locale);

// Whether a text reads two ways when no locale says which separator is the
// decimal one: a lone separator followed by exactly three digits, after one
// to three digits not starting with zero ("1.500" is 1,5 or 1500).
bool ReadsTwoWays(std::string_view text);

// An amount in euros with at most two decimals, as whole cents, the euro
// sign allowed before or after it; a separator followed by three digits
// groups thousands ("2.850" is 2850 €). Nothing for a text that is not such an
// amount (a negative one included).
std::optional<int64_t> ParseEuroCents(std::string_view text);
// The same by a locale's rule ("2.850,00" and "2.850" are 2850 € in Greek,
// "2.850" is 2,85 € in English).
std::optional<int64_t> ParseEuroCents(std::string_view text, NumberLocale locale);

// The number with exactly `decimals` decimals and the full stop ("-0" never).
std::string FormatFixed(double value, int decimals);

// The same with the decimal comma, as the sheets and messages show numbers.
std::string FormatComma(double value, int decimals);

// The number with exactly `decimals` decimals as a locale writes it: its
// decimal separator and its thousands grouped (6720.5 is "6.720,5" in Greek).
std::string FormatLocaleNumber(double value, int decimals, NumberLocale locale);

// Cents as euros with two decimals and the full stop: 28501 -> "285.01".
std::string FormatCents(int64_t cents);

// Cents as the sheets show euros: "1.234,56" (grouping full stop, decimal
// comma).
std::string FormatEuroText(int64_t cents);

} // namespace pyrostat
