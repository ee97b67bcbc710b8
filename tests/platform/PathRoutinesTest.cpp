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

TEST(LastPosOfAny, CountsCharactersNotBytes) {
    const struct {
        const char* text;
        const char* set;
        int expected;
    } cases[] = {
        {"C:\\STUDIES\\A.pyx", "\\", 11},
        {"C:\\STUDIES/A.pyx", "\\/", 11},
        {"/a/b", "\\/", 3},
        {"abc", "\\/", 0},
        {"", "\\", 0},
        {"ΑΒ/Γ", "/", 3}, // Greek letters are two bytes each but one position
        {"x.y,z", ".,", 4},
        {"ΑΒΓ", "Γ", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LastPosOfAny(c.text, c.set), c.expected) << c.text;
    }
}

TEST(SplitPath, SplitsDriveFolderAndFileWithEitherSeparator) {
    const struct {
        const char* path;
        const char* drive;
        const char* folder;
        const char* file;
    } cases[] = {
        {"C:\\STUDIES\\A.pyx", "C", "STUDIES\\", "A.pyx"},
        {"C:/STUDIES/A.pyx", "C", "STUDIES/", "A.pyx"},
        {"d:\\A\\B\\C.tpx", "d", "A\\B\\", "C.tpx"},
        {"A.pyx", "", "", "A.pyx"},
        {"/home/u/PYXFiles/ΜΕΛΕΤΗ.pyx", "", "/home/u/PYXFiles/", "ΜΕΛΕΤΗ.pyx"},
        {"/home/u/PYXFiles/", "", "/home/u/PYXFiles/", ""},
        {"C:\\", "C", "", ""},
        {"C:DATA\\A.pyx", "C", "DATA\\", "A.pyx"}, // no separator after the colon
        {"1:\\x", "", "1:\\", "x"},                // a digit is not a drive letter
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, c.drive) << c.path;
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.file, c.file) << c.path;
    }
}

TEST(WithDecimalSeparator, JoinsTheFractionWithTheSeparatorInUse) {
    const struct {
        const char* value;
        int code;
        const char* expected;
    } cases[] = {
        {"12,5", '.', "12.5"},   {"12.5", ',', "12,5"}, {"12", '.', "12"}, {"  7,25 ", '.', "7.25"},
        {"1.2,3", ',', "1,2,3"}, // the first separator splits
        {"", '.', ""},           {",5", '.', ".5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithDecimalSeparator(c.value, c.code), c.expected) << c.value;
    }
}

} // namespace
} // namespace pyrostat
