// The bill command with what can go wrong around it: outputs that cannot be
// written or that are its inputs, numbers that read two ways, and paths that
// lead nowhere (link loops, folders the user may not look into) at every
// place a command takes one.

#include "app/BillCommand.h"
#include "app/CommandLine.h"
#include "billing/BillingHistory.h"
#include "distribution/SampleStudy.h"
#include "support/CompiledLocale.h"
#include "support/TestFolder.h"

#include "billing/HistoryStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

const char* kReadings = "1\t1000\t1400\n2\t500\t900\n3\t333.5\n4\t10\t10\n5\t100\t800\n"
                        "6\t100\t100\tκλειστό\n7\t1000\t20\tαντικατάσταση 1500 0\n8\t300\n"
                        "9\t582.78\n";

// A renderer double that writes a few bytes where it is told, as the real
// one would fail where the file cannot be made, and fails the .xlsx when told.
class Sheets : public SheetWriter {
public:
    bool failXlsx = false;
    std::vector<NumberLocale> locales; // the separators of each PDF written
    bool WritePdf(const SheetModel&, const std::string& path, NumberLocale locale,
                  std::string& error) override {
        locales.push_back(locale);
        return Write(path, "%PDF", error);
    }
    bool WriteXlsx(const SheetModel&, const std::string& path, std::string& error) override {
        if (failXlsx) {
            error = "ο δίσκος είναι γεμάτος";
            return false;
        }
        return Write(path, "PK", error);
    }

private:
    static bool Write(const std::string& path, const char* bytes, std::string& error) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.flush();
        if (!out) {
            error = "δεν γράφεται";
        }
        return static_cast<bool>(out);
    }
};

struct Outcome {
    int status;
    std::string out, err;
};

class BillCommand : public ::testing::Test {
protected:
    void SetUp() override {
        study = folder.File("Ευριπίδου 14.pyx");
        WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
        WriteAll(folder.File("Ευριπίδου 14.tpx"), FormatGeneralData(test::SampleGeneralData()));
        readings = folder.File("r.tsv");
        WriteAll(readings, kReadings);
        history = folder.File("home/PYXFiles/Billing.sqlite");
    }
    Outcome Bill(std::vector<std::string> args, SheetWriter* writer = nullptr) {
        std::istringstream in;
        std::ostringstream out, err;
        BillContext context;
        context.writer = writer;
        context.history = HistoryStore::InFile(history);
        const int status = RunBillCommand(args, in, out, err, context);
        return {status, out.str(), err.str()};
    }
    // The versions stored of the winter's period.
    size_t Stored() {
        if (!fs::exists(history)) {
            return 0;
        }
        BillingHistory h(history);
        const auto buildings = h.Buildings();
        return buildings.empty() ? 0 : h.Periods(buildings.front().first, false).size();
    }
    std::vector<std::string> Save(std::vector<std::string> more) {
        std::vector<std::string> args = {study,        readings, "--cost",     "2850",  "--from",
                                         "15/10/2026", "--to",   "30/04/2027", "--save"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    TestFolder folder;
    std::string study, readings, history;
};

TEST_F(BillCommand, StoredOnlyWhenEveryOutputWasWritten) {
    Sheets sheets;
    const struct {
        const char* what;
        std::vector<std::string> outputs;
        bool failXlsx;
        bool seenBefore; // refused before anything is written
    } refused[] = {
        {"a folder that is not there",
         {"--pdf", folder.File("b.pdf"), "--tsv", folder.File("λείπει/b.tsv")},
         false,
         true},
        {"under /proc", {"--pdf", folder.File("b.pdf"), "--xlsx", "/proc/b.xlsx"}, false, false},
        {"a folder in the file's place",
         {"--pdf", folder.File("b.pdf"), "--xlsx", folder.Path().string()},
         false,
         true},
        {"a write that fails",
         {"--pdf", folder.File("b.pdf"), "--xlsx", folder.File("b.xlsx")},
         true,
         false},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        sheets.failXlsx = c.failXlsx;
        fs::remove(folder.File("b.pdf"));
        const Outcome run = Bill(Save(c.outputs), &sheets);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_NE(run.err.find("ΔΕΝ"), std::string::npos) << run.err;
        EXPECT_EQ(Stored(), 0u);
        if (c.seenBefore) {
            EXPECT_FALSE(fs::exists(folder.File("b.pdf")));
        }
    }
    // Outcome again with places that take it: one version, not a second.
    sheets.failXlsx = false;
    const Outcome made =
        Bill(Save({"--tsv", folder.File("b.tsv"), "--xlsx", folder.File("b.xlsx")}), &sheets);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.err.find("έκδοση 1"), std::string::npos) << made.err;
    EXPECT_EQ(Stored(), 1u);
}

TEST_F(BillCommand, AnOutputThatIsAnInputIsRefused) {
    fs::create_symlink(readings, folder.File("link.tsv"));
    const std::vector<std::vector<std::string>> cases = {
        {"--tsv", readings},
        {"--tsv", folder.File("link.tsv")},
        {"--tsv", folder.File("./r.tsv")},
        {"--pdf", study},
        {"--pdf", folder.File("a.pdf"), "--notices", folder.File("a.pdf")},
    };
    Sheets sheets;
    for (const auto& outputs : cases) {
        SCOPED_TRACE(outputs.back());
        std::vector<std::string> args = {study, readings, "--cost", "100"};
        args.insert(args.end(), outputs.begin(), outputs.end());
        const Outcome run = Bill(args, &sheets);
        EXPECT_EQ(run.status, 1);
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(ReadAll(readings), kReadings);
        EXPECT_EQ(ReadAll(study).size(),
                  test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true).size());
    }
}

TEST_F(BillCommand, ANumberThatReadsTwoWaysNeedsTheDecimalSeparator) {
    const Outcome plain = Bill({study, readings, "--cost", "2850"});
    ASSERT_EQ(plain.status, 0) << plain.err;

    const std::string rest = kReadings + std::string(kReadings).find("2\t");
    WriteAll(readings, "1\t1.000\t1.400\n" + rest);
    const Outcome unsaid = Bill({study, readings, "--cost", "2850"});
    EXPECT_EQ(unsaid.status, 2);
    EXPECT_NE(unsaid.err.find("«1.000»"), std::string::npos) << unsaid.err;
    EXPECT_NE(unsaid.err.find("--decimal"), std::string::npos) << unsaid.err;

    // The full stop said: 1 to 1.4 hours, and a cost of 2.85 €.
    const Outcome english = Bill({study, readings, "--cost", "2.85", "--decimal", "."});
    ASSERT_EQ(english.status, 0) << english.err;
    EXPECT_NE(english.out.find("\t0.400\t"), std::string::npos) << english.out;
    EXPECT_NE(english.out.find("\t2.85\n"), std::string::npos) << english.out;

    // The Greek comma said: the full stop groups thousands, as in the grid.
    std::string greekRest = rest;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"333.5", "333,5"},
                                   {"582.78", "582,78"},
                                   {"1000\t20", "1.000\t20"}}) {
        greekRest.replace(greekRest.find(from), from.size(), to);
    }
    WriteAll(readings, "1\t1.000\t1.400\n" + greekRest);
    const Outcome greek = Bill({study, readings, "--cost", "2.850", "--decimal", ","});
    ASSERT_EQ(greek.status, 0) << greek.err;
    EXPECT_EQ(greek.out, plain.out);
    // A separator that groups nothing is refused, not guessed.
    WriteAll(readings, "1\t1.00\t1.400,5\n" + greekRest);
    EXPECT_EQ(Bill({study, readings, "--cost", "2850", "--decimal", ","}).status, 2);
    EXPECT_EQ(Bill({study, readings, "--cost", "5", "--decimal", ";"}).status, 1);
}

// The sheets print numbers as --decimal says, or else as the user's locale
// writes them (the full stop in the C locale, the comma in Greek).
TEST_F(BillCommand, TheSheetsFollowTheDecimalSeparatorOrTheLocale) {
    struct Case {
        std::vector<std::string> extra;
        const char* locale; // LC_ALL, compiled for the test; empty: the C locale
        NumberLocale expected;
    };
    const Case cases[] = {
        {{"--decimal", ","}, "", NumberLocale::Greek()},
        {{"--decimal", "."}, "", NumberLocale::English()},
        {{}, "", NumberLocale::English()},
        {{}, "el_GR", NumberLocale::Greek()},
    };
    // Whole readings read alike with either separator.
    std::string whole = kReadings;
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"333.5", "333"}, {"582.78", "582"}}) {
        whole.replace(whole.find(from), from.size(), to);
    }
    WriteAll(readings, whole);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale + std::string(c.extra.empty() ? "" : c.extra[1]));
        std::optional<test::LocaleEnvironment> environment;
        if (*c.locale != '\0') {
            const std::optional<std::string> locpath = test::CompiledLocale(c.locale, "UTF-8");
            if (!locpath) {
                GTEST_SKIP() << "the locale definitions are not installed (package locales)";
            }
            environment.emplace(*locpath, std::string(c.locale) + ".UTF-8");
        } else {
            environment.emplace("/nonexistent", "C");
        }
        Sheets sheets;
        std::vector<std::string> args = {study,  readings, "--cost",
                                         "2850", "--pdf",  folder.File("bill.pdf")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const Outcome run = Bill(args, &sheets);
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(sheets.locales.size(), 1u);
        EXPECT_EQ(sheets.locales[0].decimal, c.expected.decimal);
        EXPECT_EQ(sheets.locales[0].group, c.expected.group);
    }
}

// Runs a command line in a child process, as an ordinary user when the test
// runs as root (a folder without the search right stops only such a user);
// the child's status, or -1 when it did not end by itself.
Outcome AsOrdinaryUser(const std::vector<std::string>& args, const std::string& home) {
    int pipes[2];
    if (::pipe(pipes) != 0) {
        return {-1, "", "no pipe"};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipes[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
        ::setenv("PYROSTAT_HOME", home.c_str(), 1);
        std::istringstream in;
        std::ostringstream out, err;
        const std::optional<int> status = RunCommandLine(args, in, out, err);
        const std::string text = err.str();
        (void)!::write(pipes[1], text.data(), text.size());
        ::_exit(status ? *status : 98);
    }
    ::close(pipes[1]);
    std::string err;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipes[0], buffer, sizeof buffer)) > 0;) {
        err.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipes[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", err};
}

TEST(CommandPaths, LinkLoopsAndClosedFoldersAreToldAtEveryPath) {
    char made[] = "/tmp/pyrostat-paths-XXXXXX";
    ASSERT_NE(::mkdtemp(made), nullptr);
    const std::string root = made;
    ::chmod(root.c_str(), 0777);
    const std::string study = root + "/study.pyx";
    WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
    WriteAll(root + "/r.tsv", kReadings);
    fs::create_symlink(root + "/loop", root + "/loop");
    fs::create_directory(root + "/closed");
    WriteAll(root + "/closed/study.pyx", ReadAll(study));
    ::chmod((root + "/closed").c_str(), 0);
    for (const std::string& file : {study, root + "/r.tsv"}) {
        ::chmod(file.c_str(), 0666);
    }
    // A stored period, so that the history's list and files have something.
    const std::vector<std::string> save = {"bill", study,      root + "/r.tsv", "--cost",
                                           "5",    "--save",   "--from",        "1/1/2026",
                                           "--to", "31/1/2026"};
    const Outcome stored = AsOrdinaryUser(save, root + "/home");
    ASSERT_EQ(stored.status, 0) << stored.err;
    const std::string loop = root + "/loop";
    const std::string closed = root + "/closed/study.pyx";
    const std::string inLoop = root + "/loop/x"; // a folder that is a loop
    struct Case {
        std::vector<std::string> args;
        std::string home;
    };
    std::vector<Case> cases;
    for (const std::string& bad : {loop, closed, inLoop}) {
        cases.push_back({{"calc", bad}, root + "/home"});
        cases.push_back({{"convert", bad, root + "/out.txt"}, root + "/home"});
        cases.push_back({{"convert", study, bad}, root + "/home"});
        cases.push_back({{"register", "list", bad}, root + "/home"});
        cases.push_back({{"bill", bad, root + "/r.tsv", "--cost", "5"}, root + "/home"});
        cases.push_back({{"bill", study, bad, "--cost", "5"}, root + "/home"});
        cases.push_back(
            {{"bill", study, root + "/r.tsv", "--cost", "5", "--tsv", bad}, root + "/home"});
        cases.push_back({{"history", bad}, root + "/home"});
        cases.push_back({{"history", "--import", bad}, root + "/home"});
        cases.push_back({{"history", study, "--export", bad}, root + "/home"});
        cases.push_back({{"history", study, "--tsv", bad}, root + "/home"});
    }
    // The program folder itself out of reach.
    for (const std::string& home : {loop, root + "/closed", inLoop}) {
        cases.push_back({save, home});
        cases.push_back({{"history", study}, home});
        cases.push_back({{"calc", study}, home});
    }
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) {
            line += a + " ";
        }
        SCOPED_TRACE(line + "(home " + c.home + ")");
        const Outcome run = AsOrdinaryUser(c.args, c.home);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find("filesystem"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("terminate"), std::string::npos) << run.err;
    }
    ::chmod((root + "/closed").c_str(), 0755);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

} // namespace
} // namespace pyrostat
