#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pyrostat {

// A calendar day of a heating period.
struct BillDate {
    int year = 0, month = 0, day = 0;
    bool operator==(const BillDate&) const = default;
};

// "15/10/2026", "15-10-2026", "15.10.2026" (day first, as in Greece) or
// "2026-10-15"; nothing for a day that does not exist.
std::optional<BillDate> ParseBillDate(std::string_view text);

// Days from `from` to `to`, both counted; 0 when `to` is before `from`.
long DaysCounted(const BillDate& from, const BillDate& to);

// The day after.
BillDate NextDay(const BillDate& date);

// "15/10/2026".
std::string FormatBillDate(const BillDate& date);

// "2026-10-15", as the history stores a day and sorts it.
std::string IsoBillDate(const BillDate& date);

// The moment as the history stores it: "2026-12-07 10:15:00", UTC.
std::string UtcNowText();

// The day `days` days later (`days` from 0 up).
BillDate AddDays(const BillDate& date, int days);

} // namespace pyrostat
