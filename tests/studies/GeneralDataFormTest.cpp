#include "studies/GeneralDataForm.h"
#include "program/ProgramState.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;

TEST(GeneralDataForm, TextsTheBoxesTake) {
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"Ένωση Ιδιοκτητών", true}, {"Owner & Co.", true}, {"", true},
        {"Οδός «Αιόλου»", true},    {"Say \"hi\"", false}, {"\"", false},
        {"Ευρώ €", true},           {"日本", false},       {"Łódź", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GeneralDataForm::AcceptsText(c.text), c.accepted) << c.text;
    }
}

TEST(GeneralDataForm, ConfirmStoresTrimmedTextsAndWritesThemaTmp) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    GeneralDataForm form(state, state.ProgramFolder);
    bool written = false;
    ASSERT_TRUE(form.Confirm("  Owner ", "Block C  ", " Patras", &written));
    EXPECT_TRUE(written);
    EXPECT_EQ(state.Employer, "Owner");
    EXPECT_EQ(state.Project, "Block C");
    EXPECT_EQ(state.Location, "Patras");
    EXPECT_EQ(ReadAll(folder.File("Thema.tmp")), "\"Owner\"\r\n\"Block C\"\r\n\"Patras\"\r\n");

    // Greek texts go to the file in the code page: "Α" is 0xC1.
    ASSERT_TRUE(form.Confirm("Α", "Β", "Γ"));
    EXPECT_EQ(ReadAll(folder.File("Thema.tmp")), "\"\xC1\"\r\n\"\xC2\"\r\n\"\xC3\"\r\n");
}

TEST(GeneralDataForm, RefusedConfirmationsChangeNothing) {
    const std::array<std::array<const char*, 3>, 5> refused = {{
        {"", "Β", "Γ"},
        {"Α", "   ", "Γ"},
        {"Α", "Β", ""},
        {"Α \"Β\"", "Β", "Γ"},
        {"Α", "Β", "日本"},
    }};
    for (const auto& texts : refused) {
        TestFolder folder;
        ProgramState state;
        state.ProgramFolder = folder.WithSlash();
        state.Employer = "παλιό";
        GeneralDataForm form(state, state.ProgramFolder);
        EXPECT_FALSE(form.Confirm(texts[0], texts[1], texts[2]));
        EXPECT_EQ(state.Employer, "παλιό");
        EXPECT_FALSE(std::filesystem::exists(folder.File("Thema.tmp")));
    }
}

} // namespace
} // namespace pyrostat
