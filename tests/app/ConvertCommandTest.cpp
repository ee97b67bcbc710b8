#include "app/ConvertCommand.h"
#include "platform/Codepage1253.h"
#include "studies/SampleStudy.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include <sys/stat.h>

namespace pyrostat {
namespace {

using test::FromHex;
using test::kExpectedStudyHex;
using test::ReadAll;
using test::TestFolder;
using test::WriteAll;
namespace fs = std::filesystem;

// The sample study of SampleStudy.h as its text file, written out by hand:
// numbers with two decimals and the point; the empty row's number cells read
// back as 0 (the file stores 0 for an empty cell), its texts stay empty.
const std::string kSampleText =
    "# ΤΙΤΛΟΣ\tΠΟΛΥΚΑΤΟΙΚΙΑ ΟΔΟΥ ΑΘΗΝΑΣ 12\r\n"
    "# ΜΟΝΩΣΗ\tΝΑΙ\r\n"
    "# ΕΡΓΟΔΟΤΗΣ\tΑΒ\r\n"
    "# ΕΡΓΟ\tΕΡΓΟ 1\r\n"
    "# ΘΕΣΗ ΕΡΓΟΥ\tΑΘΗΝΑ\r\n"
    "Α1\t5000.00\t1200.50\t800.00\t120.00\t2.80\t10.00\t5.00\t3.50\tΙΣΟΓΕΙΟ\tΕΚΤΟΣ ΙΔΙΟΚΤ.\r\n"
    "\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t0.00\t\t\r\n"
    "Β2\t0.00\t0.00\t0.00\t85.25\t3.00\t0.00\t12.00\t0.00\tΡΕΤΙΡΕ\tΑΛΛΗ ΠΕΡΙΠΤ.\r\n";
// "ΑΒ", "ΕΡΓΟ 1", "ΑΘΗΝΑ" quoted, in the Greek code page.
const std::string kSampleCompanion = "\"\xC1\xC2\"\r\n\"\xC5\xD1\xC3\xCF 1\"\r\n"
                                     "\"\xC1\xC8\xC7\xCD\xC1\"\r\n";

struct ConvertRun {
    int status;
    std::string out;
    std::string err;
};

ConvertRun Convert(std::vector<std::string> args, char decimal = '.') {
    ProgramState state;
    state.DecimalSeparatorCode = decimal;
    state.ThousandsSeparatorCode = decimal == '.' ? ',' : '.';
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunConvertCommand(args, state, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(ConvertCommand, StudyToTextAndBack) {
    TestFolder f;
    const std::string study = f.File("sample.pyx");
    WriteAll(study, FromHex(kExpectedStudyHex));
    WriteAll(f.File("sample.tpx"), kSampleCompanion);

    const ConvertRun toText = Convert({study, f.File("sample.txt")});
    EXPECT_EQ(toText.status, 0) << toText.err;
    EXPECT_EQ(ReadAll(f.File("sample.txt")), kSampleText);

    // Typed by hand in a spreadsheet: numbers without decimals, LF line ends,
    // a comment, trailing empty lines.
    std::string typed = "# a note without a tab\n" + kSampleText + "\n\n";
    WriteAll(f.File("typed.txt"), typed);
    const ConvertRun toStudy = Convert({f.File("typed.txt"), f.File("back.pyx")});
    EXPECT_EQ(toStudy.status, 0) << toStudy.err;
    EXPECT_EQ(ReadAll(f.File("back.pyx")), FromHex(kExpectedStudyHex));
    EXPECT_EQ(ReadAll(f.File("back.tpx")), kSampleCompanion);

    // Lines ended by a lone CR, as some spreadsheet programs save them.
    std::string classic = kSampleText;
    for (size_t at = classic.find("\r\n"); at != std::string::npos; at = classic.find("\r\n", at)) {
        classic.erase(at + 1, 1);
        ++at;
    }
    WriteAll(f.File("classic.txt"), classic);
    const ConvertRun fromClassic = Convert({f.File("classic.txt"), f.File("classic.pyx")});
    EXPECT_EQ(fromClassic.status, 0) << fromClassic.err;
    EXPECT_EQ(ReadAll(f.File("classic.pyx")), FromHex(kExpectedStudyHex));

    // "-": the text on the standard output, nothing written, the count aside.
    const ConvertRun piped = Convert({study, "-"});
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, kSampleText);
    EXPECT_FALSE(fs::exists("-"));
}

TEST(ConvertCommand, DecimalCommaFollowsTheLocale) {
    TestFolder f;
    WriteAll(f.File("c.txt"), "# ΜΟΝΩΣΗ\tΟΧΙ\nΑ\t1.234,5\t\t\t\t2,8\n");
    const ConvertRun run = Convert({f.File("c.txt"), f.File("c.pyx")}, ',');
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bytes = ReadAll(f.File("c.pyx"));
    ASSERT_EQ(bytes.size(), 197u);
    float total = 0, height = 0, insulation = 1;
    std::memcpy(&total, bytes.data() + 115, 4);
    std::memcpy(&height, bytes.data() + 131, 4);
    std::memcpy(&insulation, bytes.data() + 181, 4);
    EXPECT_EQ(total, 1234.5f);
    EXPECT_EQ(height, 2.8f);
    EXPECT_EQ(insulation, 0.0f);
    EXPECT_FALSE(fs::exists(f.File("c.tpx")));

    EXPECT_EQ(Convert({f.File("c.pyx"), f.File("c2.txt")}, ',').status, 0);
    EXPECT_NE(ReadAll(f.File("c2.txt")).find("Α\t1234,50\t0,00\t0,00\t0,00\t2,80\t"),
              std::string::npos);
}

TEST(ConvertCommand, EveryRefusedValueIsNamedAndNothingIsWritten) {
    struct Case {
        const char* line;  // one line of the text file, at line 2 (row 1)
        const char* where; // expected in the report
    };
    const Case cases[] = {
        {"Α\t-5", "γραμμή 2 (σειρά 1, στήλη 2)"},
        {"Α\t\tabc", "γραμμή 2 (σειρά 1, στήλη 3)"},
        {"Α\t\t\t100000000", "γραμμή 2 (σειρά 1, στήλη 4)"},
        {"Α\t\t\t\t\t\t\t\t\tΟΡΟΦΟΣ", "γραμμή 2 (σειρά 1, στήλη 10)"},
        {"Α\t\t\t\t\t\t\t\t\t\tΠΑΝΤΟΥ", "γραμμή 2 (σειρά 1, στήλη 11)"},
        {"ΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑΑ", "γραμμή 2 (σειρά 1, στήλη 1)"}, // 36 letters
        {"日本", "γραμμή 2 (σειρά 1, στήλη 1)"},
        {"Α\t\t\t\t\t\t\t\t\t\t\textra", "γραμμή 2 (σειρά 1, στήλη 12)"},
        {"# ΜΟΝΩΣΗ\tίσως", "γραμμή 2:"},
        {"# ΕΡΓΟΔΟΤΗΣ\tο \"μεγάλος\"", "γραμμή 2:"},
        {"# ΤΙΤΛΟΣ\t日本", "γραμμή 2:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TestFolder f;
        WriteAll(f.File("in.txt"), std::string("Β\t1\n") + c.line + "\n");
        // The refused line is line 2; shift by a first row of data.
        const ConvertRun run = Convert({f.File("in.txt"), f.File("out.pyx")});
        EXPECT_EQ(run.status, 2);
        std::string where = c.where;
        if (where.find("σειρά") != std::string::npos) {
            where.replace(where.find("σειρά 1"), std::string("σειρά 1").size(), "σειρά 2");
        }
        EXPECT_NE(run.err.find(where), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(f.File("out.pyx")));
        EXPECT_FALSE(fs::exists(f.File("out.tpx")));
    }

    // Several refusals are all reported.
    TestFolder f;
    WriteAll(f.File("many.txt"), "Α\t-1\n\nΒ\t\t\t\t\t\t\t\t\tΧ\n");
    const ConvertRun run = Convert({f.File("many.txt"), f.File("m.pyx")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("γραμμή 1 (σειρά 1, στήλη 2)"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("γραμμή 3 (σειρά 3, στήλη 10)"), std::string::npos) << run.err;

    // A sheet that is no property table: the first fifty named, the rest
    // counted, the whole number in the last line.
    std::string sheet;
    for (int i = 0; i < 60; ++i) {
        sheet += "Α\tx\n";
    }
    WriteAll(f.File("sheet.txt"), sheet);
    const ConvertRun flood = Convert({f.File("sheet.txt"), f.File("s.pyx")});
    EXPECT_EQ(flood.status, 2);
    EXPECT_NE(flood.err.find("γραμμή 50 (σειρά 50, στήλη 2)"), std::string::npos) << flood.err;
    EXPECT_EQ(flood.err.find("γραμμή 51 "), std::string::npos) << flood.err;
    EXPECT_NE(flood.err.find("... και άλλες 10 τιμές.\n60 τιμές δεν γίνονται δεκτές"),
              std::string::npos)
        << flood.err;
    EXPECT_FALSE(fs::exists(f.File("s.pyx")));
}

TEST(ConvertCommand, UsageAndFileErrors) {
    TestFolder f;
    WriteAll(f.File("a.pyx"), "");
    WriteAll(f.File("t.txt"), "Α\n");
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{}, 1},
        {{f.File("a.pyx")}, 1},
        {{f.File("a.pyx"), f.File("b.pyx")}, 1},
        {{f.File("t.txt"), f.File("t.out")}, 1},
        {{f.File("missing.pyx"), f.File("x.txt")}, 1},
        {{f.File("missing.txt"), f.File("x.pyx")}, 1},
        {{f.File("t.txt"), f.File("no/such/folder/x.pyx")}, 1},
        {{f.File("a.pyx"), f.File("empty.txt")}, 0},
    };
    for (const Case& c : cases) {
        const ConvertRun run = Convert(c.args);
        EXPECT_EQ(run.status, c.status) << (c.args.empty() ? "" : c.args.back());
        if (c.status != 0) {
            EXPECT_FALSE(run.err.empty());
        }
    }
    // An empty study gives only the header lines; with no record to say
    // otherwise the insulation is the box's starting tick, as for calc.
    EXPECT_EQ(ReadAll(f.File("empty.txt")),
              "# ΤΙΤΛΟΣ\t\r\n# ΜΟΝΩΣΗ\tΝΑΙ\r\n# ΕΡΓΟΔΟΤΗΣ\t\r\n# ΕΡΓΟ\t\r\n# ΘΕΣΗ ΕΡΓΟΥ\t\r\n");
}

TEST(ConvertCommand, DamagedStudyIsConvertedAsFarAsItGoesAndTold) {
    TestFolder f;
    const std::string sample = FromHex(kExpectedStudyHex);
    WriteAll(f.File("d.pyx"), sample.substr(0, 197 + 150));
    const ConvertRun run = Convert({f.File("d.pyx"), f.File("d.txt")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("ΚΑΤΕΣΤΡΑΜΜΕΝΟ"), std::string::npos);
    const std::string text = ReadAll(f.File("d.txt"));
    EXPECT_NE(text.find("Α1\t5000.00"), std::string::npos);
    EXPECT_EQ(text.find("Β2"), std::string::npos);
}

TEST(ConvertCommand, StaleCompanionIsRemovedWhenTheTextHasNoGeneralData) {
    TestFolder f;
    WriteAll(f.File("s.tpx"), kSampleCompanion);
    WriteAll(f.File("s.txt"), "Α\t1\n");
    ASSERT_EQ(Convert({f.File("s.txt"), f.File("s.pyx")}).status, 0);
    EXPECT_FALSE(fs::exists(f.File("s.tpx")));
    EXPECT_EQ(ReadAll(f.File("s.pyx")).size(), 197u);
}

// A text without a single property never takes the place of a study.
TEST(ConvertCommand, AnEmptyTextDoesNotReplaceAStudy) {
    TestFolder f;
    WriteAll(f.File("s.pyx"), FromHex(kExpectedStudyHex));
    WriteAll(f.File("s.tpx"), kSampleCompanion);
    WriteAll(f.File("empty.tsv"), "# ΤΙΤΛΟΣ\tΚενή\r\n");
    const ConvertRun run = Convert({f.File("empty.tsv"), f.File("s.pyx")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("δεν έχει καμία ιδιοκτησία"), std::string::npos) << run.err;
    EXPECT_EQ(ReadAll(f.File("s.pyx")), FromHex(kExpectedStudyHex));
    EXPECT_EQ(ReadAll(f.File("s.tpx")), kSampleCompanion);
}

// A study marked read-only stays as it is; a study reached through a link is
// written where the link points and the link stays.
// Text saved by a Greek spreadsheet program in the Greek code page reads as
// the same text in UTF-8 does.
// A refused value is echoed cut to a length a terminal line can hold.
// A folder or a FIFO in place of either side is refused by name.
TEST(ConvertCommand, FoldersAndFifosAreRefusedByName) {
    TestFolder f;
    WriteAll(f.File("typed.txt"), kSampleText);
    fs::create_directory(f.File("dir.pyx"));
    fs::create_directory(f.File("dir.txt"));
    ASSERT_EQ(::mkfifo(f.File("fifo.txt").c_str(), 0644), 0);
    const std::vector<std::vector<std::string>> cases = {
        {f.File("dir.pyx"), f.File("x.txt")},
        {f.File("dir.txt"), f.File("x.pyx")},
        {f.File("fifo.txt"), f.File("x.pyx")},
        {f.File("typed.txt"), f.File("dir.pyx")},
    };
    for (const auto& args : cases) {
        const ConvertRun run = Convert(args);
        EXPECT_EQ(run.status, 1) << args[0] << " -> " << args[1];
        EXPECT_NE(run.err.find("«"), std::string::npos) << run.err;
    }
    EXPECT_TRUE(fs::is_directory(f.File("dir.pyx")));
}

} // namespace
} // namespace pyrostat
