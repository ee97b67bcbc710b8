#include "platform/WaitSeconds.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace pyrostat {

void WaitSeconds(float seconds, const std::function<void()>& processEvents) {
    if (!(seconds > 0.0f) || !std::isfinite(seconds)) {
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        if (processEvents) {
            processEvents();
        }
        // A short sleep keeps the pause from spinning a core at full load.
        const auto left = end - Clock::now();
        std::this_thread::sleep_for(std::min<Clock::duration>(left, std::chrono::milliseconds(5)));
    }
}

} // namespace pyrostat
