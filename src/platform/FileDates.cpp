#include "platform/FileDates.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace pyrostat {

namespace {

// The number at the start of `text` (digits only; 0 when there are none).
int LeadingDigits(std::string_view text) {
    int value = 0;
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (value < 100000) {
            value = value * 10 + (text[pos] - '0');
        }
    }
    return value;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Removes a trailing day-half marker; returns +1 for afternoon, -1 for
// morning, 0 for none.
int StripDayHalfMarker(std::string& time) {
    static const std::string_view afternoon[] = {"μμ", "ΜΜ", "μ.μ.", "mm", "pm", "PM", "p.m."};
    static const std::string_view morning[] = {"πμ", "ΠΜ", "π.μ.", "am", "AM", "a.m."};
    for (const auto marker : afternoon) {
        if (EndsWith(time, marker)) {
            time = TrimBlanks(std::string_view(time).substr(0, time.size() - marker.size()));
            return 1;
        }
    }
    for (const auto marker : morning) {
        if (EndsWith(time, marker)) {
            time = TrimBlanks(std::string_view(time).substr(0, time.size() - marker.size()));
            return -1;
        }
    }
    return 0;
}

} // namespace

FileDateParts SplitFileDateText(std::string_view text) {
    FileDateParts parts;
    const std::string t = TrimBlanks(text);
    const size_t blank = t.find(' ');
    parts.dateText = TrimBlanks(std::string_view(t).substr(0, blank));
    std::string time =
        blank == std::string::npos ? std::string() : TrimBlanks(std::string_view(t).substr(blank));

    const std::string& date = parts.dateText;
    if (date.size() >= 4) {
        parts.year = LeadingDigits(std::string_view(date).substr(date.size() - 4));
    }
    const size_t dateSeparator = date.find_first_of("/.-");
    if (dateSeparator != std::string::npos) {
        parts.day = LeadingDigits(std::string_view(date).substr(0, dateSeparator));
        parts.month = LeadingDigits(std::string_view(date).substr(dateSeparator + 1));
    }

    const int half = StripDayHalfMarker(time);
    const size_t colon1 = time.find(':');
    parts.hour = LeadingDigits(time);
    if (colon1 != std::string::npos) {
        parts.minute = LeadingDigits(std::string_view(time).substr(colon1 + 1));
        const size_t colon2 = time.find(':', colon1 + 1);
        if (colon2 != std::string::npos) {
            parts.second = LeadingDigits(std::string_view(time).substr(colon2 + 1));
        }
    }
    if (half != 0) {
        // 12 pm is noon and 12 am midnight: adding 12 blindly would give 24.
        if (half > 0 && parts.hour < 12) {
            parts.hour += 12;
        } else if (half < 0 && parts.hour == 12) {
            parts.hour = 0;
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", parts.hour, parts.minute,
                      parts.second);
        time = buffer;
    }
    parts.timeText = time;
    return parts;
}

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
