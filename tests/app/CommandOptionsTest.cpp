// The words of every command read by one table of options: the same
// refusals, in the same words, with the same status, whatever the command.

#include "app/CommandOptions.h"
#include "app/BillCommand.h"
#include "app/CalcCommand.h"
#include "app/ExitCodes.h"
#include "app/HistoryCommand.h"
#include "program/ProgramState.h"
#include "support/TestFolder.h"

#include "billing/HistoryStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace pyrostat {
namespace {

TEST(CommandOptions, ValuesFlagsFilesAndRefusals) {
    std::string cost, decimal;
    bool save = false;
    const CommandOption table[] = {
        {"--cost", &cost}, {"--decimal", &decimal}, {"--save", nullptr, &save}};
    struct Case {
        std::vector<std::string> args;
        std::optional<std::vector<std::string>> files;
        std::string cost, decimal, error;
        bool save;
    };
    const Case cases[] = {
        {{"a.pyx", "--cost", "1.500,00", "-", "--save"},
         {{"a.pyx", "-"}},
         "1.500,00",
         "",
         "",
         true},
        {{"--decimal=,", "a.pyx"}, {{"a.pyx"}}, "", ",", "", false},
        {{"--decimal", "--cost"}, {{}}, "", "--cost", "", false}, // a value is the next word
        {{"--cost="}, {{}}, "", "", "", false},
        {{"a.pyx", "--cost"}, std::nullopt, "", "", "Η επιλογή --cost θέλει τιμή.", false},
        {{"--costs", "5"}, std::nullopt, "", "", "Άγνωστη επιλογή: --costs", false},
        {{"-x"}, std::nullopt, "", "", "Άγνωστη επιλογή: -x", false},
        {{"--save=yes"}, std::nullopt, "", "", "Η επιλογή --save δεν παίρνει τιμή.", false},
    };
    for (const Case& c : cases) {
        cost.clear();
        decimal.clear();
        save = false;
        std::string error;
        const auto files = ParseCommandOptions(c.args, table, error);
        EXPECT_EQ(files, c.files) << c.args.front();
        EXPECT_EQ(error, c.error) << c.args.front();
        if (files) {
            EXPECT_EQ(cost, c.cost);
            EXPECT_EQ(decimal, c.decimal);
            EXPECT_EQ(save, c.save);
        }
    }
}

// An unknown option and an option without its value are told the same way by
// every command, with the usage status, before any file is read.
TEST(CommandOptions, EveryCommandRefusesAlike) {
    test::TestFolder folder;
    using Run = std::function<int(const std::vector<std::string>&, std::ostream&)>;
    const std::pair<const char*, Run> commands[] = {
        {"calc",
         [](const std::vector<std::string>& args, std::ostream& err) {
             ProgramState state;
             std::istringstream in;
             std::ostringstream out;
             return RunCalcCommand(args, state, in, out, err);
         }},
        {"history",
         [&folder](const std::vector<std::string>& args, std::ostream& err) {
             std::ostringstream out;
             return RunHistoryCommand(args, HistoryStore::InFile(folder.File("h.sqlite")), out,
                                      err);
         }},
        {"bill",
         [](const std::vector<std::string>& args, std::ostream& err) {
             std::istringstream in;
             std::ostringstream out;
             return RunBillCommand(args, in, out, err, BillContext{});
         }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        std::ostringstream unknown, missing;
        EXPECT_EQ(run({"x.pyx", "--nothing"}, unknown), kExitUsage);
        EXPECT_EQ(unknown.str().rfind("Άγνωστη επιλογή: --nothing\n", 0), 0u) << unknown.str();
        EXPECT_NE(unknown.str().find("Χρήση: pyrostat "), std::string::npos) << unknown.str();
        EXPECT_EQ(run({"x.pyx", "--tsv"}, missing), kExitUsage);
        EXPECT_NE(missing.str().find("--tsv"), std::string::npos) << missing.str();
    }
}

} // namespace
} // namespace pyrostat
