#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// One option of a command: "--cost ΠΟΣΟ" fills `value`, "--save" sets `flag`.
struct CommandOption {
    std::string_view name;
    std::string* value = nullptr;
    bool* flag = nullptr;
};

// The words of a command line read by its table of options, the same way for
// every command: an option with a value takes the next word or the text after
// "=" ("--decimal ," or "--decimal=,"), a flag stands alone, any other word
// that starts with "-" is an unknown option ("-" alone is the standard input,
// a file), and the other words are the command's files, in order. Nothing
// when a word is refused, with the Greek reason in `error`.
std::optional<std::vector<std::string>> ParseCommandOptions(const std::vector<std::string>& args,
                                                            std::span<const CommandOption> options,
                                                            std::string& error);
// The same, the reason of a refusal written as a line on `err`.
std::optional<std::vector<std::string>> ParseCommandOptions(const std::vector<std::string>& args,
                                                            std::span<const CommandOption> options,
                                                            std::ostream& err);

} // namespace pyrostat
