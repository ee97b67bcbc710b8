#include "support/TestFolder.h"

#include <atomic>
#include <random>
#include <unistd.h>

namespace pyrostat::test {

TestFolder::TestFolder() {
    static std::atomic<int> counter{0};
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("pyrostat-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
             std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace pyrostat::test
