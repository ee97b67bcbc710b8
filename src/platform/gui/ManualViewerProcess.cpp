#include "platform/gui/ManualViewerProcess.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace pyrostat {

namespace {

// xdg-open starts whether or not the desktop has a program for PDF files,
// and fails afterwards where nobody sees it: ask the desktop's file types
// first. True when a viewer is named (or when the question cannot be put).
bool DesktopHasPdfViewer() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("application/pdf")});
    if (!query.waitForStarted(3000)) {
        return true; // no xdg-mime: let xdg-open try
    }
    if (!query.waitForFinished(5000)) {
        query.kill();
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool ManualViewerProcess::StartDetached(const std::string& program,
                                        const std::vector<std::string>& arguments,
                                        const std::string& workingFolder) {
    if (QString::fromStdString(program).endsWith(QStringLiteral("xdg-open")) &&
        !DesktopHasPdfViewer()) {
        return false;
    }
    QStringList args;
    for (const std::string& argument : arguments) {
        args << QString::fromStdString(argument);
    }
    return QProcess::startDetached(QString::fromStdString(program), args,
                                   QString::fromStdString(workingFolder));
}

} // namespace pyrostat
