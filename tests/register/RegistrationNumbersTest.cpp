#include "register/RegistrationNumbers.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

TEST(RegistrationNumbers, ReadWriteAndWhatIsPassedOver) {
    TestFolder folder;
    const std::string path = folder.File(RegistrationNumbers::kFileName);
    // A missing file holds nothing and is no problem.
    RegistrationNumbers numbers = RegistrationNumbers::Read(path);
    EXPECT_EQ(numbers.Problem(), FileProblem::None);
    EXPECT_TRUE(numbers.All().empty());

    WriteAll(path, "Γ. Μηχανικός\t123456\r\n"
                   "  Alpha  \t 42 \n"
                   "χωρίς αριθμό\n"
                   "Beta\t12a\n"
                   "\tnoname 7\n"
                   "Gamma\t123456789\n"
                   "\xff\xfe\t5\n"
                   "\n");
    numbers = RegistrationNumbers::Read(path);
    EXPECT_EQ(numbers.NumberOf("Γ. Μηχανικός"), "123456");
    EXPECT_EQ(numbers.NumberOf(" Alpha "), "42");
    EXPECT_EQ(numbers.NumberOf("Beta"), "");
    EXPECT_EQ(numbers.SkippedLines(), 5);

    EXPECT_FALSE(numbers.Set("Alpha", "4.2"));
    EXPECT_EQ(numbers.NumberOf("Alpha"), "42");
    EXPECT_TRUE(numbers.Set("Delta", "7"));
    EXPECT_TRUE(numbers.Set("Alpha", ""));
    EXPECT_FALSE(numbers.Set("  ", "7"));
    ASSERT_EQ(numbers.Write(path), FileProblem::None);
    EXPECT_EQ(ReadAll(path), "Delta\t7\nΓ. Μηχανικός\t123456\n");

    // A folder where the file belongs is told, not read as empty.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(RegistrationNumbers::Read(path).Problem(), FileProblem::Folder);
}

TEST(RegistrationNumbers, TheFileBesideTheRegisterAndTheHeadsName) {
    EXPECT_EQ(RegistrationNumbers::PathBeside("/home/u/Pyrostat/CLIENTS.MIR"),
              "/home/u/Pyrostat/CLIENTS_AM.txt");
    EXPECT_EQ(RegistrationNumbers::PathBeside("CLIENTS.MIR"), "CLIENTS_AM.txt");
    TestFolder folder;
    EXPECT_EQ(EngineerWithNumber(folder.WithSlash(), " Γ. Μηχανικός "), "Γ. Μηχανικός");
    WriteAll(folder.File(RegistrationNumbers::kFileName), "Γ. Μηχανικός\t98765\n");
    EXPECT_EQ(EngineerWithNumber(folder.WithSlash(), "Γ. Μηχανικός"), "Γ. Μηχανικός, ΑΜ ΤΕΕ 98765");
    EXPECT_EQ(EngineerWithNumber(folder.WithSlash(), "Άλλος"), "Άλλος");
}

TEST(RegistrationNumbers, OneToEightDigits) {
    for (const char* good : {"1", "12345678", "000123"}) {
        EXPECT_TRUE(IsRegistrationNumber(good)) << good;
    }
    for (const char* bad : {"", "123456789", "12 3", "-1", "1.5", "١٢"}) {
        EXPECT_FALSE(IsRegistrationNumber(bad)) << bad;
    }
}

} // namespace
} // namespace pyrostat
