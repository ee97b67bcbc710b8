#pragma once

#include "platform/MessageService.h"

#include <deque>
#include <string>
#include <vector>

namespace pyrostat::test {

// Records every box shown and answers questions from a queue (Ok, or the
// default answer, when the queue is empty).
class RecordingMessages : public MessageService {
public:
    struct Shown {
        std::string title;
        std::string prompt;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
    };

    Answer Show(const std::string& title, const std::string& prompt, Icon icon, Buttons buttons,
                Answer defaultAnswer) override {
        shown.push_back({title, prompt, icon, buttons, defaultAnswer});
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::Ok ? Answer::Ok : defaultAnswer;
    }
    void Beep() override { ++beeps; }

    void AnswerNext(Answer a) { answers.push_back(a); }
    bool Empty() const { return shown.empty(); }
    const Shown& Last() const { return shown.back(); }

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    int beeps = 0;
};

} // namespace pyrostat::test
