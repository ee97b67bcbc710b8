#include "studies/CloseQuestion.h"

namespace pyrostat {

CloseDecision ConfirmClose(MessageService& messages, bool hasUnsavedChanges,
                           const std::function<SaveOutcome()>& save) {
    if (!hasUnsavedChanges) {
        return CloseDecision::Close;
    }
    const MessageService::Answer answer =
        messages.Show(kQuestionTitle, kUnsavedChangesPrompt, MessageService::Icon::Question,
                      MessageService::Buttons::YesNoCancel, MessageService::Answer::Yes);
    switch (answer) {
    case MessageService::Answer::Yes:
        return save && save() == SaveOutcome::Saved ? CloseDecision::Close : CloseDecision::Stay;
    case MessageService::Answer::No:
        return CloseDecision::Close;
    default:
        return CloseDecision::Stay;
    }
}

} // namespace pyrostat
