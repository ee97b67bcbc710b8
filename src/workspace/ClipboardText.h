#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// A block as it travels through the system clipboard: a tab between cells and a
// line break ("\n" or "\r\n") after each row. The break after the last row is
// optional; an empty text is no rows at all.
std::vector<std::vector<std::string>> SplitClipboardText(std::string_view text);

// The widest row of a split clipboard text.
size_t ClipboardTextWidth(const std::vector<std::vector<std::string>>& rows);

} // namespace pyrostat
