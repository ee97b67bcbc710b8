// Reading and replacing files when something else stands in their place: a
// folder, a FIFO, a link loop, a read-only or unreadable file. Nothing may
// crash, hang or be replaced behind the user's back.

#include "platform/FileAccess.h"
#include "platform/RecordFile.h"
#include "support/ClosedStandardInput.h"
#include "support/TestFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

// A program started with its standard input closed gets descriptor 0 for
// the first file it opens: that is a file like any other.
TEST(FileAccess, DescriptorZeroIsAFileLikeAnyOther) {
    TestFolder f;
    WriteAll(f.File("study.pyx"), "abc");
    test::ClosedStandardInput closed;
    ASSERT_EQ(::fcntl(0, F_GETFD), -1) << "descriptor 0 is still open";
    EXPECT_EQ(ExamineFile(f.File("study.pyx")), FileProblem::None);
    std::string bytes;
    EXPECT_EQ(ReadRegularFile(f.File("study.pyx"), bytes), FileProblem::None);
    EXPECT_EQ(bytes, "abc");
    EXPECT_EQ(ReplaceFileSafely(f.File("study.pyx"), "new"), FileProblem::None);
    EXPECT_EQ(ReadAll(f.File("study.pyx")), "new");
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(ReadRegularFile, TellsWhatStandsInPlaceOfTheFile) {
    TestFolder f;
    WriteAll(f.File("study.pyx"), std::string("abc\0def", 7));
    fs::create_directory(f.File("folder.pyx"));
    ASSERT_EQ(::mkfifo(f.File("fifo.pyx").c_str(), 0644), 0);
    fs::create_symlink("loop-b", f.File("loop-a"));
    fs::create_symlink("loop-a", f.File("loop-b"));
    fs::create_symlink("study.pyx", f.File("link.pyx"));

    struct Case {
        std::string path;
        FileProblem problem;
    };
    const Case cases[] = {
        {f.File("study.pyx"), FileProblem::None},
        {f.File("link.pyx"), FileProblem::None},
        {f.File("missing.pyx"), FileProblem::Missing},
        {f.File("missing/inside.pyx"), FileProblem::Missing},
        {f.File("study.pyx/inside"), FileProblem::Missing},
        {f.File("folder.pyx"), FileProblem::Folder},
        // A FIFO without a writer: a blocking open would never return.
        {f.File("fifo.pyx"), FileProblem::NotRegular},
        {"/dev/null", FileProblem::NotRegular},
        {f.File("loop-a"), FileProblem::LinkLoop},
        {"", FileProblem::Missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string bytes = "left over";
        EXPECT_EQ(ReadRegularFile(c.path, bytes), c.problem);
        if (c.problem == FileProblem::None) {
            EXPECT_EQ(bytes, std::string("abc\0def", 7));
        } else {
            EXPECT_TRUE(bytes.empty());
            EXPECT_FALSE(ReadWholeFile(c.path, bytes));
            EXPECT_EQ(ReadRecordFile(c.path, 197).problem, c.problem);
            EXPECT_FALSE(ReadRecordFile(c.path, 197).opened);
        }
        EXPECT_EQ(ExamineFile(c.path) == FileProblem::None, c.problem == FileProblem::None);
    }
}

TEST(ReadRegularFile, RefusesAFileLargerThanTheLimit) {
    TestFolder f;
    WriteAll(f.File("big"), std::string(1001, 'x'));
    std::string bytes;
    EXPECT_EQ(ReadRegularFile(f.File("big"), bytes, 1000), FileProblem::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadRegularFile(f.File("big"), bytes, 1001), FileProblem::None);
    EXPECT_EQ(bytes.size(), 1001u);
}

TEST(ReadRegularFile, AnUnreadableFileIsNotReadByAnOrdinaryUser) {
    TestFolder f;
    const std::string folder = f.File("shared");
    fs::create_directory(folder);
    WriteAll(folder + "/secret.pyx", "abc");
    test::OpenToEveryone(folder);
    fs::permissions(folder + "/secret.pyx", fs::perms::none);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        std::string bytes;
        return ReadRegularFile(folder + "/secret.pyx", bytes) == FileProblem::NoPermission &&
               ExamineFile(folder + "/secret.pyx") == FileProblem::NoPermission;
    }));
}

TEST(ReplaceFileSafely, ReplacesWholeAndKeepsThePermissions) {
    TestFolder f;
    const std::string path = f.File("Thema.tmp");
    EXPECT_EQ(ReplaceFileSafely(path, "first"), FileProblem::None);
    EXPECT_EQ(ReadAll(path), "first");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ReplaceFileSafely(path, "second, longer"), FileProblem::None);
    EXPECT_EQ(ReadAll(path), "second, longer");
    EXPECT_EQ(ModeOf(path), 0640u);
    // No temporary file stays behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(f.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(ReplaceFileSafely, WritesThroughASymbolicLinkAndKeepsTheLink) {
    TestFolder f;
    fs::create_directory(f.File("real"));
    WriteAll(f.File("real/study.txt"), "old");
    fs::create_symlink("real/study.txt", f.File("link.txt"));
    EXPECT_EQ(ReplaceFileSafely(f.File("link.txt"), "new"), FileProblem::None);
    EXPECT_TRUE(fs::is_symlink(f.File("link.txt")));
    EXPECT_EQ(ReadAll(f.File("real/study.txt")), "new");
    // A dangling link makes the file it names.
    fs::create_symlink("real/later.txt", f.File("dangling.txt"));
    EXPECT_EQ(ReplaceFileSafely(f.File("dangling.txt"), "made"), FileProblem::None);
    EXPECT_TRUE(fs::is_symlink(f.File("dangling.txt")));
    EXPECT_EQ(ReadAll(f.File("real/later.txt")), "made");
}

TEST(ReplaceFileSafely, RefusesWhatItMustNotReplace) {
    TestFolder f;
    WriteAll(f.File("readonly.pyx"), "keep");
    fs::permissions(f.File("readonly.pyx"), fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(f.File("folder.txt"));
    ASSERT_EQ(::mkfifo(f.File("fifo.txt").c_str(), 0644), 0);
    fs::create_symlink("loop-b", f.File("loop-a"));
    fs::create_symlink("loop-a", f.File("loop-b"));
    const std::string longName = f.File(std::string(256, 'a') + ".txt");

    EXPECT_EQ(ReplaceFileSafely(f.File("readonly.pyx"), "lost"), FileProblem::ReadOnly);
    EXPECT_EQ(ReadAll(f.File("readonly.pyx")), "keep");
    EXPECT_EQ(ReplaceFileSafely(f.File("folder.txt"), "x"), FileProblem::Folder);
    EXPECT_TRUE(fs::is_directory(f.File("folder.txt")));
    EXPECT_EQ(ReplaceFileSafely(f.File("fifo.txt"), "x"), FileProblem::NotRegular);
    EXPECT_TRUE(fs::is_fifo(f.File("fifo.txt")));
    EXPECT_EQ(ReplaceFileSafely(f.File("loop-a"), "x"), FileProblem::LinkLoop);
    EXPECT_EQ(ReplaceFileSafely(longName, "x"), FileProblem::NameTooLong);
    EXPECT_EQ(ReplaceFileSafely(f.File("no/such/folder.txt"), "x"), FileProblem::NoFolder);
    EXPECT_EQ(ReplaceFileSafely(f.File("readonly.pyx/inside.txt"), "x"), FileProblem::NoFolder);
    EXPECT_EQ(ReplaceableProblem(f.File("fifo.txt/inside.txt")), FileProblem::NoFolder);
    EXPECT_EQ(ReplaceableProblem(f.File("no/such/folder.txt")), FileProblem::NoFolder);
    // A folder that is a loop of links is named as such, not as missing.
    EXPECT_EQ(ReplaceableProblem(f.File("loop-a/inside.txt")), FileProblem::LinkLoop);
    EXPECT_FALSE(WriteWholeFile(f.File("readonly.pyx"), "lost"));
}

TEST(ReplaceFileSafely, AnOrdinaryUserCannotReplaceAFileOfAFolderHeMayNotWrite) {
    TestFolder f;
    const std::string folder = f.File("locked");
    fs::create_directory(folder);
    WriteAll(folder + "/Studies.std", "old");
    test::OpenToEveryone(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read |
                                fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(folder + "/Studies.std", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        const FileProblem problem = ReplaceFileSafely(folder + "/Studies.std", "new");
        return problem == FileProblem::NoPermission;
    }));
    EXPECT_EQ(ReadAll(folder + "/Studies.std"), "old");
}

TEST(RemoveFileOnly, RemovesFilesAndLinksNeverFolders) {
    TestFolder f;
    WriteAll(f.File("a.tmp"), "x");
    fs::create_symlink("a.tmp", f.File("link.tmp"));
    fs::create_directory(f.File("empty.tmp"));
    EXPECT_TRUE(RemoveFileOnly(f.File("link.tmp")));
    EXPECT_TRUE(fs::exists(f.File("a.tmp"))) << "the link goes, not what it names";
    EXPECT_TRUE(RemoveFileOnly(f.File("a.tmp")));
    EXPECT_FALSE(fs::exists(f.File("a.tmp")));
    EXPECT_FALSE(RemoveFileOnly(f.File("empty.tmp")));
    EXPECT_TRUE(fs::is_directory(f.File("empty.tmp")));
    EXPECT_FALSE(RemoveFileOnly(f.File("missing.tmp")));
}

TEST(FileProblemMessage, NamesTheFileAndTheProblemInGreek) {
    EXPECT_EQ(FileProblemMessage("/tmp/a.pyx", FileProblem::Folder),
              "Το αρχείο «/tmp/a.pyx» είναι φάκελος και όχι αρχείο.");
    for (FileProblem p : {FileProblem::Missing, FileProblem::NotRegular, FileProblem::NoPermission,
                          FileProblem::LinkLoop, FileProblem::TooLarge, FileProblem::ReadOnly,
                          FileProblem::NameTooLong, FileProblem::ReadError, FileProblem::WriteError,
                          FileProblem::NoFolder}) {
        std::string text = DescribeFileProblem(p);
        EXPECT_FALSE(text.empty());
        // Greek, with no English word left in it (the unit "bytes" aside).
        if (const size_t unit = text.find("bytes"); unit != std::string::npos) {
            text.erase(unit, 5);
        }
        EXPECT_EQ(text.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << text;
    }
}

// A file's own name may hold 255 bytes, wherever its folder stands: a short
// name deep in folders whose path is longer than that is written.
TEST(ReplaceFileSafely, TheNameAloneIsBoundedNotThePath) {
    TestFolder folder;
    fs::path deep = folder.Path();
    for (int i = 0; i < 6; ++i) {
        deep /= std::string(60, static_cast<char>('a' + i));
    }
    fs::create_directories(deep);
    ASSERT_GT(deep.string().size(), 255u);
    EXPECT_EQ(ReplaceFileSafely((deep / "study.pyx").string(), "x"), FileProblem::None);
    EXPECT_EQ(ReplaceFileSafely(folder.File(std::string(255, 'n')), "x"), FileProblem::None);
    EXPECT_EQ(ReplaceFileSafely(folder.File(std::string(256, 'n')), "x"), FileProblem::NameTooLong);
}

// A file whose folder is not there, or is a file, is told as a missing folder.
TEST(ReplaceFileSafely, AMissingFolderIsToldAsSuch) {
    TestFolder folder;
    test::WriteAll(folder.File("plain"), "x");
    EXPECT_EQ(ReplaceFileSafely(folder.File("none/study.pyx"), "x"), FileProblem::NoFolder);
    EXPECT_EQ(ReplaceFileSafely(folder.File("plain/study.pyx"), "x"), FileProblem::NoFolder);
    EXPECT_FALSE(fs::exists(folder.File("none")));
}

} // namespace
} // namespace pyrostat
