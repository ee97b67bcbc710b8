#pragma once

#include "program/StateParts.h"

namespace pyrostat {

// The decimal and digit-grouping separators of the user's locale.
struct NumberLocale {
    char decimal = '.';
    char group = ',';

    static NumberLocale Of(const NumberSeparators& state) {
        return {state.DecimalSeparator(), state.ThousandsSeparator()};
    }
    static NumberLocale Greek() { return {',', '.'}; }
    static NumberLocale English() { return {'.', ','}; }
};

} // namespace pyrostat
