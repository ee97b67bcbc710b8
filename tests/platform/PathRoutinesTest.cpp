#include "platform/PathRoutines.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(AddBackslash, AppendsOneSeparatorOnlyWhenMissing) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\", "C:\\"},          // a drive root stays as it is
        {"C:\\Data", "C:\\Data/"}, // a folder gets the platform's separator
        {"/home/user/pyrostat/", "/home/user/pyrostat/"},
        {"/home/user/pyrostat", "/home/user/pyrostat/"},
        {"", "/"},
        {"ΜΕΛΕΤΕΣ", "ΜΕΛΕΤΕΣ/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddBackslash(c.path), c.expected) << c.path;
    }
}

} // namespace
} // namespace pyrostat
