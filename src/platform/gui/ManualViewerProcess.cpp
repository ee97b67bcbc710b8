#include "platform/gui/ManualViewerProcess.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace pyrostat {

bool ManualViewerProcess::StartDetached(const std::string& program,
                                        const std::vector<std::string>& arguments,
                                        const std::string& workingFolder) {
    QStringList args;
    for (const std::string& argument : arguments) {
        args << QString::fromStdString(argument);
    }
    return QProcess::startDetached(QString::fromStdString(program), args,
                                   QString::fromStdString(workingFolder));
}

} // namespace pyrostat
