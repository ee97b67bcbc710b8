#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pyrostat {

// The main window's commands that other parts of the program carry out. The
// program fills them in; a command left empty makes its button and key do
// nothing.
struct MainWindowCommands {
    std::function<void()> onNew;
    std::function<void()> onOpen;
    std::function<void()> onSave;
    std::function<void()> onSaveAs; // Ctrl+Shift+S
    std::function<void()> onGData;
    std::function<void()> onGo;
    std::function<void()> onPrevData;
    std::function<void()> onPrintData;
    std::function<void()> onClient;
    std::function<void()> onManual;
    std::function<void()> onVersionBox; // double click on the window background
    // Start-up step 4 on systems of the per-user default-printer family.
    // Asked before the window closes; false keeps it open. Unset: it closes.
    std::function<bool()> onCloseQuestion;
    // The open dialog (the file menu's "Άνοιγμα…").
    std::function<void()> onOpenFile;
    // A property table from a spreadsheet file (the file menu).
    std::function<void()> onImportTable;
    // The period billing of the study in the window (the calculation menu).
    std::function<void()> onPeriodBilling;
    // The buildings of the billing history (the file menu's «Κτίρια…»).
    std::function<void()> onBuildings;
    // Where the history is kept: the desk's file or the office's server
    // (the file menu's «Βάση ιστορικού…»).
    std::function<void()> onHistoryStore;
    // A study of the recent list, and the list itself (newest first).
    std::function<void(const std::string& path)> onOpenRecent;
    std::function<std::vector<std::string>()> recentStudies;
    // After every command of a button, key or menu entry (the title and the
    // status follow what it did).
    std::function<void()> afterCommand;
    // The window is closing (after the question, when it goes): what the
    // program remembers for the next run is kept now.
    std::function<void()> onClosing;
};

} // namespace pyrostat
