#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pyrostat {

// Why a text box whose text is stored in the Greek code page refuses `typed`
// (the text a key or a paste would have made): characters the code page
// does not hold, a character of `alsoRefused`, or more than `maxChars`
// characters (0: no limit). With `quoteTyped` the sentence quotes the text;
// never for a password. Empty when the box takes the text.
std::string StorableTypingRefusal(std::string_view typed, size_t maxChars, bool quoteTyped,
                                  std::string_view alsoRefused = {});

} // namespace pyrostat
