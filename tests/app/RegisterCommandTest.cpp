#include "app/RegisterCommand.h"

#include "platform/Codepage1253.h"
#include "register/RegisterTestSupport.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace pyrostat {
namespace {

using test::IndependentRegister;
using test::ReadAll;
using test::WriteAll;

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

class RegisterCommandTest : public ::testing::Test {
protected:
    RegisterCommandTest() { state.ProgramFolder = folder.WithSlash(); }

    CommandRun Call(const std::vector<std::string>& args, const std::string& input = "") {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunRegisterCommand(args, state, in, out, err);
        return {status, out.str(), err.str()};
    }

    test::TestFolder folder;
    ProgramState state;
};

TEST_F(RegisterCommandTest, ListPrintsTheNamesInOrderAndTheProtection) {
    WriteAll(folder.File("CLIENTS.MIR"),
             IndependentRegister({Utf8ToCp1253("Ζήτα"), "Alpha"}, "pw"));
    const CommandRun protectedRun = Call({"list"});
    EXPECT_EQ(protectedRun.status, 0);
    EXPECT_EQ(protectedRun.out, "Ζήτα\nAlpha\n(με κωδικό)\n");

    WriteAll(folder.File("other.mir"), IndependentRegister({"One"}, ""));
    const CommandRun other = Call({"list", folder.File("other.mir")});
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.out, "One\n(χωρίς κωδικό)\n");
}

TEST_F(RegisterCommandTest, ListOfADamagedFileWarnsAndListsTheWholeRecords) {
    WriteAll(folder.File("CLIENTS.MIR"), IndependentRegister({"A", "B"}, "") + "xx");
    const CommandRun run = Call({"list"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "A\nB\n(χωρίς κωδικό)\n");
    EXPECT_NE(run.err.find("διαβάστηκαν 2 πλήρεις εγγραφές"), std::string::npos);

    // An empty file is no broken length: it is told as empty.
    WriteAll(folder.File("CLIENTS.MIR"), "");
    const CommandRun empty = Call({"list"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_NE(empty.err.find("είναι κενό"), std::string::npos) << empty.err;
    EXPECT_EQ(empty.err.find("πολλαπλάσιο"), std::string::npos) << empty.err;
}

TEST_F(RegisterCommandTest, AddAppendsARecord) {
    struct Case {
        const char* what;
        std::string password;
        std::string input;
        int status;
        bool added;
    };
    const std::vector<Case> cases = {
        {"unprotected: no question", "", "", 0, true},
        {"right password", "pw", "pw\n", 0, true},
        {"right password with blanks and CR", "pw", "  pw \r\n", 0, true},
        {"wrong password", "pw", "px\n", 2, false},
        {"no password at all", "pw", "", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(folder.File("CLIENTS.MIR"), IndependentRegister({"Alpha"}, c.password));
        const CommandRun run = Call({"add", "  Ωμέγα  "}, c.input);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.find("Κωδικός:") != std::string::npos, !c.password.empty());
        const std::vector<std::string> names =
            c.added ? std::vector<std::string>{"Alpha", Utf8ToCp1253("Ωμέγα")}
                    : std::vector<std::string>{"Alpha"};
        EXPECT_EQ(ReadAll(folder.File("CLIENTS.MIR")), IndependentRegister(names, c.password));
    }
}

// The registration number is written beside the register, behind its
// password, only for a name of the register; the list shows it.
TEST_F(RegisterCommandTest, TheRegistrationNumberBesideTheRegister) {
    const std::string records = IndependentRegister({Utf8ToCp1253("Γ. Μηχανικός"), "Alpha"}, "pw");
    WriteAll(folder.File("CLIENTS.MIR"), records);
    EXPECT_EQ(Call({"am", "Γ. Μηχανικός", "123456"}, "wrong\n").status, 2);
    EXPECT_FALSE(std::filesystem::exists(folder.File("CLIENTS_AM.txt")));

    const CommandRun set = Call({"am", "Γ. Μηχανικός", "123456"}, "pw\n");
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, "Γ. Μηχανικός: ΑΜ ΤΕΕ 123456\n");
    EXPECT_EQ(ReadAll(folder.File("CLIENTS_AM.txt")), "Γ. Μηχανικός\t123456\n");
    EXPECT_EQ(ReadAll(folder.File("CLIENTS.MIR")), records) << "the records stay as they were";
    EXPECT_EQ(Call({"list"}).out, "Γ. Μηχανικός\tΑΜ ΤΕΕ 123456\nAlpha\n(με κωδικό)\n");

    for (const char* bad : {"12a", "123456789", ""}) {
        const CommandRun refused = Call({"am", "Alpha", bad}, "pw\n");
        EXPECT_EQ(refused.status, 1) << bad;
        EXPECT_NE(refused.err.find("1 έως 8 ψηφία"), std::string::npos) << refused.err;
    }
    const CommandRun stranger = Call({"am", "Κάποιος", "1"}, "pw\n");
    EXPECT_EQ(stranger.status, 1);
    EXPECT_NE(stranger.err.find("δεν είναι στο μητρώο"), std::string::npos);

    EXPECT_EQ(Call({"am", "Γ. Μηχανικός", "-"}, "pw\n").status, 0);
    EXPECT_EQ(ReadAll(folder.File("CLIENTS_AM.txt")), "");
}

TEST_F(RegisterCommandTest, RefusedCalls) {
    WriteAll(folder.File("CLIENTS.MIR"), IndependentRegister({"Alpha"}, ""));
    const std::string before = ReadAll(folder.File("CLIENTS.MIR"));
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"remove", "Alpha"},
        {"add"},
        {"add", "   "},
        {"add", "Имя"}, // not in the Greek code page
        {"add", "A", "B", "C"},
        {"list", "a", "b"},
        {"list", folder.File("missing.mir")},
        {"add", "A", folder.File("missing.mir")},
    };
    for (const auto& args : calls) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0] + " " + std::to_string(args.size()));
        const CommandRun run = Call(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(ReadAll(folder.File("CLIENTS.MIR")), before);
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing.mir")));
}

TEST_F(RegisterCommandTest, HelpSaysThePasswordIsNotEncryption) {
    const CommandRun run = Call({"help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("δεν είναι κρυπτογράφηση"), std::string::npos);
}

} // namespace
} // namespace pyrostat
