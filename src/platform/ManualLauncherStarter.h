#pragma once

#include <string>
#include <vector>

namespace pyrostat {

// Starts an outside program without waiting for it. The window side starts a
// real process; tests record the call.
class ManualLauncherStarter {
public:
    virtual ~ManualLauncherStarter() = default;
    // False when the program cannot be started.
    virtual bool StartDetached(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& workingFolder) = 0;
};

} // namespace pyrostat
