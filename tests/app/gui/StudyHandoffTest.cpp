// A study opened from the desktop while the program runs goes to the running
// window, through the door only the running copy opens.

#include "app/gui/StudyHandoff.h"
#include "support/TestFolder.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(StudyHandoff, AStudyOpenedAgainGoesToTheRunningWindow) {
    test::TestFolder folder;
    const std::string programFolder = folder.WithSlash();
    // No copy runs: nothing takes the study, and this start goes on.
    EXPECT_FALSE(HandStudyToRunningCopy(programFolder, "/μελέτες/κτίριο.pyx"));

    std::vector<std::string> opened;
    StudyHandoffServer running(programFolder,
                               [&opened](const std::string& path) { opened.push_back(path); });
    ASSERT_TRUE(running.Listening());
    EXPECT_TRUE(HandStudyToRunningCopy(programFolder, "/μελέτες/Ευριπίδου 14.pyx"));
    EXPECT_TRUE(HandStudyToRunningCopy(programFolder, "/μελέτες/δεύτερη.pyx"));
    QTRY_COMPARE(opened.size(), size_t{2});
    EXPECT_EQ(opened[0], "/μελέτες/Ευριπίδου 14.pyx");
    EXPECT_EQ(opened[1], "/μελέτες/δεύτερη.pyx");

    // Another program folder is another program's door.
    test::TestFolder other;
    EXPECT_FALSE(HandStudyToRunningCopy(other.WithSlash(), "/μελέτες/κτίριο.pyx"));
    EXPECT_NE(StudyHandoffName(programFolder), StudyHandoffName(other.WithSlash()));
}

} // namespace
} // namespace pyrostat
