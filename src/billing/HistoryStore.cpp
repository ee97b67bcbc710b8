#include "billing/HistoryStore.h"

#include "billing/PostgresDatabase.h"
#include "platform/FileAccess.h"

namespace pyrostat {

namespace {

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// A value as the settings write it: in double quotes with backslash escapes
// when it needs them, else as it stands.
std::string Unquoted(const std::string& value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return value;
    }
    std::string out;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size()) {
            const char next = value[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

} // namespace

std::string HistoryStore::Describe() const {
    if (OnServer()) {
        const std::string name = PostgresServerName(connection);
        return "διακομιστής PostgreSQL " + (name.empty() ? std::string("(λάθος σύνδεση)") : name);
    }
    return "αρχείο " + file;
}

std::string SettingsFilePath(const EnvironmentReader& env) {
    std::string config = env("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        config = env("HOME") + "/.config";
    }
    return config + "/pyrostat/pyrostat.conf";
}

std::string SettingsValue(const std::string& settingsText, const std::string& key) {
    bool general = true;
    size_t start = 0;
    while (start < settingsText.size()) {
        size_t end = settingsText.find('\n', start);
        if (end == std::string::npos) {
            end = settingsText.size();
        }
        const std::string line = Trimmed(std::string_view(settingsText).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            general = line == "[General]";
            continue;
        }
        const size_t equals = line.find('=');
        if (general && equals != std::string::npos && Trimmed(line.substr(0, equals)) == key) {
            return Unquoted(Trimmed(line.substr(equals + 1)));
        }
    }
    return {};
}

HistoryStore ChooseHistoryStore(const EnvironmentReader& env, const std::string& programFolder) {
    HistoryStore store;
    store.file = programFolder + kHistoryFileName;
    if (const std::string set = env("PYROSTAT_DATABASE"); !set.empty()) {
        store.connection = set;
        store.setIn = "PYROSTAT_DATABASE";
    } else {
        const std::string settings = SettingsFilePath(env);
        std::string text;
        if (ReadRegularFile(settings, text) == FileProblem::None) {
            store.connection = SettingsValue(text, "database");
            store.setIn = settings;
            if (ConnectionHoldsPassword(store.connection)) {
                store.fault = "Η σύνδεση με τον διακομιστή του ιστορικού στο " + settings +
                              " έχει μέσα της κωδικό σε καθαρό κείμενο: δεν χρησιμοποιείται. "
                              "Σβήστε τον από εκεί και γράψτε τον στο αρχείο κωδικών ~/.pgpass "
                              "(δικαιώματα 0600), μία γραμμή "
                              "«διακομιστής:θύρα:βάση:χρήστης:κωδικός».";
            }
        }
    }
    if (store.OnServer() && store.fault.empty()) {
        if (const std::string fault = ConnectionTextFault(store.connection); !fault.empty()) {
            store.fault = "Η σύνδεση με τον διακομιστή του ιστορικού στο " + store.setIn +
                          " δεν είναι γραμμένη όπως τη δέχεται η PostgreSQL (ένα URI "
                          "postgresql://… ή ζεύγη κλειδί=τιμή).";
        }
    }
    return store;
}

std::unique_ptr<BillingHistory> OpenHistory(const HistoryStore& store) {
    if (!store.fault.empty()) {
        throw HistoryError(store.fault);
    }
    if (!store.OnServer()) {
        return std::make_unique<BillingHistory>(store.file);
    }
    try {
        return std::make_unique<BillingHistory>(
            std::make_unique<PostgresDatabase>(store.connection));
    } catch (const DatabaseError& e) {
        throw HistoryError("Το ιστορικό δεν ανοίγει: " + e.Reason() + ".");
    }
}

} // namespace pyrostat
