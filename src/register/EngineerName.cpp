#include "register/EngineerName.h"

#include "platform/Codepage1253.h"
#include "platform/FileAccess.h"
#include "platform/Utf8.h"

namespace pyrostat {

std::string ReadDefaultEngineerText(const std::string& programFolder) {
    std::string bytes;
    if (ReadRegularFile(programFolder + "Engineer.txt", bytes) != FileProblem::None) {
        return {};
    }
    std::string line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::string text = TrimBlanks(Cp1253ToUtf8(line));
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = TrimBlanks(std::string_view(text).substr(1, text.size() - 2));
    }
    return text;
}

void ResolveCurrentEngineer(EngineerChoice& state, const std::string& programFolder) {
    if (!state.ChosenEngineer.empty()) {
        state.CurrentEngineer = state.ChosenEngineer;
        return;
    }
    if (state.DefaultEngineerText.empty()) {
        state.DefaultEngineerText = ReadDefaultEngineerText(programFolder);
    }
    const std::string text = TrimBlanks(state.DefaultEngineerText);
    state.CurrentEngineer = text.empty() ? std::string(kEngineerBanner) : text;
}

} // namespace pyrostat
