#include "workspace/StartupSteps.h"

#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using test::RecordingMessages;
using test::TestFolder;
using test::WriteAll;

bool Exists(const TestFolder& folder, const std::string& name) {
    return std::filesystem::exists(folder.File(name));
}

TEST(StartupSteps, TheWorkingFilesAreRemovedWhateverTheirCase) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    const char* names[] = {"PYROSTAT.TMP", "Thema.tmp", "S_PYROS.TMP", "study.pyx", "CLIENTS.MIR"};
    for (const char* name : names) {
        WriteAll(folder.File(name), "x");
    }

    RemoveWorkingFilesAtStart(state); // step 2: result and general data only
    EXPECT_FALSE(Exists(folder, "PYROSTAT.TMP"));
    EXPECT_FALSE(Exists(folder, "Thema.tmp"));
    EXPECT_TRUE(Exists(folder, "S_PYROS.TMP"));

    WriteAll(folder.File("pyrostat.tmp"), "x");
    WriteAll(folder.File("THEMA.TMP"), "x");
    RemoveAllWorkingFiles(state); // step 11 and unload
    EXPECT_FALSE(Exists(folder, "pyrostat.tmp"));
    EXPECT_FALSE(Exists(folder, "THEMA.TMP"));
    EXPECT_FALSE(Exists(folder, "S_PYROS.TMP"));
    EXPECT_TRUE(Exists(folder, "study.pyx"));
    EXPECT_TRUE(Exists(folder, "CLIENTS.MIR"));

    RemoveAllWorkingFiles(state); // nothing left to delete is no error
    ProgramState nowhere;
    nowhere.ProgramFolder = folder.File("missing") + "/";
    RemoveAllWorkingFiles(nowhere);
}

TEST(StartupSteps, ASecondCopyIsRefusedWithTheMessage) {
    TestFolder folder;
    ProgramState state;
    state.ProgramFolder = folder.WithSlash();
    RecordingMessages messages;
    SingleCopyLock first;
    ASSERT_TRUE(ClaimSingleCopy(first, state, messages));
    EXPECT_TRUE(messages.Empty());

    SingleCopyLock second;
    EXPECT_FALSE(ClaimSingleCopy(second, state, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().title, "Π Ρ Ο Σ Ο Χ Η");
    EXPECT_EQ(messages.Last().prompt,
              "Το πρόγραμμα < Pyrostat > τρέχει ήδη, και δεν μπορείτε να το τρέξετε σε "
              "πολλαπλά παράθυρα!");
    EXPECT_EQ(messages.Last().icon, MessageService::Icon::Critical);
    EXPECT_EQ(messages.Last().buttons, MessageService::Buttons::Ok);
    EXPECT_TRUE(first.Held());
}

TEST(StartupSteps, SeparatorCodesFromTheFormattedSample) {
    const struct {
        const char* formatted;
        int thousands;
        int decimal;
        bool ok;
    } cases[] = {
        {"2.500,0", 46, 44, true},      // Greek
        {"2,500.0", 44, 46, true},      // English
        {"2'500.0", 39, 46, true},      // Swiss
        {"2\u202F500,0", 32, 44, true}, // narrow no-break space: not one byte
        {"2500,0", 32, 44, true},       // a locale that does not group four digits
        {"২,৫০০.০", 44, 46, true},      // digits of its own, separators of ours
        {"2.500", 32, 46, true},        // cut short: its one separator is the decimal
        {"2500", 44, 46, false},        // no separator at all: codes kept
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.ThousandsSeparatorCode = 44;
        state.DecimalSeparatorCode = 46;
        EXPECT_EQ(SetSeparatorCodes(state, c.formatted), c.ok) << c.formatted;
        EXPECT_EQ(state.ThousandsSeparatorCode, c.thousands) << c.formatted;
        EXPECT_EQ(state.DecimalSeparatorCode, c.decimal) << c.formatted;
    }
}

} // namespace
} // namespace pyrostat
