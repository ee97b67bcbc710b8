#include "platform/LocalDate.h"

#include <cstdio>
#include <ctime>

namespace pyrostat {

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) {
        return {};
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    return text;
}

} // namespace pyrostat
