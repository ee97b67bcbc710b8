#pragma once

#include <functional>

namespace pyrostat {

// What the results window hands on to other parts of the program. An unset
// hook does nothing.
struct ResultsWindowHooks {
    // The data-table report and the formula report; mode -1 previews, 0
    // prints on the current printer. Called after the general data were made
    // complete; the hook prepares the printer and restores it afterwards.
    std::function<void(int mode)> tableReport;
    std::function<void(int mode)> formulaReport;
    // The engineer register window.
    std::function<void()> engineerRegister;
    // The user manual (F1).
    std::function<void()> manual;
    // The general data dialog; unset: the program's own dialog.
    std::function<void()> generalData;
};

} // namespace pyrostat
