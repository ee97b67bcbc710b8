#include "support/Unprivileged.h"

#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

namespace pyrostat::test {

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(3);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void OpenToEveryone(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // The test folder's parents (the system's temporary folder) are open already.
    fs::permissions(folder, fs::perms::all, ec);
    for (const auto& entry : fs::recursive_directory_iterator(folder, ec)) {
        fs::permissions(entry.path(), fs::perms::all, ec);
    }
}

} // namespace pyrostat::test
