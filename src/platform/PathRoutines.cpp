#include "platform/PathRoutines.h"

namespace pyrostat {

std::string AddBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || (result.back() != '/' && result.back() != '\\')) {
        result.push_back('/');
    }
    return result;
}

} // namespace pyrostat
