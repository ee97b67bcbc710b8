#pragma once

#include "platform/MessageService.h"
#include "register/PasswordDialog.h"
#include "register/RegisterFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pyrostat {

struct ProgramState;

// Everything the register window FrmCLient does, without the window: the list
// of names, the name box, the password box, the command buttons' states, and
// what each command does to the register file and to the program-wide engineer
// values. The window forwards its events here and shows the state it reads
// back; tests drive the same calls.
class RegisterSession {
public:
    static constexpr size_t kMaxNameChars = 78;
    static constexpr size_t kMaxPasswordChars = 20;

    enum class BoxColour { LightYellow, LightGreen };

    RegisterSession(ProgramState& state, MessageService& messages, PasswordDialog& dialog);

    // Opening the window: resolves the current engineer, reads the register,
    // selects the current engineer's entry (the last one that matches) or the
    // first. A damaged register opens with the records it has and a warning.
    void Open();

    // --- user events ---
    void Select(int position);                    // a click in the list
    void EditClientText(const std::string& text); // typing in the name box
    void EditPassText(const std::string& text);   // typing in the password box
    void Cmd_New();
    void Cmd_COR();
    void Cmd_Del();
    void Cmd_Copy();
    void Cmd_Lock();
    void Cmd_OK();
    // Closing the window by any means: the whole list is written to the file.
    void Close();
    void ListMouseDown();                      // starts a drag at the selected entry
    void ListMouseUp(int position);            // ends it where the pressed mouse left the selection
    std::string ToolTipAt(int position) const; // the full text of the entry under the pointer
    void ToggleCounter();                      // a double click on the background or a frame

    // --- what the window shows ---
    const std::vector<std::string>& Names() const { return names_; }
    int Selected() const { return selected_; }
    const std::string& PanelText() const { return panelText_; }
    const std::string& ClientText() const { return clientText_; }
    bool ClientLocked() const { return clientLocked_; }
    BoxColour ClientColour() const { return clientColour_; }
    const std::string& ClientCaption() const { return clientCaption_; }
    const std::string& PassText() const { return passText_; }
    std::string CounterText() const;
    bool CounterVisible() const { return counterVisible_; }
    bool NewEnabled() const { return newEnabled_; }
    bool CorEnabled() const { return corEnabled_; }
    bool DelEnabled() const { return delEnabled_; }
    bool ExitEnabled() const { return exitEnabled_; }

    // --- window-level state ---
    const std::string& RegisterPassword() const { return registerPassword_; }
    bool Correcting() const { return correcting_; }
    bool Adding() const { return adding_; }
    bool JustDeleted() const { return justDeleted_; }
    int16_t CorrectRecordNo() const { return correctRecordNo_; }
    const RegisterFile& File() const { return file_; }

private:
    std::string SelectedText() const;
    void ReloadFromFile();
    // Puts the list into the file when a drag or a copy has changed it since
    // the last write, so that record numbers match list positions again.
    bool BringFileInStep();
    void AcceptEdit(); // steps 3 to 5 of Cmd_OK for an edit under way
    void ConfirmChoice();
    void FinishAccept();
    void EnableAll(bool enabled);

    ProgramState& state_;
    MessageService& messages_;
    PasswordDialog& dialog_;
    RegisterFile file_;

    std::vector<std::string> names_;
    int selected_ = -1;
    std::string panelText_;
    std::string clientText_;
    bool clientLocked_ = true;
    BoxColour clientColour_ = BoxColour::LightYellow;
    std::string clientCaption_;
    std::string passText_;
    bool counterVisible_ = true;
    bool newEnabled_ = true;
    bool corEnabled_ = true;
    bool delEnabled_ = true;
    bool exitEnabled_ = true;

    std::string registerPassword_;
    bool correcting_ = false;
    bool adding_ = false;
    bool justDeleted_ = false;
    int16_t correctRecordNo_ = 0;
    int dragFrom_ = -1;
    std::string dragText_;
    bool listOutOfStep_ = false;
    bool loaded_ = false;
};

} // namespace pyrostat
