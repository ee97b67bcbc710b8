#pragma once

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <string>

namespace pyrostat {

// A long list of faults on the command line: the first fifty each on its
// line (`line(i)`), the rest counted in one line (`rest(left out)`), so that
// readings or a sheet of something else do not bury the verdict after them.
inline constexpr std::size_t kListedFaults = 50;

template <class Line, class Rest>
void WriteListedFaults(std::ostream& err, std::size_t count, Line line, Rest rest) {
    for (std::size_t i = 0; i < std::min(count, kListedFaults); ++i) {
        err << line(i) << '\n';
    }
    if (count > kListedFaults) {
        err << rest(count - kListedFaults) << '\n';
    }
}

} // namespace pyrostat
