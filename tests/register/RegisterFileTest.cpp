#include "register/RegisterFile.h"

#include "RegisterTestSupport.h"
#include "platform/Codepage1253.h"
#include "program/ProgramState.h"
#include "register/ClientRecord.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pyrostat {
namespace {

using test::IndependentField;
using test::IndependentRegister;
using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

const std::string kPapas = "Γ. Παπαδόπουλος, Μηχανολόγος Μηχανικός";
const std::string kSmith = "J. Smith";

std::string Cp(const std::string& utf8) {
    return Utf8ToCp1253(utf8);
}

TEST(RegisterFileTest, ReadsARegisterBuiltFromTheFileRulesAlone) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    WriteAll(path, IndependentRegister({Cp(kPapas), Cp(kSmith), Cp("Ε. Ιωάννου")}, "s3cret"));

    const RegisterContents contents = RegisterFile(path).Read();
    EXPECT_EQ(contents.status, RegisterContents::Status::Ok);
    EXPECT_EQ(contents.wholeRecords, 3u);
    EXPECT_EQ(contents.names, (std::vector<std::string>{kPapas, kSmith, "Ε. Ιωάννου"}));
    EXPECT_EQ(contents.password, "s3cret");
}

TEST(RegisterFileTest, WritesExactlyTheBytesTheFileRulesGive) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    ASSERT_TRUE(RegisterFile(path).WriteAll({kPapas, kSmith}, "s3cret"));
    EXPECT_EQ(ReadAll(path), IndependentRegister({Cp(kPapas), Cp(kSmith)}, "s3cret"));

    // Same names, same order, same password: the same bytes.
    const std::string other = folder.File("OTHER.MIR");
    ASSERT_TRUE(RegisterFile(other).WriteAll({kPapas, kSmith}, "s3cret"));
    EXPECT_EQ(ReadAll(other), ReadAll(path));
}

TEST(RegisterFileTest, NameAndPasswordFieldRules) {
    const std::string name78(78, 'N');
    const std::string name79 = name78 + "Z";
    struct Case {
        const char* what;
        std::string name;
        std::string password;
        std::string storedName;     // Windows-1253 before scrambling
        std::string storedPassword; // Windows-1253 before scrambling
        std::string readName;
        std::string readPassword;
    };
    const std::vector<Case> cases = {
        {"78 characters are kept whole", name78, "pw", name78, "pw", name78, "pw"},
        {"a longer name is cut to 78", name79, "pw", name78, "pw", name78, "pw"},
        {"blanks round a name are not stored", "   Smith  ", "  pw ", "Smith", "pw", "Smith", "pw"},
        {"an empty password is 20 scrambled blanks", "Smith", "", "Smith", "", "Smith", ""},
        {"a password is cut to 20", "Smith", "abcdefghijklmnopqrstuvwxyz", "Smith",
         "abcdefghijklmnopqrst", "Smith", "abcdefghijklmnopqrst"},
        {"Greek text goes in the code page", "Ωμέγα", "Άλφα", Cp("Ωμέγα"), Cp("Άλφα"), "Ωμέγα",
         "Άλφα"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClientRecord record;
        record.RecordNo = 7;
        record.EngineerName = c.name;
        record.Password = c.password;
        const std::string bytes = record.ToBytes();
        ASSERT_EQ(bytes.size(), 100u);
        EXPECT_EQ(bytes.substr(0, 2), std::string("\x07\x00", 2));
        EXPECT_EQ(bytes.substr(2, 78), IndependentField(c.storedName, 78));
        EXPECT_EQ(bytes.substr(80, 20), IndependentField(c.storedPassword, 20));

        const ClientRecord back = ClientRecord::FromBytes(bytes);
        EXPECT_EQ(back.RecordNo, 7);
        EXPECT_EQ(back.EngineerName, c.readName);
        EXPECT_EQ(back.Password, c.readPassword);
    }
}

TEST(RegisterFileTest, AFieldWhoseFirstScrambledByteIsABlankReadsBackUnchanged) {
    // The first stream number is 128, so the no-break space (0xA0) scrambles to
    // a blank; a writer or reader that trimmed the stored field would lose it.
    const std::string name = "\u00A0Ηλίας";
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    ASSERT_TRUE(RegisterFile(path).WriteAll({name}, ""));
    const std::string bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(bytes[2], ' ');
    EXPECT_EQ(RegisterFile(path).Read().names, std::vector<std::string>{name});
}

TEST(RegisterFileTest, OnlyThePasswordOfRecordOneCounts) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    std::string bytes = IndependentRegister({"A"}, "");
    bytes += IndependentRegister({"B", "C"}, "other").substr(100);
    WriteAll(path, bytes);
    const RegisterContents contents = RegisterFile(path).Read();
    EXPECT_EQ(contents.password, "");
    EXPECT_EQ(contents.names, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(RegisterFile(path).ReadPassword(), "");
}

TEST(RegisterFileTest, DamagedLengthsGiveTheWholeRecordsAndNeverMore) {
    const std::string three = IndependentRegister({"A", "B", "C"}, "pw");
    struct Case {
        size_t length;
        RegisterContents::Status status;
        std::vector<std::string> names;
        std::string password;
    };
    const std::vector<Case> cases = {
        {0, RegisterContents::Status::Damaged, {}, ""},
        {1, RegisterContents::Status::Damaged, {}, ""},
        {99, RegisterContents::Status::Damaged, {}, ""},
        {100, RegisterContents::Status::Ok, {"A"}, "pw"},
        {150, RegisterContents::Status::Damaged, {"A"}, "pw"},
        {299, RegisterContents::Status::Damaged, {"A", "B"}, "pw"},
        {300, RegisterContents::Status::Ok, {"A", "B", "C"}, "pw"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        TestFolder folder;
        const std::string path = folder.File("CLIENTS.MIR");
        WriteAll(path, three.substr(0, c.length));
        const RegisterFile file(path);
        const RegisterContents contents = file.Read();
        EXPECT_EQ(contents.status, c.status);
        EXPECT_EQ(contents.names, c.names);
        EXPECT_EQ(contents.password, c.password);
        EXPECT_EQ(contents.wholeRecords, c.names.size());
        EXPECT_EQ(file.WholeRecords(), c.names.size());
        EXPECT_FALSE(file.ReadRecord(c.names.size() + 1).has_value());
        EXPECT_FALSE(file.ReadRecord(0).has_value());
    }
}

TEST(RegisterFileTest, MissingFile) {
    TestFolder folder;
    const RegisterFile file(folder.File("CLIENTS.MIR"));
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.Read().status, RegisterContents::Status::Missing);
    EXPECT_EQ(file.ReadPassword(), "");
    EXPECT_FALSE(file.Append("A", ""));
    EXPECT_FALSE(file.Exists());
}

TEST(RegisterFileTest, AppendNumbersTheNewRecordAfterTheWholeOnes) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    const std::string two = IndependentRegister({"A", "B"}, "pw");
    // A partial record trailing the two whole ones is dropped by the append.
    WriteAll(path, two + "garbage");
    ASSERT_TRUE(RegisterFile(path).Append(kSmith, "pw"));
    EXPECT_EQ(ReadAll(path), IndependentRegister({"A", "B", Cp(kSmith)}, "pw"));
}

TEST(RegisterFileTest, CorrectRewritesOnlyTheNameOfThatRecord) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    // Record 2 carries a different password field; a correction keeps it.
    std::string bytes = IndependentRegister({"A", "B", "C"}, "pw");
    bytes.replace(180, 20, IndependentField("odd", 20));
    WriteAll(path, bytes);
    const RegisterFile file(path);
    ASSERT_TRUE(file.Correct(2, "  Beta "));
    std::string expected = bytes;
    expected.replace(102, 78, IndependentField("Beta", 78));
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_FALSE(file.Correct(4, "D"));
    EXPECT_FALSE(file.Correct(0, "D"));
    EXPECT_EQ(ReadAll(path), expected);
}

TEST(RegisterFileTest, ChangePasswordReplacesEveryPasswordAndKeepsTheNames) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    std::string bytes = IndependentRegister({"A", "B"}, "old");
    bytes[0] = 9; // a record number as another writer left it stays too
    WriteAll(path, bytes);
    ASSERT_TRUE(RegisterFile(path).ChangePassword("new"));
    std::string expected = IndependentRegister({"A", "B"}, "new");
    expected[0] = 9;
    EXPECT_EQ(ReadAll(path), expected);
    ASSERT_TRUE(RegisterFile(path).ChangePassword(""));
    expected = IndependentRegister({"A", "B"}, "");
    expected[0] = 9;
    EXPECT_EQ(ReadAll(path), expected);
}

TEST(RegisterFileTest, WriteAllReplacesTheFileAndNumbersTheRecords) {
    TestFolder folder;
    const std::string path = folder.File("CLIENTS.MIR");
    WriteAll(path, IndependentRegister({"A", "B", "C", "D"}, "x"));
    ASSERT_TRUE(RegisterFile(path).WriteAll({"C", "A"}, "y"));
    EXPECT_EQ(ReadAll(path), IndependentRegister({"C", "A"}, "y"));
}

TEST(RegisterFileTest, AFolderInsteadOfAFileIsNotARegister) {
    TestFolder folder;
    std::filesystem::create_directory(folder.File("CLIENTS.MIR"));
    const RegisterFile file(folder.File("CLIENTS.MIR"));
    EXPECT_FALSE(file.Exists());
    EXPECT_FALSE(file.WriteAll({"A"}, ""));
}

TEST(RegisterFileTest, InProgramFolder) {
    ProgramState state;
    state.ProgramFolder = "/some/where/";
    EXPECT_EQ(RegisterFile::InProgramFolder(state).Path(), "/some/where/CLIENTS.MIR");
}

TEST(RegisterFileTest, TheSeedRegisterHoldsTheDefaultEngineerAndNoPassword) {
    const std::string folder = std::string(PYROSTAT_SOURCE_DATA_DIR) + "/";
    const RegisterContents contents = RegisterFile(folder + "CLIENTS.MIR").Read();
    ASSERT_EQ(contents.status, RegisterContents::Status::Ok);
    const std::string engineerLine = ReadAll(folder + "Engineer.txt");
    ASSERT_GE(engineerLine.size(), 2u);
    EXPECT_EQ(engineerLine.substr(engineerLine.size() - 2), "\r\n");
    const std::string defaultText = Cp1253ToUtf8(engineerLine.substr(0, engineerLine.size() - 2));
    EXPECT_FALSE(defaultText.empty());
    EXPECT_EQ(contents.names, std::vector<std::string>{defaultText});
    EXPECT_EQ(contents.password, "");
}

} // namespace
} // namespace pyrostat
