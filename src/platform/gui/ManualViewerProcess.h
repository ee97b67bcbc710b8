#pragma once

#include "platform/ManualLauncherStarter.h"

namespace pyrostat {

// Starts the document viewer as a process of its own that outlives the call.
class ManualViewerProcess : public ManualLauncherStarter {
public:
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingFolder) override;
};

} // namespace pyrostat
