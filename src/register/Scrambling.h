#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// The scrambling of the engineer register. It hides the names and the password
// from a casual look at the file and nothing more: the key is fixed by the file
// format and the stream is a well-known generator, so anyone who knows the
// format can read the file. It is not encryption.
//
// Texts here are byte strings in the file's code page (Windows-1253), one byte
// per character; the record layer converts from and to UTF-8.

// The fixed key of every scrambling of the register file.
inline constexpr std::string_view kRegisterKey = "47310586";

// The seed of a key: the i-th character (from 1) shifted left by (7·i) mod 19
// and by (13·i) mod 23 bits, all XOR-ed together.
int32_t KeySeed(std::string_view key);

// Appends one scrambled byte per byte of `text` to `result`. The generator is
// reset to its fixed start, seeded with KeySeed(key), and one number is drawn
// per character, so the output depends only on the key, the position and the
// character.
void ScrambleText(std::string_view key, std::string_view text, std::string& result);
// The inverse of ScrambleText, with the same conventions.
void UnscrambleText(std::string_view key, std::string_view text, std::string& result);

// The two forms above with the register key: the only ones the register uses.
void ScrambleWithFixedKey(std::string_view text, std::string& result);
void UnscrambleWithFixedKey(std::string_view text, std::string& result);

} // namespace pyrostat
