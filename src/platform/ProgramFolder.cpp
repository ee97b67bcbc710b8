#include "platform/ProgramFolder.h"

#include "platform/FileAccess.h"

#include "platform/PathRoutines.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace pyrostat {

namespace {

std::string HomeFolder(const EnvironmentReader& env) {
    std::string home = env("HOME");
    if (home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
            home = entry->pw_dir;
        }
    }
    return home;
}

std::string DataHome(const EnvironmentReader& env) {
    const std::string xdg = env("XDG_DATA_HOME");
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (!xdg.empty() && xdg.front() == '/') {
        return AddBackslash(xdg);
    }
    return AddBackslash(HomeFolder(env)) + ".local/share/";
}

} // namespace

EnvironmentReader SystemEnvironment() {
    return [](const std::string& name) {
        const char* value = std::getenv(name.c_str());
        return value == nullptr ? std::string() : std::string(value);
    };
}

std::string DefaultProgramFolder(const EnvironmentReader& env) {
    return DataHome(env) + "pyrostat/";
}

std::string ResolveProgramFolder(const EnvironmentReader& env) {
    const std::string home = env("PYROSTAT_HOME");
    if (!home.empty()) {
        return AddBackslash(home);
    }
    return DefaultProgramFolder(env);
}

std::string InstalledProgramsFolder(const EnvironmentReader& env) {
    return DataHome(env);
}

std::vector<std::string> SeedSourceFoldersFor(const std::string& executable) {
    const std::string buildTree = std::string(PYROSTAT_BUILD_DIR) + "/";
    if (executable.rfind(buildTree, 0) == 0) {
        return {PYROSTAT_SOURCE_DATA_DIR, PYROSTAT_BUILD_DATA_DIR};
    }
    return {PYROSTAT_INSTALL_DATA_DIR};
}

std::vector<std::string> SeedSourceFolders() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return SeedSourceFoldersFor(ec ? std::string() : self.string());
}

namespace {

// Files of the seed that the user changes himself: never seeded over.
bool UserOwned(const fs::path& destination) {
    const std::string name = destination.filename().string();
    return name == "CLIENTS.MIR" || name == "Engineer.txt";
}

// Whether the seed file must be copied: the program folder lacks it, or holds
// a copy cut short (the first bytes of the seed and no more, as a full disk
// leaves it). A file the user changes, or any other content, stays.
bool NeedsSeeding(const std::string& source, const std::string& destination) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(destination, ec);
    if (ec || !fs::exists(status)) {
        return true;
    }
    if (!fs::is_regular_file(status) || UserOwned(destination)) {
        return false;
    }
    const auto have = fs::file_size(destination, ec);
    const auto seed = ec ? 0 : fs::file_size(source, ec);
    if (ec || have >= seed) {
        return false;
    }
    std::string kept;
    std::string original;
    return ReadRegularFile(destination, kept) == FileProblem::None &&
           ReadRegularFile(source, original) == FileProblem::None &&
           original.compare(0, kept.size(), kept) == 0;
}

} // namespace

bool SeedProgramFolder(const std::string& programFolder, const std::vector<std::string>& sources) {
    std::error_code ec;
    fs::create_directories(programFolder, ec);
    if (!fs::is_directory(programFolder, ec)) {
        return false;
    }
    const fs::path target(programFolder);
    for (const auto& source : sources) {
        if (!fs::is_directory(source, ec)) {
            continue;
        }
        fs::recursive_directory_iterator it(source, ec), end;
        for (; !ec && it != end; it.increment(ec)) {
            const fs::path relative = fs::relative(it->path(), source, ec);
            if (ec) {
                break;
            }
            const fs::path destination = target / relative;
            std::error_code itemError;
            if (it->is_directory(itemError)) {
                fs::create_directories(destination, itemError);
            } else if (it->is_regular_file(itemError) && it->path().filename() != ".keep" &&
                       NeedsSeeding(it->path().string(), destination.string())) {
                fs::create_directories(destination.parent_path(), itemError);
                std::string bytes;
                // Copied whole or not at all: a full disk must not leave half
                // a manual or template that counts as seeded next time.
                if (ReadRegularFile(it->path().string(), bytes) == FileProblem::None) {
                    ReplaceFileSafely(destination.string(), bytes);
                }
            }
        }
        ec.clear();
    }
    return true;
}

} // namespace pyrostat
