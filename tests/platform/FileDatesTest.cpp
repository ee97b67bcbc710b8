#include "platform/FileDates.h"

#include "support/TestFolder.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

TEST(GetFileDateParts, TakesTheNumbersFromTheModificationTime) {
    TestFolder folder;
    const std::string path = folder.File("a.pyx");
    WriteAll(path, "x");
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 1; // February
    when.tm_mday = 29;
    when.tm_hour = 14;
    when.tm_min = 5;
    when.tm_sec = 6;
    when.tm_isdst = -1;
    const std::time_t t = std::mktime(&when);
    utimbuf times{t, t};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);

    bool ok = false;
    const FileDateParts p = GetFileDateParts(path, {}, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(p.dateText, "29/02/2024");
    EXPECT_EQ(p.timeText, "14:05:06");
    EXPECT_EQ(p.year, 2024);
    EXPECT_EQ(p.month, 2);
    EXPECT_EQ(p.day, 29);
    EXPECT_EQ(p.hour, 14);

    // A locale that writes a two-digit year still gives the full year.
    const FileDateParts us = GetFileDateParts(path, [](int y, int m, int d) {
        return std::to_string(m) + "/" + std::to_string(d) + "/" + std::to_string(y % 100);
    });
    EXPECT_EQ(us.dateText, "2/29/24");
    EXPECT_EQ(us.year, 2024);

    const FileDateParts missing = GetFileDateParts(folder.File("none"), {}, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(missing.year, 0);
    EXPECT_EQ(missing.dateText, "");
}

} // namespace
} // namespace pyrostat
