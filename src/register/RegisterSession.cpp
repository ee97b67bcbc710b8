#include "register/RegisterSession.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "program/ProgramState.h"
#include "register/EngineerName.h"
#include "register/RegisterMessages.h"

namespace pyrostat {

namespace {

constexpr const char* kCaptionBrowsing = "ΤΡΕΧΟΝ ΟΝΟΜΑ ΜΕΛΕΤΗΤΗ";
constexpr const char* kCaptionAdding = "ΔΩΣΕ ΤΟ ΟΝΟΜΑ ΤΟΥ ΝΕΟΥ ΜΕΛΕΤΗΤΗ";
constexpr const char* kCaptionCorrecting = "ΔΙΟΡΘΩΣΗ ΤΟΥ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ";

// A name as the file will give it back: trimmed, cut to the field, in the
// characters the code page holds.
std::string StorableName(const std::string& text) {
    const std::string cut = Utf8Left(TrimBlanks(text), RegisterSession::kMaxNameChars);
    return TrimBlanks(Cp1253ToUtf8(Utf8ToCp1253(cut)));
}

} // namespace

RegisterSession::RegisterSession(ProgramState& state, MessageService& messages,
                                 PasswordDialog& dialog)
    : state_(state), messages_(messages), dialog_(dialog),
      file_(RegisterFile::InProgramFolder(state)), clientCaption_(kCaptionBrowsing) {}

void RegisterSession::Open() {
    ResolveCurrentEngineer(state_, state_.ProgramFolder);
    panelText_ = TrimBlanks(state_.CurrentEngineer);

    const RegisterContents contents = file_.Read();
    // Only a register that was read may be rewritten when the window closes;
    // otherwise the close would replace it by an empty list.
    loaded_ = contents.status == RegisterContents::Status::Ok ||
              contents.status == RegisterContents::Status::Damaged;
    ShowRegisterReadWarning(messages_, contents, file_.Path());
    registerPassword_ = contents.password;
    passText_ = contents.password;
    names_ = contents.names;
    listOutOfStep_ = false;

    selected_ = -1;
    for (size_t i = names_.size(); i-- > 0;) {
        if (TrimBlanks(names_[i]) == panelText_) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
    if (selected_ < 0 && !names_.empty()) {
        selected_ = 0;
    }
    clientText_ = SelectedText();
}

std::string RegisterSession::SelectedText() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(names_.size())) {
        return {};
    }
    return names_[static_cast<size_t>(selected_)];
}

void RegisterSession::Select(int position) {
    if (position < 0 || position >= static_cast<int>(names_.size())) {
        return;
    }
    selected_ = position;
    // While a name is typed, a click in the list must not overwrite it.
    if (clientLocked_) {
        clientText_ = SelectedText();
    }
}

void RegisterSession::EditClientText(const std::string& text) {
    if (!clientLocked_) {
        clientText_ = Utf8Left(text, kMaxNameChars);
    }
}

void RegisterSession::EditPassText(const std::string& text) {
    passText_ = Utf8Left(text, kMaxPasswordChars);
}

std::string RegisterSession::CounterText() const {
    return "< " + std::to_string(Utf8Length(clientText_)) + " > Χαρακτήρες";
}

void RegisterSession::ToggleCounter() {
    counterVisible_ = !counterVisible_;
}

void RegisterSession::EnableAll(bool enabled) {
    newEnabled_ = corEnabled_ = delEnabled_ = exitEnabled_ = enabled;
}

void RegisterSession::Cmd_New() {
    if (!newEnabled_) {
        return;
    }
    // Cmd_New stays off as well while its edit is under way.
    newEnabled_ = corEnabled_ = delEnabled_ = false;
    clientLocked_ = false;
    clientColour_ = BoxColour::LightGreen;
    clientText_.clear();
    clientCaption_ = kCaptionAdding;
    adding_ = true;
}

void RegisterSession::Cmd_COR() {
    if (!corEnabled_ || selected_ < 0 || selected_ >= static_cast<int>(names_.size())) {
        return;
    }
    clientLocked_ = false;
    clientColour_ = BoxColour::LightGreen;
    clientCaption_ = kCaptionCorrecting;
    clientText_ = SelectedText();
    correctRecordNo_ = static_cast<int16_t>(selected_ + 1);
    EnableAll(false);
    correcting_ = true;
}

void RegisterSession::Cmd_Del() {
    if (!delEnabled_) {
        return;
    }
    if (names_.size() <= 1) {
        ShowRegisterMessage(5, messages_);
        return;
    }
    if (selected_ < 0 || selected_ >= static_cast<int>(names_.size())) {
        return;
    }
    if (!ShowRegisterMessage(4, messages_)) {
        return;
    }
    justDeleted_ = true;
    names_.erase(names_.begin() + selected_);
    if (file_.WriteAll(names_, registerPassword_)) {
        listOutOfStep_ = false;
    } else {
        listOutOfStep_ = true;
        ShowRegisterWriteFailure(messages_);
    }
    selected_ = 0;
    clientText_ = SelectedText();
}

void RegisterSession::Cmd_Copy() {
    const std::string name = StorableName(panelText_);
    if (name.empty()) {
        return;
    }
    names_.push_back(name);
    listOutOfStep_ = true;
}

void RegisterSession::Cmd_Lock() {
    const std::optional<std::string> existing = dialog_.Ask(PasswordAsk::Existing);
    if (TrimBlanks(existing.value_or("")) != TrimBlanks(registerPassword_)) {
        ShowRegisterMessage(3, messages_);
        return;
    }

    // Esc in the new-password dialog cancels the change; an empty password is
    // stored only after the dialog's own question was answered Yes.
    const std::optional<std::string> chosen = dialog_.Ask(PasswordAsk::New);
    if (!chosen) {
        return;
    }

    const std::string password = Utf8Left(TrimBlanks(*chosen), kMaxPasswordChars);
    if (!file_.ChangePassword(password)) {
        ShowRegisterWriteFailure(messages_);
        return;
    }
    passText_ = password;
    registerPassword_ = password;
}

bool RegisterSession::BringFileInStep() {
    if (!listOutOfStep_) {
        return true;
    }
    if (!file_.WriteAll(names_, registerPassword_)) {
        return false;
    }
    listOutOfStep_ = false;
    return true;
}

void RegisterSession::ReloadFromFile() {
    names_ = file_.Read().names;
    listOutOfStep_ = false;
    if (selected_ >= static_cast<int>(names_.size())) {
        selected_ = static_cast<int>(names_.size()) - 1;
    }
}

void RegisterSession::Cmd_OK() {
    // 1. A protected register accepts nothing with an empty password box.
    if (TrimBlanks(passText_).empty() && !file_.ReadPassword().empty()) {
        ShowRegisterMessage(2, messages_);
        return;
    }
    // 2. No edit under way: the selected entry is to be confirmed (step 6).
    if (!clientLocked_) {
        AcceptEdit();
        return;
    }
    ConfirmChoice();
    FinishAccept();
}

void RegisterSession::AcceptEdit() {
    // 3. The typed name is taken: its box is locked and marked.
    clientLocked_ = true;
    clientColour_ = BoxColour::LightYellow;
    const std::string text = StorableName(clientText_);
    if (text.empty()) {
        // An empty name is neither added nor written over an existing one.
        FinishAccept();
        return;
    }
    if (TrimBlanks(passText_) != registerPassword_) {
        ShowRegisterMessage(2, messages_);
        return;
    }
    // 4. The engineer confirms the name before it is added or corrected.
    if (ShowRegisterMessage(adding_ ? 1 : 6, messages_)) {
        // 5. Record numbers are list positions only while the file holds the
        // list as shown; a drag or a copy since the last write is put there
        // first, so the record corrected is the one the user sees.
        if (!BringFileInStep()) {
            ShowRegisterWriteFailure(messages_);
        } else if (correcting_) {
            const auto record = file_.ReadRecord(static_cast<size_t>(correctRecordNo_));
            if (record) {
                const std::string old = record->EngineerName;
                if (old == TrimBlanks(state_.CurrentEngineer)) {
                    state_.CurrentEngineer = text;
                    panelText_ = text;
                }
                // The engineer chosen earlier is the same person under the
                // corrected name; the reports must print the correction.
                if (!state_.ChosenEngineer.empty() && TrimBlanks(state_.ChosenEngineer) == old) {
                    state_.ChosenEngineer = text;
                }
            }
            if (!record || !file_.Correct(static_cast<size_t>(correctRecordNo_), text)) {
                ShowRegisterWriteFailure(messages_);
            }
            ReloadFromFile();
            Select(correctRecordNo_ - 1);
        } else if (file_.Append(text, TrimBlanks(passText_))) {
            names_.push_back(text);
            Select(static_cast<int>(names_.size()) - 1);
        } else {
            ShowRegisterWriteFailure(messages_);
        }
    }
    ConfirmChoice();
    FinishAccept();
}

void RegisterSession::ConfirmChoice() {
    // 6. Only a plain acceptance asks question 7.
    if (correcting_ || justDeleted_ || adding_ || names_.empty()) {
        return;
    }
    state_.ChosenEngineer = SelectedText();
    if (ShowRegisterMessage(7, messages_, state_.ChosenEngineer)) {
        state_.ChosenEngineer = SelectedText();
        clientText_ = TrimBlanks(state_.ChosenEngineer);
    } else {
        clientText_ = TrimBlanks(state_.ChosenEngineer);
        state_.ChosenEngineer.clear();
    }
    state_.CurrentEngineer = TrimBlanks(state_.ChosenEngineer);
    panelText_ = state_.CurrentEngineer;
}

void RegisterSession::FinishAccept() {
    // 7. The window's controls are given back, and the box is captioned for
    // what it shows again: a prompt for a name already taken would ask again.
    EnableAll(true);
    clientCaption_ = kCaptionBrowsing;
    if (!TrimBlanks(panelText_).empty()) {
        clientText_ = panelText_;
    }
    correcting_ = justDeleted_ = adding_ = false;
}

void RegisterSession::Close() {
    if (!loaded_) {
        return;
    }
    if (!file_.WriteAll(names_, registerPassword_)) {
        ShowRegisterWriteFailure(messages_);
    }
}

void RegisterSession::ListMouseDown() {
    dragFrom_ = clientLocked_ ? selected_ : -1;
    dragText_ = SelectedText();
}

void RegisterSession::ListMouseUp(int position) {
    const int from = dragFrom_;
    dragFrom_ = -1;
    // A drag during an edit would move the entry being corrected.
    const int count = static_cast<int>(names_.size());
    if (!clientLocked_ || from < 0 || from >= count || position < 0 || position >= count) {
        return;
    }
    if (position != from) {
        names_.erase(names_.begin() + from);
        names_.insert(names_.begin() + position, dragText_);
        listOutOfStep_ = true;
    }
    Select(position);
}

std::string RegisterSession::ToolTipAt(int position) const {
    if (position < 0 || position >= static_cast<int>(names_.size())) {
        return {};
    }
    return names_[static_cast<size_t>(position)];
}

} // namespace pyrostat
