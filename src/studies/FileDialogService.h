#pragma once

#include <optional>
#include <string>

namespace pyrostat {

// The standard open and save dialogs for study files. The window side shows
// Qt's file dialog in Greek; tests answer as told.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;

    // `filter` is written "Description (*.ext)|*.ext". The chosen full path,
    // or nothing when the user cancelled.
    virtual std::optional<std::string> AskOpenFileName(const std::string& startFolder,
                                                       const std::string& filter) = 0;
    virtual std::optional<std::string> AskSaveFileName(const std::string& startFolder,
                                                       const std::string& filter) = 0;
};

inline constexpr const char* kStudyFileFilter = "Special Files (*.pyx)|*.pyx";
inline constexpr const char* kStudyFolderName = "PYXFiles/";

} // namespace pyrostat
