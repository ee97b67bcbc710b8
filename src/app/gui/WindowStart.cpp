#include "app/gui/WindowStart.h"

#include "app/gui/StudyHandoff.h"

#include "platform/ProgramFolder.h"
#include "platform/SystemVersion.h"
#include "platform/gui/FrmVers.h"
#include "platform/gui/QtClipboard.h"
#include "platform/gui/QtMessageService.h"
#include "program/ProgramState.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPixmap>
#include <QTimer>

#include <cstdlib>
#include <iostream>

namespace pyrostat {

bool ParseWindowStartOptions(int argc, char** argv, WindowStartOptions& options,
                             std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        std::string* target = nullptr;
        if (word == "--screenshot") {
            target = &options.screenshotPath;
        } else if (word == "--locale") {
            target = &options.localeName;
        } else if (word.rfind("-", 0) == 0 && word.size() > 1 && word[1] != '-') {
            continue; // Qt's own options (-platform, -style ...) pass through
        } else {
            error = "unknown argument: " + word;
            return false;
        }
        if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
            error = word + " needs a value";
            return false;
        }
        *target = argv[++i];
    }
    return true;
}

bool NoDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM");
}

std::string DefaultScreenshotPath() {
    return QDir::temp().filePath(QStringLiteral("pyrostat-main.png")).toStdString();
}

int RunMainWindow(QApplication& app, const WindowStartOptions& options,
                  const MainWindowWiring& wire) {
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    ProgramState state;
    const EnvironmentReader env = SystemEnvironment();
    state.ProgramFolder = ResolveProgramFolder(env);
    if (!SeedProgramFolder(state.ProgramFolder, SeedSourceFolders())) {
        std::cerr << "pyrostat: ο φάκελος του προγράμματος δεν μπορεί να δημιουργηθεί: "
                  << state.ProgramFolder << "\n";
        return 1;
    }

    QtMessageService messages;
    QtClipboard clipboard;
    FrmPyros window(state, messages, clipboard);
    messages.SetParent(&window);
    window.SetInstalledProgramsLog(InstalledProgramsFolder(env) + "MirtProgs.log");
    if (!options.localeName.empty()) {
        window.SetLocale(QLocale(QString::fromStdString(options.localeName)));
    }
    window.Commands().onVersionBox = [&window] {
        FrmVers box([] { return WindowsVersionName(); }, &window);
        box.exec();
    };
    if (wire) {
        wire(window, state, messages);
    }
    if (!window.Load()) {
        return 1;
    }
    window.show();
    window.Grid().SetFocus();
    // Studies opened again from the desktop come to this window.
    // A study that comes while a dialog is open waits for it to close.
    std::function<void(const std::string&)> openWhenFree = [&](const std::string& path) {
        window.raise();
        window.activateWindow();
        if (QApplication::activeModalWidget() != nullptr) {
            QTimer::singleShot(300, &window, [&openWhenFree, path] { openWhenFree(path); });
            return;
        }
        if (window.Commands().onOpenRecent) {
            window.Commands().onOpenRecent(path);
        }
    };
    StudyHandoffServer handoff(state.ProgramFolder,
                               [&openWhenFree](const std::string& path) { openWhenFree(path); });

    if (options.screenshotPath.empty()) {
        return QApplication::exec();
    }
    // Let the window lay itself out and paint once before taking its picture.
    QTimer::singleShot(200, &window, [&] {
        const QString path = QString::fromStdString(options.screenshotPath);
        if (!window.grab().save(path, "PNG")) {
            std::cerr << "pyrostat: η εικόνα δεν γράφτηκε: " << options.screenshotPath << "\n";
            app.exit(1);
            return;
        }
        std::cout << QFileInfo(path).absoluteFilePath().toStdString() << std::endl;
        window.close();
        app.exit(0);
    });
    return QApplication::exec();
}

} // namespace pyrostat
