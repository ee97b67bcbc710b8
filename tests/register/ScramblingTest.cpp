#include "register/Scrambling.h"

#include "RegisterTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pyrostat {
namespace {

TEST(ScramblingTest, KeySeedShiftsEachCharacterByItsTwoPositions) {
    struct Case {
        std::string key;
        int32_t seed;
    };
    const std::vector<Case> cases = {
        {"", 0},
        // 'A' = 65 shifted by 7 and 13: 8320 ^ 532480.
        {"A", 524416},
        // Greek capitals 0xC1 0xC2 0xC3 in the code page, shifts (7,13), (14,3), (2,16).
        {"\xC1\xC2\xC3", 15451548},
        {"47310586", 257096804},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeySeed(c.key), c.seed) << c.key;
    }
    // The shifts depend on the position, so the order of the characters counts.
    EXPECT_NE(KeySeed("AB"), KeySeed("BA"));
}

TEST(ScramblingTest, FixedKeyAddsTheStreamNumberToEachByte) {
    std::string all;
    for (int i = 0; i < 78; ++i) {
        all.push_back(static_cast<char>((i * 37 + 5) % 256));
    }
    std::string scrambled;
    ScrambleWithFixedKey(all, scrambled);
    ASSERT_EQ(scrambled.size(), all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        const int expected = (static_cast<unsigned char>(all[i]) + test::kRegisterStream[i]) % 256;
        EXPECT_EQ(static_cast<unsigned char>(scrambled[i]), expected) << "position " << i;
    }
}

TEST(ScramblingTest, ResultIsAppendedToWhatTheCallerPassed) {
    std::string result = "xy";
    ScrambleWithFixedKey("a", result);
    ASSERT_EQ(result.size(), 3u);
    EXPECT_EQ(result.substr(0, 2), "xy");
    EXPECT_EQ(static_cast<unsigned char>(result[2]), ('a' + 128) % 256);
}

TEST(ScramblingTest, UnscramblingGivesBackEveryTextOfZeroTo78Characters) {
    // Every byte value appears at many positions over the lengths tried.
    for (size_t length = 0; length <= 78; ++length) {
        std::string text;
        for (size_t i = 0; i < length; ++i) {
            text.push_back(static_cast<char>((length * 31 + i * 97) % 256));
        }
        std::string scrambled;
        ScrambleWithFixedKey(text, scrambled);
        std::string back;
        UnscrambleWithFixedKey(scrambled, back);
        EXPECT_EQ(back, text) << "length " << length;
    }
}

TEST(ScramblingTest, OtherKeysGiveOtherStreamsAndStillRoundTrip) {
    const std::string text = "\xD0\xE1\xF0\xE1\xE4\xFC\xF0\xEF\xF5\xEB\xEF\xF2 Papadopoulos";
    std::string withRegisterKey;
    ScrambleWithFixedKey(text, withRegisterKey);
    for (const std::string key : {"1", "47310587", "\xC1\xC2\xC3", ""}) {
        std::string scrambled;
        ScrambleText(key, text, scrambled);
        EXPECT_NE(scrambled, withRegisterKey) << key;
        std::string back;
        UnscrambleText(key, scrambled, back);
        EXPECT_EQ(back, text) << key;
    }
}

} // namespace
} // namespace pyrostat
