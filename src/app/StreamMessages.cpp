#include "app/StreamMessages.h"

#include <ostream>

namespace pyrostat {

MessageService::Answer StreamMessages::Show(const std::string& title, const std::string& prompt,
                                            Icon, Buttons, Answer defaultAnswer) {
    std::string text = prompt;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    for (char& ch : text) {
        if (ch == '\r') {
            ch = '\n';
        }
    }
    err_ << title << '\n' << text << '\n';
    ++shown_;
    return defaultAnswer;
}

} // namespace pyrostat
