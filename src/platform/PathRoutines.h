#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// The path with one "/" appended unless it already ends with "/" or "\"; an
// empty path gives "/".
std::string AddBackslash(std::string_view path);

} // namespace pyrostat
