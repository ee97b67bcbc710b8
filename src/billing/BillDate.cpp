#include "billing/BillDate.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace pyrostat {

namespace {

std::optional<std::chrono::year_month_day> Calendar(const BillDate& d) {
    const std::chrono::year_month_day ymd{std::chrono::year(d.year),
                                          std::chrono::month(static_cast<unsigned>(d.month)),
                                          std::chrono::day(static_cast<unsigned>(d.day))};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || !ymd.ok()) {
        return std::nullopt;
    }
    return ymd;
}

} // namespace

std::optional<BillDate> ParseBillDate(std::string_view text) {
    // Blanks around a date typed or pasted count for nothing.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    std::vector<int> parts;
    std::vector<size_t> widths;
    int value = 0;
    size_t width = 0;
    char separator = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char ch = i < text.size() ? text[i] : '\0';
        if (ch >= '0' && ch <= '9') {
            if (++width > 4) {
                return std::nullopt;
            }
            value = value * 10 + (ch - '0');
            continue;
        }
        if (width == 0 || (ch != '\0' && ch != '/' && ch != '-' && ch != '.') ||
            (ch != '\0' && separator != 0 && ch != separator)) {
            return std::nullopt;
        }
        if (ch != '\0') {
            separator = ch;
        }
        parts.push_back(value);
        widths.push_back(width);
        value = 0;
        width = 0;
    }
    if (parts.size() != 3) {
        return std::nullopt;
    }
    BillDate date;
    if (widths[0] == 4 && separator == '-') {
        date = {parts[0], parts[1], parts[2]};
    } else if (widths[2] == 4) {
        date = {parts[2], parts[1], parts[0]};
    } else {
        return std::nullopt;
    }
    if (!Calendar(date)) {
        return std::nullopt;
    }
    return date;
}

long DaysCounted(const BillDate& from, const BillDate& to) {
    const auto a = Calendar(from);
    const auto b = Calendar(to);
    if (!a || !b) {
        return 0;
    }
    const long days = (std::chrono::sys_days(*b) - std::chrono::sys_days(*a)).count() + 1;
    return days > 0 ? days : 0;
}

BillDate NextDay(const BillDate& date) {
    const auto day = Calendar(date);
    if (!day) {
        return date;
    }
    const std::chrono::year_month_day next{std::chrono::sys_days(*day) + std::chrono::days(1)};
    return {static_cast<int>(next.year()), static_cast<int>(static_cast<unsigned>(next.month())),
            static_cast<int>(static_cast<unsigned>(next.day()))};
}

std::string FormatBillDate(const BillDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", date.day, date.month, date.year);
    return buffer;
}

std::string IsoBillDate(const BillDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

std::string UtcNowText() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &tm);
    return buffer;
}

BillDate AddDays(const BillDate& date, int days) {
    BillDate d = date;
    for (int i = 0; i < days; ++i) {
        d = NextDay(d);
    }
    return d;
}

} // namespace pyrostat
