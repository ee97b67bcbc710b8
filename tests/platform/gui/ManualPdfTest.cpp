#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace pyrostat {
namespace {

// The build writes the manual into the build tree's data folder, from where
// the program folder is seeded. It must be a whole PDF of A4 pages.
TEST(ManualPdf, TheBuildWritesAWholeManual) {
    const std::string path = std::string(PYROSTAT_BUILD_DATA_DIR) + "/Pyrostat.pdf";
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "the manual is written by the default build target";
    }
    const std::string bytes = test::ReadAll(path);
    ASSERT_GT(bytes.size(), 10000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("%%EOF", bytes.size() - 16), std::string::npos) << "cut short";

    // Count the page objects and check their size: A4 is 595 x 842 points.
    const std::regex page(R"(/Type\s*/Page\b)");
    const auto pages = std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page),
                                     std::sregex_iterator());
    EXPECT_GE(pages, 8) << "every window, command and file takes several pages";
    EXPECT_NE(bytes.find("/MediaBox [0 0 595"), std::string::npos);
    // The title travels in the document information, UTF-16 encoded.
    EXPECT_NE(bytes.find("/Title"), std::string::npos);
}

} // namespace
} // namespace pyrostat
