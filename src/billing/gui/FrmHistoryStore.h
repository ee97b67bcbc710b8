#pragma once

#include "billing/PostgresDatabase.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pyrostat {

// «Βάση ιστορικού»: where the history of the bills is kept, this desk's file
// or the office's PostgreSQL server (server, port, database, user). A
// password typed here goes to libpq's password file, never to the settings;
// «Δοκιμή σύνδεσης» tries the server before anything is kept.
class FrmHistoryStore : public QDialog {
    Q_OBJECT
public:
    struct Actions {
        // A connection tried now: empty when it was made, else why not.
        std::function<std::string(const std::string& connection)> trial;
        // The setting written (empty: the desk's file); empty when it was,
        // else why not.
        std::function<std::string(const std::string& connection)> keep;
        // The password written to the password file; the same.
        std::function<std::string(const ServerFields& server, const std::string& password)>
            keepPassword;
    };

    // `current`: the connection set (empty: the file); `file`: the desk's
    // file; `variable`: PYROSTAT_DATABASE when it is set, which the window
    // cannot change.
    FrmHistoryStore(const std::string& current, const std::string& file,
                    const std::string& variable, Actions actions, QWidget* parent = nullptr);

    QRadioButton* OnFile() const { return onFile_; }
    QRadioButton* OnServer() const { return onServer_; }
    QLineEdit* Host() const { return host_; }
    QLineEdit* Port() const { return port_; }
    QLineEdit* Database() const { return dbname_; }
    QLineEdit* User() const { return user_; }
    QLineEdit* Password() const { return password_; }
    QPushButton* CmdTrial() const { return cmdTrial_; }
    QPushButton* CmdOk() const { return cmdOk_; }
    QLabel* Outcome() const { return outcome_; }

    // What is kept: the fields read, refused with a message when they do
    // not make a server's connection.
    void accept() override;
    void Trial();

private:
    // The fields read; empty with the fault told when they cannot be used.
    std::optional<ServerFields> Read();
    void Tell(const QString& text, bool fault);
    void Enable();

    std::string current_;
    Actions actions_;
    QRadioButton* onFile_;
    QRadioButton* onServer_;
    QLineEdit* host_;
    QLineEdit* port_;
    QLineEdit* dbname_;
    QLineEdit* user_;
    QLineEdit* password_;
    QPushButton* cmdTrial_;
    QPushButton* cmdOk_;
    QLabel* outcome_;
};

} // namespace pyrostat
