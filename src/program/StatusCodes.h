#pragma once

#include <cstdint>

namespace pyrostat {

// The values the program-wide status word takes for the moment, and who
// leaves them. Every other outcome is returned by the routine that has it.
inline constexpr int16_t kStatusGeneralDataEscaped = -7; // the general data dialog left with Esc
inline constexpr int16_t kStatusPrinterCancelled = 327;  // the printer choice cancelled

// Whether the status word holds `code`; when it does the word goes back to 0,
// for the one who acts on a status acts on it once.
inline bool TakeStatus(int16_t& status, int16_t code) {
    if (status != code) {
        return false;
    }
    status = 0;
    return true;
}

} // namespace pyrostat
