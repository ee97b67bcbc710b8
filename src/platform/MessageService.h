#pragma once

#include <string>

namespace pyrostat {

// Modal message boxes and questions, and the system beep. The window side
// shows real boxes; the command line prints; tests record and answer as told.
class MessageService {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~MessageService() = default;

    // Shows one box and returns the button pressed. `defaultAnswer` is the
    // button that Enter presses.
    virtual Answer Show(const std::string& title, const std::string& prompt, Icon icon,
                        Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    virtual void Beep() = 0;

    // The program's warning boxes beep twice first.
    Answer ShowWithBeeps(const std::string& title, const std::string& prompt, Icon icon,
                         Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) {
        Beep();
        Beep();
        return Show(title, prompt, icon, buttons, defaultAnswer);
    }
};

} // namespace pyrostat
