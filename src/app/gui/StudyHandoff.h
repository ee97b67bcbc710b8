#pragma once

#include <QObject>

#include <functional>
#include <string>

class QLocalServer;

namespace pyrostat {

// The running copy's door for a study opened again from the desktop (a
// double click on a ".pyx", or "pyrostat STUDY.pyx" while the program runs):
// the new start hands the study's path through a local socket named after
// the program folder and the user, and the running window opens it, with its
// question about unsaved work. Only the copy that holds the program folder's
// lock listens, so the one-copy rule stays.
class StudyHandoffServer : public QObject {
    Q_OBJECT
public:
    StudyHandoffServer(const std::string& programFolder,
                       std::function<void(const std::string& path)> open,
                       QObject* parent = nullptr);
    bool Listening() const;

private:
    QLocalServer* server_;
    std::function<void(const std::string&)> open_;
};

// The socket's name for a program folder.
QString StudyHandoffName(const std::string& programFolder);

// Hands the study to the copy that runs on this program folder; false when
// none answers (then this start is the running copy, or tells why not).
bool HandStudyToRunningCopy(const std::string& programFolder, const std::string& studyPath);

} // namespace pyrostat
