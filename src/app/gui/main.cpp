#include "app/BillCommand.h"
#include "app/CommandGuard.h"
#include "app/CommandLine.h"
#include "app/gui/ProgramWiring.h"
#include "app/gui/ReportCommand.h"
#include "app/gui/StudyHandoff.h"
#include "app/gui/WindowStart.h"
#include "platform/PathRoutines.h"
#include "platform/ProgramFolder.h"
#include "platform/gui/GreekTranslations.h"
#include "program/ProgramState.h"
#include "reports/ReportServices.h"
#include "reports/gui/QtSheetWriter.h"
#include "reports/gui/SheetRenderer.h"
#include "reports/gui/SheetTemplateLoader.h"

#include <QApplication>

#include <clocale>
#include <filesystem>
#include <future>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Qt takes the user's locale for everything; the program's own number
// conversions read numbers with the point, whatever the locale.
void KeepNumbersInTheCLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

// A command's output is what the engineer reads: the toolkit's own notes to
// developers (in English, about the session it runs in) are left out of it;
// its errors still come through.
QtMessageHandler toolkitOutput = nullptr;

void KeepToolkitNotesOutOfCommands(QtMsgType type, const QMessageLogContext& context,
                                   const QString& text) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && toolkitOutput) {
        toolkitOutput(type, context, text);
    }
}

} // namespace

int main(int argc, char** argv) {
    // ---- First step: a subcommand word as argv[1] runs a command-line function.
    if (argc > 1 && pyrostat::IsSubcommand(argv[1])) {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (const auto status = pyrostat::RunCommandLine(args, std::cin, std::cout, std::cerr)) {
            return *status;
        }
        // The commands that draw sheets: the renderer needs the application,
        // offscreen when there is no display.
        if (args.front() == "report" || args.front() == "bill") {
            return pyrostat::GuardedCommand(
                [&]() -> int {
                    if (pyrostat::NoDisplay()) {
                        qputenv("QT_QPA_PLATFORM", "offscreen");
                    }
                    toolkitOutput = qInstallMessageHandler(KeepToolkitNotesOutOfCommands);
                    QApplication app(argc, argv);
                    KeepNumbersInTheCLocale();
                    const std::vector<std::string> rest(args.begin() + 1, args.end());
                    if (args.front() == "report") {
                        // The report's templates come from the seeded program folder.
                        pyrostat::ProgramState state;
                        state.ProgramFolder = pyrostat::PrepareProgramFolder();
                        if (state.ProgramFolder.empty()) {
                            std::cerr << "pyrostat: ο φάκελος του προγράμματος δεν μπορεί να "
                                         "δημιουργηθεί.\n";
                            return 1;
                        }
                        const std::string templateFolder =
                            pyrostat::AddBackslash(state.ProgramFolder);
                        // The study is read and calculated on the other core while
                        // this one gathers the fonts and the template the sheets are
                        // drawn with.
                        auto prepared = std::async(std::launch::async, [&] {
                            return pyrostat::PrepareReport(rest, state, std::cin, std::cerr);
                        });
                        pyrostat::WarmUpSheetFonts();
                        if (const auto kinds = pyrostat::ReportKinds(rest.empty() ? std::string()
                                                                                  : rest.front())) {
                            for (const std::string& kind : *kinds) {
                                pyrostat::PreloadSheetTemplate(templateFolder +
                                                               pyrostat::ReportTemplateName(kind));
                            }
                        }
                        pyrostat::PreparedReport report = prepared.get();
                        return pyrostat::DrawReport(report, state, std::cerr);
                    }
                    pyrostat::QtSheetWriter writer;
                    pyrostat::BillContext context;
                    context.writer = &writer;
                    context.history = pyrostat::ChosenHistoryStore();
                    return pyrostat::RunBillCommand(rest, std::cin, std::cout, std::cerr, context);
                },
                std::cerr);
        }
        std::cerr << pyrostat::UsageText();
        return 1;
    }

    // ---- The window, with the study named on the command line (a ".pyx"
    // file, as the file manager passes it) opened once it has started.
    std::string studyPath;
    std::vector<char*> windowArgs;
    for (int i = 0; i < argc; ++i) {
        const std::string word = argv[i];
        if (i > 0 && word.size() > 4 && word[0] != '-' &&
            (word.ends_with(".pyx") || word.ends_with(".PYX"))) {
            std::error_code error;
            const std::filesystem::path absolute = std::filesystem::absolute(word, error);
            studyPath = error ? word : absolute.string();
        } else {
            windowArgs.push_back(argv[i]);
        }
    }
    pyrostat::WindowStartOptions options;
    std::string error;
    if (!pyrostat::ParseWindowStartOptions(static_cast<int>(windowArgs.size()), windowArgs.data(),
                                           options, error)) {
        std::cerr << "pyrostat: " << error << "\n"
                  << "usage: pyrostat [--screenshot FILE.png] [--locale NAME]\n"
                  << pyrostat::UsageText();
        return 2;
    }
    if (pyrostat::NoDisplay()) {
        // Without a display the window is drawn offscreen and saved as a picture.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (options.screenshotPath.empty()) {
            options.screenshotPath = pyrostat::DefaultScreenshotPath();
        }
    }
    QApplication app(argc, argv);
    KeepNumbersInTheCLocale();
    pyrostat::InstallGreekTranslations(app);
    // A copy runs already on this program folder: the study goes to its
    // window, which opens it (asking first about unsaved work there).
    if (!studyPath.empty() &&
        pyrostat::HandStudyToRunningCopy(
            pyrostat::ResolveProgramFolder(pyrostat::SystemEnvironment()), studyPath)) {
        std::cout << "Η μελέτη " << studyPath
                  << " ανοίγει στο παράθυρο του προγράμματος που τρέχει ήδη.\n";
        return 0;
    }
    return pyrostat::RunMainWindow(app, options,
                                   [&studyPath](pyrostat::FrmPyros& window,
                                                pyrostat::ProgramState& state,
                                                pyrostat::MessageService& messages) {
                                       pyrostat::WireProgram(window, state, messages, studyPath);
                                   });
}
