#include "platform/FileDates.h"

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace pyrostat {

FileDateParts GetFileDateParts(const std::string& path, const ShortDateFormatter& formatDate,
                               bool* ok) {
    FileDateParts parts;
    struct stat st {};
    std::tm local{};
    const bool found = !path.empty() && ::stat(path.c_str(), &st) == 0 &&
                       ::localtime_r(&st.st_mtime, &local) != nullptr;
    if (ok != nullptr) {
        *ok = found;
    }
    if (!found) {
        return parts;
    }
    parts.year = local.tm_year + 1900;
    parts.month = local.tm_mon + 1;
    parts.day = local.tm_mday;
    parts.hour = local.tm_hour;
    parts.minute = local.tm_min;
    parts.second = local.tm_sec;
    char buffer[32];
    if (formatDate) {
        parts.dateText = formatDate(parts.year, parts.month, parts.day);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", parts.day, parts.month, parts.year);
        parts.dateText = buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", parts.hour, parts.minute, parts.second);
    parts.timeText = buffer;
    return parts;
}

} // namespace pyrostat
