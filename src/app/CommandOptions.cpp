#include "app/CommandOptions.h"

#include <algorithm>

namespace pyrostat {

std::optional<std::vector<std::string>> ParseCommandOptions(const std::vector<std::string>& args,
                                                            std::span<const CommandOption> options,
                                                            std::string& error) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, equals);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const CommandOption& o) { return o.name == name; });
        if (option == options.end()) {
            error = "Άγνωστη επιλογή: " + arg;
            return std::nullopt;
        }
        if (option->flag != nullptr) {
            if (equals != std::string::npos) {
                error = "Η επιλογή " + std::string(name) + " δεν παίρνει τιμή.";
                return std::nullopt;
            }
            *option->flag = true;
            continue;
        }
        if (equals != std::string::npos) {
            *option->value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            *option->value = args[++i];
        } else {
            error = "Η επιλογή " + arg + " θέλει τιμή.";
            return std::nullopt;
        }
    }
    return files;
}

std::optional<std::vector<std::string>> ParseCommandOptions(const std::vector<std::string>& args,
                                                            std::span<const CommandOption> options,
                                                            std::ostream& err) {
    std::string error;
    auto files = ParseCommandOptions(args, options, error);
    if (!files) {
        err << error << '\n';
    }
    return files;
}

} // namespace pyrostat
