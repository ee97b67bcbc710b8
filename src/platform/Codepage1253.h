#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// Every data file of the program is 8-bit Greek text (Windows-1253); inside the
// program all text is UTF-8. These are the only two crossings between them.
//
// Bytes that the code page leaves undefined decode to private-use characters
// U+F700 + byte, so that any file reads and writes back byte for byte.

// Decodes Windows-1253 bytes to UTF-8. Never fails.
std::string Cp1253ToUtf8(std::string_view bytes);

// Encodes UTF-8 text to Windows-1253. A character the code page cannot hold
// becomes '?' and, when `ok` is given, sets *ok to false.
std::string Utf8ToCp1253(std::string_view utf8, bool* ok = nullptr);

// True when every character of the UTF-8 text can be stored in Windows-1253
// (and the text is valid UTF-8).
bool IsCp1253Encodable(std::string_view utf8);

// Windows-1253 byte of one Unicode code point, or -1 when there is none.
int Cp1253ByteOf(char32_t codePoint);

// Unicode code point of one Windows-1253 byte.
char32_t Cp1253CodePointOf(unsigned char byte);

// A text file's bytes as UTF-8: a UTF-8 byte-order mark is dropped, valid
// UTF-8 stays as it is, and anything else is read as Windows-1253 (Greek
// spreadsheet programs save text in the code page).
std::string TextFileToUtf8(std::string_view bytes);

} // namespace pyrostat
