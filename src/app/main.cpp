#include "app/gui/WindowStart.h"

#include <QApplication>

#include <clocale>
#include <iostream>

int main(int argc, char** argv) {
    // First step: a subcommand word as argv[1] runs a command-line function.
    // command-line dispatch goes here

    pyrostat::WindowStartOptions options;
    std::string error;
    if (!pyrostat::ParseWindowStartOptions(argc, argv, options, error)) {
        std::cerr << "pyrostat: " << error << "\n"
                  << "usage: pyrostat [--screenshot FILE.png] [--locale NAME]\n";
        return 2;
    }
    if (pyrostat::NoDisplay()) {
        // Without a display the window is drawn offscreen and saved as a picture.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (options.screenshotPath.empty()) {
            options.screenshotPath = pyrostat::DefaultScreenshotPath();
        }
    }
    QApplication app(argc, argv);
    // Qt takes the user's locale for everything; the program's own number
    // conversions read numbers with the point, whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    return pyrostat::RunMainWindow(app, options);
}
