#pragma once

#include "platform/MessageService.h"

#include <iosfwd>

namespace pyrostat {

// Message boxes of the command line: each box becomes lines on the error
// stream, the title and then the prompt with its carriage returns as line
// ends. Questions take their default answer.
class StreamMessages : public MessageService {
public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}

    Answer Show(const std::string& title, const std::string& prompt, Icon icon, Buttons buttons,
                Answer defaultAnswer) override;
    void Beep() override {}
    int Shown() const { return shown_; }

private:
    std::ostream& err_;
    int shown_ = 0;
};

} // namespace pyrostat
