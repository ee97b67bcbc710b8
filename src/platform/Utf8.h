#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pyrostat {

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Decodes the code point at `pos` and advances `pos` past it. On a malformed
// sequence returns false and advances by one byte.
bool DecodeUtf8(std::string_view text, size_t& pos, char32_t& codePoint);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string Utf8Left(std::string_view text, size_t count);

// Whether the whole text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

// A text echoed back in a message: at most `count` characters, with "…" when
// it was longer.
std::string ShortenForMessage(std::string_view text, size_t count = 40);

// The text without leading and trailing blanks (space characters only, as the
// record formats pad with them).
std::string TrimBlanks(std::string_view text);

} // namespace pyrostat
