// The main window's commands on a study of 500 properties, offscreen, as the
// engineer meets them: the calculation from Ctrl+G to the results window,
// the study opened, saved and pasted whole. Each result is checked (the
// results window shown, the file written, the rows in the grid).
#include "app/gui/ProgramWiring.h"
#include "distribution/gui/FrmPyrRes.h"
#include "platform/ClipboardService.h"
#include "platform/ProgramFolder.h"
#include "studies/GeneralDataFile.h"
#include "studies/gui/StudyCommandsQt.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/GridEditing.h"
#include "workspace/gui/OptionControls.h"
#include "workspace/gui/fpSpread1.h"

#include "BenchBuilding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace pyrostat;

QApplication& Application() {
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_gui_window";
        static char* argv[] = {name, nullptr};
        auto* made = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        return made;
    }();
    return *app;
}

// The program's window, wired as the windowed start wires it, in a program
// folder of its own, with a 500-property study typed in.
struct Program {
    Program() {
        Application();
        folder = std::filesystem::temp_directory_path() / "pyrostat-bench-window";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "PYXFiles");
        qputenv("PYROSTAT_HOME", QByteArray::fromStdString(folder.string()));
        state.ProgramFolder = folder.string() + "/";
        SeedProgramFolder(state.ProgramFolder, SeedSourceFolders());
        window = std::make_unique<FrmPyros>(state, messages, clipboard);
        // The typed building writes its decimals with the full stop.
        window->SetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        WireProgram(*window, state, messages, {});
        window->Load();
        window->show();
        window->TxtThema()->setText(QStringLiteral("ΠΟΛΥΚΑΤΟΙΚΙΑ 500 ΙΔΙΟΚΤΗΣΙΩΝ"));
        bench::FillBuilding(window->Grid(), 500);
        state.Employer = "Ιδιοκτήτες";
        state.Project = "Θέρμανση";
        state.Location = "Πάτρα";
    }
    std::filesystem::path folder;
    ProgramState state;
    bench::SilentMessages messages;
    MemoryClipboard clipboard;
    std::unique_ptr<FrmPyros> window;
};

// Closes the results window as soon as it shows; counts the windows closed.
int CloseResultsWhenShown() {
    static int shown = 0;
    QTimer::singleShot(0, [] {
        if (auto* results = qobject_cast<FrmPyrRes*>(QApplication::activeModalWidget())) {
            ++shown;
            results->reject();
        } else {
            CloseResultsWhenShown();
        }
    });
    return shown;
}

void BM_WindowCalculationOf500(benchmark::State& run) {
    Program p;
    for (auto _ : run) {
        const int before = CloseResultsWhenShown();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_G, Qt::ControlModifier, QStringLiteral("\x07"));
        QApplication::sendEvent(&p.window->Grid(), &press);
        if (CloseResultsWhenShown() == before) {
            run.SkipWithError("the results window did not show");
            break;
        }
    }
}
BENCHMARK(BM_WindowCalculationOf500)->Unit(benchmark::kMillisecond);

// The study commands on the same window, as the program wires them.
struct Studies {
    explicit Studies(Program& p)
        : qt(p.window.get(), p.window->Grid(), p.window->TxtThema(),
             p.window->Options().ChkInsulation(), p.state, p.messages, [] {}) {
        // A study saved under its name, with its general data.
        p.state.CurrentStudyFile = (p.folder / "PYXFiles" / "b500.pyx").string();
        std::ofstream(p.folder / "Thema.tmp", std::ios::binary)
            << FormatGeneralData({p.state.Employer, p.state.Project, p.state.Location});
    }
    StudyCommandsQt qt;
};

void BM_WindowSaveOf500(benchmark::State& run) {
    Program p;
    Studies s(p);
    const std::string path = (p.folder / "PYXFiles" / "b500.pyx").string();
    for (auto _ : run) {
        if (s.qt.Commands().Save() != SaveOutcome::Saved) {
            run.SkipWithError("the study was not saved");
            break;
        }
    }
}
BENCHMARK(BM_WindowSaveOf500)->Unit(benchmark::kMillisecond);

void BM_WindowOpenOf500(benchmark::State& run) {
    Program p;
    Studies s(p);
    const std::string path = (p.folder / "PYXFiles" / "b500.pyx").string();
    s.qt.Commands().Save();
    for (auto _ : run) {
        if (!s.qt.Commands().OpenStudy(path) || p.window->Grid().DataRowCnt() != 500) {
            run.SkipWithError("the study did not open whole");
            break;
        }
    }
}
BENCHMARK(BM_WindowOpenOf500)->Unit(benchmark::kMillisecond);

void BM_WindowPasteOf500(benchmark::State& run) {
    Program p;
    std::string text;
    for (int r = 1; r <= 500; ++r) {
        for (int c = 1; c <= 11; ++c) {
            text += p.window->Grid().CellText(r, c) + (c < 11 ? "\t" : "\r\n");
        }
    }
    for (auto _ : run) {
        p.clipboard.SetText(text);
        p.window->Grid().selectionModel()->clearSelection();
        p.window->Grid().selectionModel()->setCurrentIndex(p.window->Grid().model()->index(0, 0),
                                                           QItemSelectionModel::NoUpdate);
        p.window->Editing().PasteFromClipboard();
        if (p.window->Grid().DataRowCnt() != 500) {
            run.SkipWithError("the paste did not fill 500 rows");
            break;
        }
    }
}
BENCHMARK(BM_WindowPasteOf500)->Unit(benchmark::kMillisecond);

} // namespace
