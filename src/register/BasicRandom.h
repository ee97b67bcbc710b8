#pragma once

#include <cstdint>

namespace pyrostat {

// The repeatable pseudo-random generator of the classic BASIC runtime, bit for
// bit. The register file scrambles its names with this stream, so a register
// written by any other program of this format reads back here only if every
// number matches: a 24-bit state, 0x50000 at start, a linear congruential step
// and the reseeding rules of Rnd with a negative argument and of Randomize.
class BasicRandom {
public:
    static constexpr uint32_t kStartState = 0x50000;

    // Rnd(n): n < 0 reseeds from the bit pattern of the single n; any n other
    // than 0 then takes one step; the result is the state divided by 2^24
    // (n = 0 repeats the last number without a step).
    float Rnd(float n = 1.0f);

    // Randomize(d): mixes the upper 32 bits of the double d into the middle
    // 16 bits of the state, keeping its lowest byte.
    void Randomize(double d);

    uint32_t State() const { return state_; }

private:
    uint32_t state_ = kStartState;
};

} // namespace pyrostat
