#pragma once

#include "platform/ManualLauncherStarter.h"
#include "platform/MessageService.h"
#include "program/ProgramState.h"

#include <string>

namespace pyrostat {

inline constexpr const char* kManualFile = "Pyrostat.pdf";
inline constexpr const char* kDefaultViewer = "xdg-open";

// Opens the user manual "Pyrostat.pdf" of the program folder in the desktop's
// document viewer.
class ManualLauncher {
public:
    ManualLauncher(const ProgramState& state, ManualLauncherStarter& starter,
                   MessageService& messages, std::string viewerCommand = kDefaultViewer);

    // A missing manual does nothing. Otherwise the viewer is started with the
    // manual, detached, in the program folder; a viewer that cannot be started
    // is reported. Returns whether a viewer was started.
    bool OpenManual();

    // The viewer to use: the given override (the PYROSTAT_VIEWER environment
    // value) when it is not empty, else "xdg-open".
    static std::string ViewerCommand(const char* overrideValue);

private:
    const ProgramState& state_;
    ManualLauncherStarter& starter_;
    MessageService& messages_;
    std::string viewer_;
};

} // namespace pyrostat
