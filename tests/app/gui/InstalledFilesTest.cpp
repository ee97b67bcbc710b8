// What the package installs besides the program: the manual page of the
// command line, which must name every command and option the program's usage
// names, and the software centres' entry, which must validate.

#include "app/CommandLine.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace pyrostat {
namespace {

struct Ran {
    int status;
    std::string out, err;
};

Ran Command(const QString& program, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("200"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(30000)) {
        return {-1, {}, "did not finish"};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

const QString kManPage = QStringLiteral(PYROSTAT_SOURCE_DATA_DIR "/../packaging/pyrostat.1");

TEST(InstalledFiles, TheManualPageNamesEveryCommandOptionAndStatus) {
    const Ran page = Command(QStringLiteral("man"),
                             {QStringLiteral("--warnings"), QStringLiteral("-l"), kManPage});
    ASSERT_EQ(page.status, 0) << page.err << "\nman-db and groff-base must be installed";
    EXPECT_EQ(page.err, "") << "the page renders with warnings";
    // Every word and option of the usage text stands in the page.
    const std::string usage = UsageText();
    std::set<std::string> named;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option);
         it != std::sregex_iterator(); ++it) {
        named.insert(it->str());
    }
    for (const char* word : {"calc", "convert", "report", "bill", "history", "building", "register",
                             "help", "list", "add", "am"}) {
        named.insert(word);
    }
    EXPECT_GT(named.size(), 20u);
    for (const std::string& word : named) {
        EXPECT_NE(page.out.find(word), std::string::npos) << word << " is not in the page";
    }
    // The statuses, in the text as it reads (lines joined, blanks single).
    // (Bold comes as a letter, a backspace and the letter again.)
    const std::string plain = std::regex_replace(page.out, std::regex(".\b"), "");
    std::string text = std::regex_replace(plain, std::regex("\\s+"), " ");
    // groff writes the accented vowels in their oxia forms (ά as U+1F71).
    const std::pair<const char*, const char*> oxia[] = {
        {"\u1F71", "ά"}, {"\u1F73", "έ"}, {"\u1F75", "ή"}, {"\u1F77", "ί"},
        {"\u1F79", "ό"}, {"\u1F7B", "ύ"}, {"\u1F7D", "ώ"}};
    for (const auto& [from, to] : oxia) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
            text.replace(at, std::string(from).size(), to);
        }
    }
    for (const char* status : {"ΚΑΤΑΣΤΑΣΗ ΕΞΟΔΟΥ", "0 Ολοκληρώθηκε", "1 Λάθος χρήση",
                               "2 Τα δεδομένα δεν έγιναν δεκτά", "PYROSTAT_HOME"}) {
        EXPECT_NE(text.find(status), std::string::npos) << status;
    }
}

TEST(InstalledFiles, TheSoftwareCentreEntryValidates) {
    const QString metainfo =
        QStringLiteral(PYROSTAT_BUILD_DIR "/gr.pyrostat.Pyrostat.metainfo.xml");
    const Ran check = Command(QStringLiteral("appstreamcli"),
                              {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
    ASSERT_EQ(check.status, 0) << check.out << check.err << "\nappstream must be installed";
    EXPECT_EQ(check.out.find("W:"), std::string::npos) << check.out;
    const Ran desktop = Command(QStringLiteral("appstreamcli"),
                                {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                 QStringLiteral("--pedantic"), metainfo});
    EXPECT_EQ(desktop.out.find("E:"), std::string::npos) << desktop.out;
}

} // namespace
} // namespace pyrostat
