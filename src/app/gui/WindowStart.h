#pragma once

#include <functional>
#include <string>

class QApplication;

namespace pyrostat {

class FrmPyros;
class MessageService;
struct ProgramState;

// Options of a windowed start.
struct WindowStartOptions {
    std::string screenshotPath; // --screenshot FILE.png: save the window and end
    std::string localeName;     // --locale NAME (el_GR, en_US...): separators of that locale
};

// Reads --screenshot FILE and --locale NAME from the arguments after the
// program name; false (with `error`) for an unknown word or a missing value.
bool ParseWindowStartOptions(int argc, char** argv, WindowStartOptions& options,
                             std::string& error);

// True when no display is at hand (no X11 or Wayland display and no platform
// chosen): the program then runs on the offscreen platform.
bool NoDisplay();

// Where the window's picture goes when no display is at hand and none was named.
std::string DefaultScreenshotPath();

// Hands the main window to the rest of the program before it loads: the
// commands of the other parts are filled in here.
using MainWindowWiring = std::function<void(FrmPyros&, ProgramState&, MessageService&)>;

// Resolves and seeds the program folder, creates the main window, runs its
// start-up and then either the event loop or, with a screenshot path, saves
// the window as PNG and prints the path. Returns the exit status.
int RunMainWindow(QApplication& app, const WindowStartOptions& options,
                  const MainWindowWiring& wire = {});

} // namespace pyrostat
