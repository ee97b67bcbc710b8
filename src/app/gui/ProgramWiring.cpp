#include "app/gui/ProgramWiring.h"

#include "billing/HistoryStore.h"
#include "billing/LocalDrafts.h"
#include "billing/PasswordFile.h"
#include "billing/PostgresDatabase.h"
#include "billing/gui/FrmBilling.h"
#include "billing/gui/FrmBuildings.h"
#include "billing/gui/FrmHistoryStore.h"
#include "distribution/MessageByCode.h"
#include "distribution/ResultsFiles.h"
#include "distribution/StudyCalculation.h"
#include "distribution/TitleBoxAccess.h"
#include "distribution/gui/CalculationCommand.h"
#include "platform/FileAccess.h"
#include "platform/ManualLauncher.h"
#include "platform/Utf8.h"
#include "platform/gui/ManualViewerProcess.h"
#include "platform/gui/QtChoicesStore.h"
#include "printing/gui/PrinterDialogQt.h"
#include "printing/gui/PrinterServices.h"
#include "register/gui/ClientCommand.h"
#include "reports/ReportCommands.h"
#include "reports/ReportServices.h"
#include "reports/gui/QtReportOutputs.h"
#include "reports/gui/ReportWindowHooks.h"
#include "studies/FileDialogService.h"
#include "studies/StudyRecords.h"
#include "studies/gui/FrmPyros_GData.h"
#include "studies/gui/StudyCommandsQt.h"
#include "studies/gui/TableImportDialog.h"
#include "workspace/RecentStudies.h"
#include "workspace/gui/FrmPyros.h"
#include "workspace/gui/GridModel.h"
#include "workspace/gui/OptionControls.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QSettings>
#include <QTimer>

#include <cstdlib>
#include <memory>

namespace pyrostat {
namespace {

// Everything the wired commands use, owned by the main window.
class ProgramServices : public QObject {
public:
    ProgramServices(FrmPyros& window, ProgramState& state, MessageService& messages)
        : QObject(&window), window_(window), state_(state), messages_(messages),
          printers_(messages),
          manual_(state, viewer_, messages,
                  ManualLauncher::ViewerCommand(std::getenv("PYROSTAT_VIEWER"))),
          study_(&window, window.Grid(), window.TxtThema(), window.Options().ChkInsulation(), state,
                 messages, [this] { ShowGeneralData(&window_); }) {}

    void Wire(const std::string& studyPath);

private:
    // The caption follows the study: its file's name and the mark of changes.
    void ShowStudy() {
        window_.ShowStudy(state_.CurrentStudyFile, study_.Commands().HasUnsavedChanges());
    }
    void Status(const std::string& text) { window_.ShowStatus(QString::fromStdString(text)); }
    void OpenRecent(const std::string& path);
    void ImportTableFile();
    void RememberChoices();
    void RestoreChoices();

    bool ShowGeneralData(QWidget* parent) { return ShowGeneralDataDialog(parent, state_); }

    // The period billing of the study as the window holds it: calculated as
    // the calculation button does, and refused with the same message when it
    // cannot be.
    void PeriodBilling(QWidget* owner) {
        const StudyCalculation run =
            CalculateStudy(ReadGridRows(window_.Grid()), Insulated(), NumberLocale::Of(state_));
        if (!run.Ok()) {
            std::string title, prompt;
            StudyCheckMessage(run.checked, title, prompt);
            if (run.checked.check == StudyCheck::NoProperties) {
                title = kAttentionTitle;
                prompt = "... Η Μελέτη ΔΕΝ έχει Ιδιοκτησίες ...";
            } else if (run.checked.check == StudyCheck::Passed) {
                title = kAttentionTitle;
                prompt = DistributionStopPrompt(run.result);
            }
            messages_.ShowWithBeeps(title, prompt, MessageService::Icon::Critical);
            return;
        }
        BillingCoefficients coefficients =
            CoefficientsFromDistribution(run.result, NumberLocale::Of(state_));
        coefficients.title = TrimBlanks(TitleBox().Text());
        coefficients.employer = state_.Employer;
        coefficients.project = state_.Project;
        coefficients.location = state_.Location;
        const BillingCoefficients building = coefficients;
        FrmBilling billing(std::move(coefficients), owner);
        billing.SetNumberLocale(NumberLocale::Of(state_));
        const std::string study = state_.CurrentStudyFile;
        // The history belongs to a study on the disk: its file names the
        // building.
        std::unique_ptr<BillingHistory> history;
        if (!study.empty()) {
            billing.SetSuggestedName(QString::fromStdString(
                FolderOfPath(study) + MapForFileName(TrimBlanks(TitleBox().Text()))));
            const HistoryStore store = ChosenStore();
            const BuildingKey key = BuildingKeyOf(study, building);
            billing.SetHistoryStore(QString::fromStdString(store.Describe()));
            // On an office's server, this desk keeps the drafts the server
            // cannot take, and gives them back at the next opening.
            if (store.OnServer()) {
                billing.SetLocalDrafts(LocalDrafts(state_.InProgramFolder(kLocalDraftsFolder)));
            }
            try {
                history = OpenHistory(store);
                billing.SetHistory(history.get(), key);
            } catch (const HistoryError& e) {
                messages_.ShowWithBeeps(
                    kAttentionTitle,
                    e.what() + std::string(store.OnServer()
                                               ? "\nΟι ενδείξεις που θα γράψετε κρατιούνται ως "
                                                 "πρόχειρο σε αυτόν τον σταθμό."
                                               : ""),
                    MessageService::Icon::Exclamation);
                billing.WithoutHistory(key);
            }
        }
        billing.exec();
    }

    // The buildings of the history: a study chosen there opens in the window
    // (asking first about unsaved changes, as every open does), and its
    // period window after it when asked for.
    // The history's store: the office's server when one is set, else the
    // file of the program folder.
    HistoryStore ChosenStore() const {
        return ChooseHistoryStore(SystemEnvironment(), state_.ProgramFolder);
    }

    // Where the history is kept, set in the settings file (the password in
    // libpq's password file); the next window that opens the history uses it.
    void HistoryStoreDialog() {
        const EnvironmentReader env = SystemEnvironment();
        const std::string settingsPath = SettingsFilePath(env);
        std::string settings;
        ReadRegularFile(settingsPath, settings);
        FrmHistoryStore::Actions actions;
        actions.trial = [](const std::string& connection) -> std::string {
            try {
                PostgresDatabase trial(connection);
                return {};
            } catch (const DatabaseError& e) {
                return "Η σύνδεση ΔΕΝ έγινε: " + e.Reason() + ".";
            }
        };
        actions.keep = [settingsPath](const std::string& connection) -> std::string {
            QSettings file(QString::fromStdString(settingsPath), QSettings::IniFormat);
            if (connection.empty()) {
                file.remove(QStringLiteral("database"));
            } else {
                file.setValue(QStringLiteral("database"), QString::fromStdString(connection));
            }
            file.sync();
            return file.status() == QSettings::NoError
                       ? std::string()
                       : "Η ρύθμιση ΔΕΝ γράφτηκε στο " + settingsPath + ".";
        };
        actions.keepPassword = [env](const ServerFields& server,
                                     const std::string& password) -> std::string {
            const std::string path = PasswordFilePath(env);
            const FileProblem problem = KeepPassword(path, server, password);
            return problem == FileProblem::None
                       ? std::string()
                       : "Ο κωδικός ΔΕΝ γράφτηκε: " + FileProblemMessage(path, problem);
        };
        FrmHistoryStore dialog(SettingsValue(settings, "database"),
                               state_.InProgramFolder(kHistoryFileName), env("PYROSTAT_DATABASE"),
                               actions, &window_);
        if (dialog.exec() == QDialog::Accepted) {
            Status("Ιστορικό: " + ChosenStore().Describe());
        }
    }

    void Buildings() {
        const HistoryStore store = ChosenStore();
        std::unique_ptr<BillingHistory> history;
        try {
            history = OpenHistory(store);
        } catch (const HistoryError& e) {
            messages_.ShowWithBeeps(kAttentionTitle, e.what(), MessageService::Icon::Exclamation);
            return;
        }
        std::string chosen;
        bool period = false;
        FrmBuildings::Actions actions;
        actions.openStudy = [&](const std::string& study) { chosen = study; };
        actions.openPeriod = [&](const std::string& study) {
            chosen = study;
            period = true;
        };
        {
            FrmBuildings list(*history, actions, NumberLocale::Of(state_), &window_);
            list.ShowStore(QString::fromStdString(store.Describe()));
            list.exec();
        }
        history.reset();
        if (chosen.empty()) {
            return;
        }
        if (chosen != state_.CurrentStudyFile) {
            if (!study_.Commands().ConfirmReplace() || !study_.Commands().OpenStudy(chosen)) {
                return;
            }
            ShowStudy();
        }
        if (period && chosen == state_.CurrentStudyFile) {
            PeriodBilling(&window_);
        }
    }

    TitleBoxAccess TitleBox() {
        QLineEdit* box = window_.TxtThema();
        return TitleBoxAccess{[box] { return box->text().toStdString(); }, [box] { box->clear(); },
                              [box] { box->setFocus(); }};
    }

    bool Insulated() const { return window_.Options().ChkInsulation()->isChecked(); }

    // The folder and name a report's save dialogs suggest: the study's folder
    // (the study folder for a study not saved yet), the title as the archive
    // files write it, and the report's kind.
    std::string SuggestedReportName(const std::string& kind) const {
        const std::string folder = state_.CurrentStudyFile.empty()
                                       ? state_.ProgramFolder + kStudyFolderName
                                       : FolderOfPath(state_.CurrentStudyFile);
        const std::string title =
            MapForFileName(TrimBlanks(window_.TxtThema()->text().toStdString()));
        return folder + (title.empty() ? std::string() : title + " - ") + kind;
    }

    ReportServices Reports(QWidget* parent, const std::string& kind) {
        QtReportOutputs::Hooks outputs;
        outputs.suggestedName = SuggestedReportName(kind);
        outputs.saved = [this](const std::string& path) {
            Status("Η αναφορά αποθηκεύτηκε: " + path);
        };
        return ReportServices{state_,
                              messages_,
                              QtReportOutputs::Make(state_.DecimalSeparator(),
                                                    state_.ThousandsSeparator(), &messages_, parent,
                                                    outputs),
                              {}};
    }

    // The printer side of a report command: the printer chosen for the main
    // window's print, the default printer for the results window's; a report
    // goes to its printer by name and the default is never changed.
    void AddPrinterHooks(ReportCommandHooks& hooks, QWidget* owner) {
        hooks.choosePrinter = [this, owner]() -> std::optional<ReportJob> {
            PrinterDialogQt dialog(owner);
            const std::optional<PrinterSetup> chosen = printers_.Chooser().ChoosePrinter(dialog);
            if (!chosen) {
                return std::nullopt;
            }
            return ReportJob::Print(chosen->deviceName, chosen->page.copies);
        };
        hooks.defaultPrinter = [this] { return printers_.Platform().UserDefault(); };
    }

    void ResultsReport(ResultsReportKind kind, bool print, QWidget* window, QLabel* waitLabel) {
        ReportServices services = Reports(
            window, kind == ResultsReportKind::Table ? "Πίνακας συντελεστών" : "Τύποι κατανομής");
        ReportCommandHooks hooks = MakeWaitLabelHooks(waitLabel);
        hooks.showGeneralData = [this, window] { return ShowGeneralData(window); };
        AddPrinterHooks(hooks, window);
        RunResultsReportCommand(services, hooks, kind, print);
    }

    void InputDataReport(bool print) {
        ReportServices services = Reports(&window_, "Δεδομένα πίνακα");
        ReportCommandHooks hooks;
        hooks.showWait = [this](bool on) { window_.ShowWait(on); };
        hooks.showGeneralData = [this] { return ShowGeneralData(&window_); };
        AddPrinterHooks(hooks, &window_);
        RunInputDataCommand(window_.Grid(), TitleBox(), Insulated(), services, hooks, print);
    }

    FrmPyros& window_;
    ProgramState& state_;
    MessageService& messages_;
    QtChoicesStore choices_;
    RecentStudies recent_;
    QTimer captionTimer_;
    PrinterServices printers_;
    ManualViewerProcess viewer_;
    ManualLauncher manual_;
    StudyCommandsQt study_;
};

void ProgramServices::Wire(const std::string& studyPath) {
    MainWindowCommands& commands = window_.Commands();
    WireStudyCommands(study_, commands);
    commands.onManual = [this] { manual_.OpenManual(); };
    commands.onGData = [this] { ShowGeneralData(&window_); };
    commands.onClient = [this] { RunClientCommand(&window_, state_, messages_); };
    commands.onPrevData = [this] { InputDataReport(false); };
    commands.onPrintData = [this] { InputDataReport(true); };
    commands.onGo = [this] {
        ResultsWindowHooks hooks;
        hooks.tableReport = [this](bool print, QWidget* w, QLabel* label) {
            ResultsReport(ResultsReportKind::Table, print, w, label);
        };
        hooks.formulaReport = [this](bool print, QWidget* w, QLabel* label) {
            ResultsReport(ResultsReportKind::Formulas, print, w, label);
        };
        hooks.engineerRegister = [this] {
            RunClientCommand(QApplication::activeWindow(), state_, messages_);
        };
        hooks.manual = [this] { manual_.OpenManual(); };
        hooks.warn = [this](const std::string& title, const std::string& text) {
            messages_.ShowWithBeeps(title, text, MessageService::Icon::Exclamation);
        };
        hooks.status = [this](const std::string& text) { Status(text); };
        hooks.periodBilling = [this](QWidget* owner) { PeriodBilling(owner); };
        RunCalculationCommand(&window_, window_.Grid(), state_, messages_, TitleBox(), Insulated(),
                              hooks);
    };
    StudyCommands& studies = study_.Commands();
    studies.Opened = [this](const std::string& path, int rows) {
        recent_.Add(path);
        Status("Ανοίχτηκε η μελέτη " + path + " (" + std::to_string(rows) +
               (rows == 1 ? " ιδιοκτησία)" : " ιδιοκτησίες)"));
    };
    studies.Cleared = [this] {
        Status("Νέα μελέτη: ο πίνακας είναι άδειος και δεν έχει αποθηκευτεί.");
    };
    studies.Saved = [this](const std::string& path) {
        recent_.Add(path);
        Status("Η μελέτη αποθηκεύτηκε: " + path + " (με το " +
               CompanionPathOf(path).substr(FolderOfPath(path).size()) + ")");
    };
    commands.onOpenFile = [this] { study_.Commands().OpenWithDialog(); };
    commands.onOpenRecent = [this](const std::string& path) { OpenRecent(path); };
    commands.onImportTable = [this] { ImportTableFile(); };
    commands.onPeriodBilling = [this] { PeriodBilling(&window_); };
    commands.onBuildings = [this] { Buildings(); };
    commands.onHistoryStore = [this] { HistoryStoreDialog(); };
    commands.recentStudies = [this] { return recent_.Paths(); };
    commands.afterCommand = [this] { ShowStudy(); };
    // Every edit moves the mark of unsaved changes: once the edits of one
    // event are all in (a paste changes thousands of cells, one by one).
    captionTimer_.setSingleShot(true);
    connect(&captionTimer_, &QTimer::timeout, this, [this] { ShowStudy(); });
    const auto later = [this] { captionTimer_.start(0); };
    connect(&window_.Grid().Model(), &GridModel::dataChanged, this, later);
    connect(window_.TxtThema(), &QLineEdit::textChanged, this, later);
    connect(window_.Options().ChkInsulation(), &QCheckBox::toggled, this, later);
    commands.onClosing = [this] { RememberChoices(); };

    // The study on screen once the window has started counts as unchanged.
    QTimer::singleShot(0, this, [this, studyPath] {
        RestoreChoices();
        study_.Commands().MarkUnchanged();
        if (!studyPath.empty()) {
            study_.Commands().OpenStudy(studyPath);
            window_.Grid().SetFocus();
        }
        ShowStudy();
    });
}

void ProgramServices::OpenRecent(const std::string& path) {
    const FileProblem problem = ExamineFile(path);
    if (problem != FileProblem::None) {
        recent_.Remove(path);
        messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!",
                                "Η ΜΕΛΕΤΗ ΔΕΝ ΑΝΟΙΓΕΙ :\n" + FileProblemMessage(path, problem) +
                                    "\n\nΑφαιρέθηκε από τις πρόσφατες μελέτες.",
                                MessageService::Icon::Exclamation);
        return;
    }
    if (study_.Commands().ConfirmReplace()) {
        study_.Commands().OpenStudy(path);
    }
}

void ProgramServices::ImportTableFile() {
    StudyCommands& studies = study_.Commands();
    if (!studies.ConfirmReplace()) {
        return;
    }
    const std::string start = study_.Dialogs().lastOpenFolder.empty()
                                  ? studies.StudyFolder()
                                  : study_.Dialogs().lastOpenFolder;
    const std::optional<std::string> path = AskTableFileName(&window_, start);
    if (!path) {
        return;
    }
    const ImportedTable table = ImportTable(*path, NumberLocale::Of(state_));
    if (!table.Read()) {
        messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!", ImportProblemMessage(*path, table),
                                MessageService::Icon::Exclamation);
        return;
    }
    TableImportDialog preview(table, *path, &window_);
    if (preview.exec() != QDialog::Accepted) {
        return;
    }
    studies.PutTable(table.parsed.contents);
    const size_t refused = table.parsed.refusals.size();
    Status(
        "Εισήχθησαν " + std::to_string(table.parsed.contents.rows.size()) + " ιδιοκτησίες από " +
        *path +
        (refused == 0 ? std::string() : " (" + std::to_string(refused) + " τιμές έμειναν κενές)"));
}

void ProgramServices::RestoreChoices() {
    const std::optional<RememberedChoices> choices = choices_.Load();
    if (!choices) {
        return; // the first run, or a damaged file: as always
    }
    recent_ = RecentStudies(choices->recentStudies);
    // The register's choice of this run, once made, rules over it.
    if (state_.ChosenEngineer.empty()) {
        state_.ChosenEngineer = choices->engineer;
    }
    if (!choices->windowGeometry.empty()) {
        window_.restoreGeometry(
            QByteArray::fromBase64(QByteArray::fromStdString(choices->windowGeometry)));
    }
    study_.Dialogs().lastOpenFolder = choices->openFolder;
    study_.Dialogs().lastSaveFolder = choices->saveFolder;
}

void ProgramServices::RememberChoices() {
    RememberedChoices choices;
    choices.engineer = state_.ChosenEngineer;
    choices.recentStudies = recent_.Paths();
    choices.windowGeometry = window_.saveGeometry().toBase64().toStdString();
    choices.openFolder = study_.Dialogs().lastOpenFolder;
    choices.saveFolder = study_.Dialogs().lastSaveFolder;
    choices_.Save(choices);
}

} // namespace

void WireProgram(FrmPyros& window, ProgramState& state, MessageService& messages,
                 const std::string& studyPath) {
    auto* services = new ProgramServices(window, state, messages);
    services->Wire(studyPath);
}

} // namespace pyrostat
