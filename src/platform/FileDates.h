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

// Splits a date-and-time text ("06/12/2026 5:07:09 μμ"): the date is the text
// up to the first blank, its year the number in its last four characters and
// its day and month the numbers before and after the first "/", "." or "-".
// An afternoon marker ("μμ", "mm", "pm") adds 12 to the hour (12 stays 12), a
// morning marker ("πμ", "am") is dropped (12 becomes 0); the time text is
// rebuilt as 24-hour "H:MM:SS" when a marker was present.
FileDateParts SplitFileDateText(std::string_view text);

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
