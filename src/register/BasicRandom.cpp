#include "register/BasicRandom.h"

#include <bit>

namespace pyrostat {

namespace {
constexpr uint32_t kStateMask = 0xFFFFFF;
constexpr uint32_t kMultiplier = 0x43FD43FD;
constexpr uint32_t kIncrement = 0xC39EC3;
} // namespace

float BasicRandom::Rnd(float n) {
    if (n < 0.0f) {
        const auto b = std::bit_cast<uint32_t>(n);
        state_ = (b + (b >> 24)) & kStateMask;
    }
    if (n != 0.0f) {
        // Unsigned arithmetic wraps modulo 2^32; only the low 24 bits are kept.
        state_ = (state_ * kMultiplier + kIncrement) & kStateMask;
    }
    // The state has 24 bits, so the quotient is exact in single precision.
    return static_cast<float>(state_) / 16777216.0f;
}

void BasicRandom::Randomize(double d) {
    const auto hi = static_cast<uint32_t>(std::bit_cast<uint64_t>(d) >> 32);
    const uint32_t mixed = ((hi & 0xFFFF) ^ (hi >> 16)) & 0xFFFF;
    state_ = (state_ & 0xFF0000FF) | (mixed << 8);
}

} // namespace pyrostat
