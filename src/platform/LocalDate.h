#pragma once

#include <string>

namespace pyrostat {

// Today's date on this machine's clock and time zone, as "08/12/2026".
std::string TodayText();

} // namespace pyrostat
