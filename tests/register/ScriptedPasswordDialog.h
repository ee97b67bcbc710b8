#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "register/PasswordDialog.h"
#include "register/PasswordEntry.h"

#include <deque>
#include <string>
#include <vector>

namespace pyrostat::test {

// The password dialog answered from a script. Each Ask runs the dialog's own
// logic (PasswordEntry) with the next scripted entry: the texts typed into the
// two boxes and O.K., or Esc. When the logic keeps the dialog open (the two new
// passwords differ, or No to the question), the user gives up with Esc.
class ScriptedPasswordDialog : public PasswordDialog {
public:
    struct Entry {
        bool esc = false;
        std::string password;
        std::string confirmation;
    };

    explicit ScriptedPasswordDialog(MessageService& messages) : messages_(messages) {}

    void Type(const std::string& password) { script.push_back({false, password, password}); }
    void TypeTwo(const std::string& password, const std::string& confirmation) {
        script.push_back({false, password, confirmation});
    }
    void PressEsc() { script.push_back({true, {}, {}}); }

    std::optional<std::string> Ask(PasswordAsk ask) override {
        asked.push_back(ask);
        PasswordEntry entry(ask, messages_);
        layouts.push_back(entry.Open());
        Entry next;
        next.esc = true;
        if (!script.empty()) {
            next = script.front();
            script.pop_front();
        }
        if (!next.esc) {
            entry.CmdOK(next.password, next.confirmation);
        }
        return entry.Closing();
    }

    std::deque<Entry> script;
    std::vector<PasswordAsk> asked; // what each opening asked for
    std::vector<PasswordEntry::Layout> layouts;

private:
    MessageService& messages_;
};

} // namespace pyrostat::test
