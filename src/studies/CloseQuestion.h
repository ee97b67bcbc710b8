#pragma once

#include "platform/MessageService.h"
#include "studies/StudyFile.h"

#include <functional>

namespace pyrostat {

enum class CloseDecision { Close, Stay };

// Before the main window closes: with changes not saved since the last save
// or open, asks whether to save them. Yes saves and closes only when the save
// went through (a failed or abandoned save keeps the window open, so the study
// is not lost); No closes without saving; Cancel keeps the window open. With
// no changes nothing is asked.
CloseDecision ConfirmClose(MessageService& messages, bool hasUnsavedChanges,
                           const std::function<SaveOutcome()>& save);

inline constexpr const char* kUnsavedChangesPrompt =
    "Η ΜΕΛΕΤΗ ΕΧΕΙ ΑΛΛΑΓΕΣ ΠΟΥ ΔΕΝ ΑΠΟΘΗΚΕΥΤΗΚΑΝ.\n\nΑΠΟΘΗΚΕΥΣΗ ΤΩΡΑ ???";
inline constexpr const char* kQuestionTitle = "!... ΠΡΟΣΟΧΗ ...!";

} // namespace pyrostat
