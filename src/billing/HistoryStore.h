#pragma once

#include "billing/BillingHistory.h"
#include "platform/ProgramFolder.h"

#include <memory>
#include <string>

namespace pyrostat {

// Where the history of the bills lives: the SQLite file of this desk, or the
// PostgreSQL server of an office when a connection is set.
struct HistoryStore {
    std::string file;       // the SQLite file, when no connection is set
    std::string connection; // a libpq URI or key=value text, as set
    std::string setIn;      // where the connection was set, for messages
    // A fault of the setting itself (a password written in the settings
    // file, a text that is no connection): told, and nothing opened.
    std::string fault;

    static HistoryStore InFile(std::string path) {
        HistoryStore store;
        store.file = std::move(path);
        return store;
    }
    bool OnServer() const { return !connection.empty(); }
    // For the window and the messages: «αρχείο …» or «διακομιστής …», never
    // a password.
    std::string Describe() const;
};

// The settings file the connection is set in: pyrostat.conf in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config), the file the
// windows keep their choices in.
std::string SettingsFilePath(const EnvironmentReader& env);

// The value of a key of the settings file's general section, as the windows'
// settings write it; empty when it is not there.
std::string SettingsValue(const std::string& settingsText, const std::string& key);

// PYROSTAT_DATABASE when set (for scripts and tests), else the settings
// file's `database`, else the file "PYXFiles/Billing.sqlite" of the program
// folder.
HistoryStore ChooseHistoryStore(const EnvironmentReader& env, const std::string& programFolder);

// The history in its store; throws HistoryError with a Greek text naming
// the file or the server (never a password).
std::unique_ptr<BillingHistory> OpenHistory(const HistoryStore& store);

} // namespace pyrostat
