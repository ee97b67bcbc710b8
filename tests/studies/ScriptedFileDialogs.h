#pragma once

#include "studies/FileDialogService.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat::test {

// Answers the open and save dialogs from a queue (Cancel when it runs out)
// and records where each dialog started and what it listed.
class ScriptedFileDialogs : public FileDialogService {
public:
    struct Asked {
        bool save;
        std::string startFolder;
        std::string filter;
    };

    std::optional<std::string> AskOpenFileName(const std::string& startFolder,
                                               const std::string& filter) override {
        return Next(false, startFolder, filter);
    }
    std::optional<std::string> AskSaveFileName(const std::string& startFolder,
                                               const std::string& filter) override {
        return Next(true, startFolder, filter);
    }

    void AnswerNext(std::optional<std::string> answer) { answers.push_back(std::move(answer)); }

    std::vector<Asked> asked;
    std::deque<std::optional<std::string>> answers;

private:
    std::optional<std::string> Next(bool save, const std::string& folder,
                                    const std::string& filter) {
        asked.push_back({save, folder, filter});
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace pyrostat::test
