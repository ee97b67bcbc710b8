#include "distribution/TextToNumber.h"

namespace pyrostat {

int CountDecimalSeparators(ProgramState& state, std::string_view text) {
    const int count = CountDecimalSeparators(text, state.DecimalSeparator());
    if (count >= 2) {
        state.StatusCode = static_cast<int16_t>(count > 32767 ? 32767 : count);
    }
    return count;
}

double TextToNumber(ProgramState& state, std::string_view text) {
    // Only a count found in this text makes it 0: a status left by another
    // command (327 after a cancelled printer choice) must not turn every
    // cell read afterwards into 0.
    if (CountDecimalSeparators(text, state.DecimalSeparator()) >= 2) {
        state.StatusCode = 0;
        return 0.0;
    }
    return TextToNumber(text, NumberLocale::Of(state));
}

} // namespace pyrostat
