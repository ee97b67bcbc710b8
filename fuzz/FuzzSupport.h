#pragma once

#include "platform/MessageService.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace pyrostat::fuzz {

// Message boxes that nobody sees: the readers may warn, never ask.
class SilentMessages : public MessageService {
public:
    Answer Show(const std::string&, const std::string&, Icon, Buttons buttons,
                Answer defaultAnswer) override {
        return buttons == Buttons::Ok ? Answer::Ok : defaultAnswer;
    }
    void Beep() override {}
};

// A folder of this fuzzing process, with a trailing "/".
inline const std::string& Folder() {
    static const std::string folder = [] {
        std::string f = "/tmp/pyrostat-fuzz-" + std::to_string(::getpid()) + "/";
        std::string command = "mkdir -p " + f;
        (void)std::system(command.c_str());
        return f;
    }();
    return folder;
}

inline std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = Folder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace pyrostat::fuzz
