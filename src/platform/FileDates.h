#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pyrostat {

// A file's last-modified date and time, as the study browser lists them.
struct FileDateParts {
    std::string dateText; // the locale's short date
    std::string timeText; // 24-hour "HH:MM:SS"
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Formats a date as the user's locale writes it in short form; the default
// gives "DD/MM/YYYY".
using ShortDateFormatter = std::function<std::string(int year, int month, int day)>;

// The file's last-modified time in local time. The numbers come from the time
// itself (never from parsing a text that a locale may shorten to a two-digit
// year); dateText comes from `formatDate`. `ok` is false when the file cannot
// be examined, and the parts are then all empty or 0.
FileDateParts GetFileDateParts(const std::string& path, const ShortDateFormatter& formatDate,
                               bool* ok = nullptr);

} // namespace pyrostat
