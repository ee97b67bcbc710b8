#pragma once

#include "platform/MessageService.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
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
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// Puts at `name` what the input's first byte chooses, so that the program's
// own file readers meet everything a user's disk may hold there: mostly the
// remaining bytes as a regular file, otherwise a folder, a FIFO without a
// writer, a loop of symbolic links, a link to the bytes, or nothing at all.
// Returns the path; `data` and `size` are moved past the chooser.
inline std::string PlaceInput(const std::string& name, const uint8_t*& data, size_t& size) {
    const std::string path = Folder() + name;
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    std::filesystem::remove_all(path + ".loop", ec);
    std::filesystem::remove_all(path + ".bytes", ec);
    if (size == 0) {
        return path;
    }
    const uint8_t kind = data[0] % 16;
    ++data;
    --size;
    switch (kind) {
    case 10:
        std::filesystem::create_directories(path + "/inside", ec);
        return path;
    case 11:
        ::mkfifo(path.c_str(), 0644);
        return path;
    case 12:
        std::filesystem::create_symlink(path + ".loop", path, ec);
        std::filesystem::create_symlink(path, path + ".loop", ec);
        return path;
    case 13:
        WriteInput(name + ".bytes", data, size);
        std::filesystem::create_symlink(path + ".bytes", path, ec);
        return path;
    case 14:
        return path; // missing
    default:
        return WriteInput(name, data, size);
    }
}

} // namespace pyrostat::fuzz
