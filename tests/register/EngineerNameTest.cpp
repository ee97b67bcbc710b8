#include "register/EngineerName.h"

#include "program/ProgramState.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

TEST(EngineerNameTest, DefaultTextFromEngineerTxt) {
    struct Case {
        const char* what;
        bool present;
        std::string bytes;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"missing file", false, "", ""},
        {"empty file", true, "", ""},
        // "Μηχανικός" in Windows-1253, with CR LF.
        {"Greek line with CR LF", true, "\xCC\xE7\xF7\xE1\xED\xE9\xEA\xFC\xF2\r\n", "Μηχανικός"},
        {"only the first line counts", true, "  A. B  \r\nsecond\r\n", "A. B"},
        {"a quoted line loses its quotes", true, "\"\xCD. \xCD\"\r\n", "Ν. Ν"},
        {"no line end", true, "X", "X"},
        {"blank line", true, "   \r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        if (c.present) {
            WriteAll(folder.File("Engineer.txt"), c.bytes);
        }
        EXPECT_EQ(ReadDefaultEngineerText(folder.WithSlash()), c.expected);
    }
}

TEST(EngineerNameTest, ResolveCurrentEngineer) {
    TestFolder folder;
    WriteAll(folder.File("Engineer.txt"), "Installed\r\n");

    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    // At start nothing is chosen: the installation's default text.
    ResolveCurrentEngineer(state, state.ProgramFolder);
    EXPECT_EQ(state.CurrentEngineer, "Installed");

    // A chosen engineer wins and the default is not consulted.
    state.ChosenEngineer = "Chosen One";
    state.DefaultEngineerText = "must not be used";
    ResolveCurrentEngineer(state, state.ProgramFolder);
    EXPECT_EQ(state.CurrentEngineer, "Chosen One");

    // After No to question 7 ChosenEngineer is empty: the default again.
    state.ChosenEngineer.clear();
    state.DefaultEngineerText = "  Default  ";
    ResolveCurrentEngineer(state, state.ProgramFolder);
    EXPECT_EQ(state.CurrentEngineer, "Default");
}

TEST(EngineerNameTest, WithoutDefaultTextTheBannerIsUsed) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    ResolveCurrentEngineer(state, state.ProgramFolder);
    EXPECT_EQ(state.CurrentEngineer, "Pyrostat — Κατανομή Δαπανών Κεντρικής Θέρμανσης");
}

} // namespace
} // namespace pyrostat
