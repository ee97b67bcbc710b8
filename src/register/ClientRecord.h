#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// One 100-byte record of the engineer register "CLIENTS.MIR":
//   0   2  RecordNo      signed 16-bit, little-endian, the record's own number
//   2  78  EngineerName  scrambled, Windows-1253
//  80  20  Password      scrambled the same way
// A text is trimmed of blanks, cut or blank-padded to its width and then
// scrambled whole, padding included, so nothing of it lies in clear. Reading
// unscrambles the whole field and trims it.
struct ClientRecord {
    static constexpr size_t kLength = 100;
    static constexpr size_t kRecordNoOffset = 0;
    static constexpr size_t kNameOffset = 2;
    static constexpr size_t kNameWidth = 78;
    static constexpr size_t kPasswordOffset = 80;
    static constexpr size_t kPasswordWidth = 20;

    int16_t RecordNo = 0;
    std::string EngineerName; // UTF-8, trimmed
    std::string Password;     // UTF-8, trimmed; empty: the register is not protected

    std::string ToBytes() const;
    // `bytes` must hold exactly kLength bytes (std::invalid_argument otherwise).
    static ClientRecord FromBytes(std::string_view bytes);
};

// The stored form of one text field: trimmed, converted to Windows-1253, cut or
// padded with blanks to `width`, scrambled with the register key.
std::string ScrambleField(std::string_view utf8, size_t width);
// The UTF-8 text of a stored field: unscrambled whole, then trimmed.
std::string UnscrambleField(std::string_view stored);

} // namespace pyrostat
