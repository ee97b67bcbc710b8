#pragma once

#include <functional>

namespace pyrostat {

// Pauses for `seconds`, calling `processEvents` (the window system's pending
// events) in every round. Measured on a monotonic clock, so a pause across
// midnight or a change of the system time still ends on time. A zero,
// negative or not-a-number duration returns at once.
void WaitSeconds(float seconds, const std::function<void()>& processEvents = {});

} // namespace pyrostat
