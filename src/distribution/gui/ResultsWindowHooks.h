#pragma once

#include <functional>
#include <string>

class QLabel;
class QWidget;

namespace pyrostat {

// What the results window hands on to other parts of the program. An unset
// hook does nothing.
struct ResultsWindowHooks {
    // The four report buttons, each the whole report command: it makes sure
    // of the general data and shows the window's wait label while the report
    // runs (RunResultsReportCommand). `print` is false for the preview
    // buttons and true for the print buttons; `window` is the results window
    // and `waitLabel` its LblWait.
    std::function<void(bool print, QWidget* window, QLabel* waitLabel)> tableReport;
    std::function<void(bool print, QWidget* window, QLabel* waitLabel)> formulaReport;
    // The engineer register window.
    std::function<void()> engineerRegister;
    // The period billing of the building just calculated, over `window`.
    // Unset: the window has no billing button.
    std::function<void(QWidget* window)> periodBilling;
    // The user manual (F1).
    std::function<void()> manual;
    // The general data dialog (true when left with O.K.); unset: the
    // program's own dialog.
    std::function<bool()> generalData;
    // A warning box (title, text) for a failure the window cannot mend
    // itself, such as an export that could not be written; unset: a plain
    // message box.
    std::function<void(const std::string& title, const std::string& text)> warn;
    // What a command of the window did (the export, with its two files), for
    // the main window's status bar. Unset: nothing.
    std::function<void(const std::string& text)> status;
};

} // namespace pyrostat
