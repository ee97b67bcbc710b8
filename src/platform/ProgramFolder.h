#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pyrostat {

// Reads an environment variable; empty when it is not set. Tests pass their own.
using EnvironmentReader = std::function<std::string(const std::string& name)>;
EnvironmentReader SystemEnvironment();

// The default program folder: $XDG_DATA_HOME/pyrostat/ (an absolute
// XDG_DATA_HOME only), else $HOME/.local/share/pyrostat/. Ends with "/".
std::string DefaultProgramFolder(const EnvironmentReader& env);

// The program folder: $PYROSTAT_HOME when set, else the default. Ends with "/".
std::string ResolveProgramFolder(const EnvironmentReader& env);

// Where "MirtProgs.log" lives: the parent of the default program folder (the
// Linux counterpart of the drive root). Ends with "/".
std::string InstalledProgramsFolder(const EnvironmentReader& env);

// The folders the program folder is seeded from, for the program running as
// `executable`: from inside the build tree the source data folder and then
// the build tree's generated data folder; from anywhere else (installed) the
// installed data folder alone, even when it is missing.
std::vector<std::string> SeedSourceFoldersFor(const std::string& executable);
// The same for this running program.
std::vector<std::string> SeedSourceFolders();

// Creates the program folder when missing and copies into it every file and
// folder of `sources` (in order) that is not there yet; an existing file is
// never overwritten. Placeholder ".keep" files are not copied. Returns false
// when the program folder cannot be created; a file that cannot be copied is
// skipped.
bool SeedProgramFolder(const std::string& programFolder, const std::vector<std::string>& sources);

} // namespace pyrostat
