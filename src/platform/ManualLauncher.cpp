#include "platform/ManualLauncher.h"

#include <filesystem>
#include <utility>

namespace pyrostat {

ManualLauncher::ManualLauncher(const ProgramState& state, ManualLauncherStarter& starter,
                               MessageService& messages, std::string viewerCommand)
    : state_(state), starter_(starter), messages_(messages), viewer_(std::move(viewerCommand)) {}

std::string ManualLauncher::ViewerCommand(const char* overrideValue) {
    if (overrideValue != nullptr && *overrideValue != '\0') {
        return overrideValue;
    }
    return kDefaultViewer;
}

bool ManualLauncher::OpenManual() {
    const std::string path = state_.InProgramFolder(kManualFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    // The full path is handed over, since a viewer reached through the
    // desktop may run in another folder than the one it is started in.
    if (starter_.StartDetached(viewer_, {path}, state_.ProgramFolder)) {
        return true;
    }
    messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!",
                            "... Το Εγχειρίδιο του Προγράμματος ΔΕΝ μπορεί να ανοίξει:\n"
                            "το Πρόγραμμα Προβολής < " +
                                viewer_ +
                                " > ΔΕΝ ξεκίνησε.\n"
                                "Εγκαταστήστε ένα Πρόγραμμα Προβολής PDF, ή ανοίξτε το Αρχείο < " +
                                path + " > με όποιο Πρόγραμμα διαθέτετε ...",
                            MessageService::Icon::Exclamation);
    return false;
}

} // namespace pyrostat
