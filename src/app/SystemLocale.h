#pragma once

#include "program/NumberLocale.h"

namespace pyrostat {

// The separators of the user's locale (LC_ALL, LC_NUMERIC, LANG): the Greek
// ones for a locale with the decimal comma, else the full stop and the comma;
// the full stop too for a locale name the system does not know.
NumberLocale SystemNumberLocale();

} // namespace pyrostat
