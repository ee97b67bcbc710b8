#pragma once

#include "workspace/NumberText.h"

#include <optional>
#include <string_view>

namespace pyrostat {

// A reading or a measure of the period's bill, as it was typed.
using BillNumber = TypedNumber;

// A reading as a readings table or a command line gives it: either
// separator may be the decimal one (see ReadNumberEitherWay).
inline std::optional<BillNumber> ParseBillNumber(std::string_view text) {
    return ReadNumberEitherWay(text);
}

// A reading as the period window takes it, by the rule of the grid.
inline std::optional<BillNumber> ParseBillNumber(std::string_view text, NumberLocale locale) {
    return ReadNumber(text, locale);
}

} // namespace pyrostat
