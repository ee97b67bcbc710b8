#include "support/CompiledLocale.h"

#include <filesystem>
#include <map>

#include <unistd.h>

namespace pyrostat::test {

namespace {

std::optional<std::string> Saved(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void Restore(const char* name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

// The folder of the compiled locales, removed when the test program ends.
struct LocaleFolder {
    std::string path;
    ~LocaleFolder() {
        if (!path.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
};

} // namespace

std::optional<std::string> CompiledLocale(const std::string& name, const std::string& charset) {
    static std::map<std::string, std::optional<std::string>> made;
    const std::string full = name + "." + charset;
    if (const auto it = made.find(full); it != made.end()) {
        return it->second;
    }
    std::optional<std::string>& folder = made[full];
    if (!std::filesystem::exists("/usr/share/i18n/locales/" + name)) {
        return folder;
    }
    static LocaleFolder compiled;
    if (compiled.path.empty()) {
        compiled.path = (std::filesystem::temp_directory_path() /
                         ("pyrostat-locale-" + std::to_string(::getpid())))
                            .string();
    }
    const std::string& root = compiled.path;
    std::filesystem::create_directories(root);
    const std::string command =
        "localedef -i " + name + " -f " + charset + " '" + root + "/" + full + "' >/dev/null 2>&1";
    // localedef warns (status 1) about definitions it still compiles.
    const int status = std::system(command.c_str());
    if (status != -1 && std::filesystem::exists(root + "/" + full + "/LC_NUMERIC")) {
        folder = root;
    }
    return folder;
}

LocaleEnvironment::LocaleEnvironment(const std::string& locpath, const std::string& locale)
    : locpath_(Saved("LOCPATH")), lcAll_(Saved("LC_ALL")) {
    ::setenv("LOCPATH", locpath.c_str(), 1);
    ::setenv("LC_ALL", locale.c_str(), 1);
}

LocaleEnvironment::~LocaleEnvironment() {
    Restore("LOCPATH", locpath_);
    Restore("LC_ALL", lcAll_);
}

} // namespace pyrostat::test
