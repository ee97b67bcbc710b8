#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pyrostat::test {

// The 78 numbers r = int(Rnd * 256) that follow Rnd(-1) and Randomize with the
// seed of the register key "47310586" (257096804), worked out apart from the
// program from the generator's rules. Both fields of a record restart the
// stream, so the password uses its first 20.
inline constexpr std::array<int, 78> kRegisterStream = {
    128, 73,  201, 168, 27,  0,  72,  126, 220, 48,  160, 250, 28,  155, 28,  141,
    145, 239, 66,  240, 34,  73, 78,  198, 250, 248, 223, 125, 220, 131, 239, 117,
    182, 237, 8,   100, 120, 55, 181, 249, 38,  39,  55,  191, 44,  72,  122, 68,
    243, 50,  71,  123, 177, 11, 187, 96,  133, 78,  248, 218, 195, 203, 26,  229,
    140, 239, 109, 240, 163, 70, 221, 132, 123, 62,  174, 39,  149, 46};

// A stored field built from the file rules alone: Windows-1253 bytes of the
// text, padded with blanks to `width`, each byte plus its stream number.
inline std::string IndependentField(const std::string& cp1253, size_t width) {
    std::string plain = cp1253.substr(0, width);
    plain.resize(width, ' ');
    std::string stored;
    for (size_t i = 0; i < width; ++i) {
        const int c = static_cast<unsigned char>(plain[i]);
        stored.push_back(static_cast<char>((c + kRegisterStream[i]) % 256));
    }
    return stored;
}

// A whole register file (names and password in Windows-1253) built the same way.
inline std::string IndependentRegister(const std::vector<std::string>& cp1253Names,
                                       const std::string& cp1253Password) {
    std::string bytes;
    for (size_t i = 0; i < cp1253Names.size(); ++i) {
        const auto no = static_cast<uint16_t>(i + 1);
        bytes.push_back(static_cast<char>(no & 0xFF));
        bytes.push_back(static_cast<char>(no >> 8));
        bytes += IndependentField(cp1253Names[i], 78);
        bytes += IndependentField(cp1253Password, 20);
    }
    return bytes;
}

} // namespace pyrostat::test
