#include "register/Scrambling.h"

#include "register/BasicRandom.h"

namespace pyrostat {

int32_t KeySeed(std::string_view key) {
    uint32_t h = 0;
    unsigned a = 0;
    unsigned b = 0;
    for (const char ch : key) {
        a = (a + 7) % 19;
        b = (b + 13) % 23;
        const auto c = static_cast<uint32_t>(static_cast<unsigned char>(ch));
        // At most 255 × 2^22: the products never reach the sign bit.
        h ^= (c << a) ^ (c << b);
    }
    return static_cast<int32_t>(h);
}

namespace {

void Transform(std::string_view key, std::string_view text, std::string& result, bool scramble) {
    BasicRandom generator;
    generator.Rnd(-1.0f);
    generator.Randomize(static_cast<double>(KeySeed(key)));
    result.reserve(result.size() + text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned>(static_cast<unsigned char>(ch));
        const auto r = static_cast<unsigned>(generator.Rnd() * 256.0f);
        const unsigned out = scramble ? (c + r) % 256 : (c + 256 - r) % 256;
        result.push_back(static_cast<char>(static_cast<unsigned char>(out)));
    }
}

} // namespace

void ScrambleText(std::string_view key, std::string_view text, std::string& result) {
    Transform(key, text, result, true);
}

void UnscrambleText(std::string_view key, std::string_view text, std::string& result) {
    Transform(key, text, result, false);
}

void ScrambleWithFixedKey(std::string_view text, std::string& result) {
    ScrambleText(kRegisterKey, text, result);
}

void UnscrambleWithFixedKey(std::string_view text, std::string& result) {
    UnscrambleText(kRegisterKey, text, result);
}

} // namespace pyrostat
