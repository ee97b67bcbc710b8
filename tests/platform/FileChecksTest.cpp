#include "platform/FileChecks.h"

#include "support/TestFolder.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

TEST(FileChecks, ReportFilesAndFoldersAndAbsence) {
    TestFolder folder;
    WriteAll(folder.File("a.pyx"), std::string(197, 'x'));
    std::filesystem::create_directory(folder.Path() / "sub");

    EXPECT_TRUE(FileExists(folder.File("a.pyx")));
    EXPECT_FALSE(FileExists(folder.File("missing.pyx")));
    EXPECT_FALSE(FileExists(folder.File("sub"))); // a folder is not a file
    EXPECT_FALSE(FileExists(""));

    const FileInfo info = GetFileInfo(folder.File("a.pyx"));
    EXPECT_TRUE(info.exists);
    EXPECT_EQ(info.size, 197u);
    const FileInfo none = GetFileInfo(folder.File("missing"));
    EXPECT_FALSE(none.exists);
    EXPECT_EQ(none.size, 0u);
}

TEST(FolderExists, RefusesTheSpecialNamesAndAcceptsRealFolders) {
    TestFolder folder;
    WriteAll(folder.File("file"), "x");
    const struct {
        std::string path;
        bool expected;
    } cases[] = {
        {"", false},
        {".", false},
        {"..", false},
        {"\\", false},
        {"/", false},
        {folder.Path().string(), true},
        {folder.WithSlash(), true},
        {folder.File("file"), false},
        {folder.File("missing"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderExists(c.path), c.expected) << c.path;
    }
}

} // namespace
} // namespace pyrostat
