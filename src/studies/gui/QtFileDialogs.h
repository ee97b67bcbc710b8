#pragma once

#include "studies/FileDialogService.h"

#include <string>

class QWidget;

namespace pyrostat {

// The open and save dialogs of Qt, with Greek texts.
class QtFileDialogs : public FileDialogService {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    std::optional<std::string> AskOpenFileName(const std::string& startFolder,
                                               const std::string& filter) override;
    std::optional<std::string> AskSaveFileName(const std::string& startFolder,
                                               const std::string& filter) override;

    // The folders the dialogs were last left in; empty, or a folder that is
    // gone, opens them in the folder the command gives.
    std::string lastOpenFolder;
    std::string lastSaveFolder;

private:
    QWidget* parent_;
};

} // namespace pyrostat
