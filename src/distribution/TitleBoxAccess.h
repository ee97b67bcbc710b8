#pragma once

#include <functional>
#include <string>

namespace pyrostat {

// How the calculation reaches the main window's title box: its text, and the
// two things the missing-title warning does to it. Unset members do nothing
// (text then reads as empty).
struct TitleBoxAccess {
    std::function<std::string()> text;
    std::function<void()> clear;
    std::function<void()> focus;

    std::string Text() const { return text ? text() : std::string(); }
    void Clear() const {
        if (clear) {
            clear();
        }
    }
    void Focus() const {
        if (focus) {
            focus();
        }
    }
};

} // namespace pyrostat
