#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace pyrostat::test {

// A locale compiled from the system's definitions into a folder of its own
// ("el_GR" and "UTF-8" give el_GR.UTF-8), for a test to run under it whether
// or not the machine generated it. The folder to give as LOCPATH; nothing
// when the definitions or localedef are not installed.
std::optional<std::string> CompiledLocale(const std::string& name, const std::string& charset);

// Sets LOCPATH and LC_ALL for the life of the object and puts back what was
// there before.
class LocaleEnvironment {
public:
    LocaleEnvironment(const std::string& locpath, const std::string& locale);
    ~LocaleEnvironment();
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

private:
    std::optional<std::string> locpath_;
    std::optional<std::string> lcAll_;
};

} // namespace pyrostat::test
