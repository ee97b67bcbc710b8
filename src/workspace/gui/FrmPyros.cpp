#include "workspace/gui/FrmPyros.h"

#include "platform/InstalledPrograms.h"
#include "platform/StorableTyping.h"
#include "platform/Utf8.h"
#include "platform/gui/LocaleTexts.h"
#include "platform/gui/RefusedInputNotice.h"
#include "platform/gui/WindowHelpers.h"
#include "workspace/GridLayout.h"
#include "workspace/StartupSteps.h"
#include "workspace/gui/CommandButtons.h"
#include "workspace/gui/GridEditing.h"
#include "workspace/gui/MainKeyFilter.h"
#include "workspace/gui/MainMenu.h"
#include "workspace/gui/OptionControls.h"
#include "workspace/gui/RangeBoxes.h"
#include "workspace/gui/StorableTextValidator.h"
#include "workspace/gui/fpSpread1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace pyrostat {

namespace {

// The main window opens this far below the centre of the screen.
constexpr double kMainWindowOffsetTwips = 200.0;

} // namespace

QString FrmPyros::Caption() {
    return QStringLiteral("PYROSTAT  -  Κατανομή Δαπανών Κεντρικής Θέρμανσης Πολυκατοικίας");
}

FrmPyros::FrmPyros(ProgramState& state, MessageService& messages, ClipboardService& clipboard,
                   MainWindowCommands commands, QWidget* parent)
    : QWidget(parent), state_(state), messages_(messages), clipboard_(clipboard),
      commands_(std::move(commands)), table_(NumberLocale::Of(state)), locale_(QLocale::system()) {
    setObjectName(QStringLiteral("FrmPyros"));
    setWindowTitle(Caption() + QStringLiteral("[*]"));
    grid_ = new fpSpread1(table_, &clipboard_, this);
    options_ = new OptionControls(state_, this);
    editing_ = new GridEditing(
        *grid_, state_, clipboard_, [this] { return options_->Options().HeightTicked(); }, this);
    ranges_ = new RangeBoxes(this);
    buttons_ = new CommandButtons(this);
    txtThema_ = new QLineEdit(this);
    txtThema_->setObjectName(QStringLiteral("TxtThema"));
    txtThema_->setMaxLength(static_cast<int>(kMaxTitleLength));
    txtThema_->setValidator(new StorableTextValidator(kMaxTitleLength, txtThema_));
    TellRefusedInput(txtThema_, [](const std::string& typed) {
        return StorableTypingRefusal(typed, kMaxTitleLength, true);
    });
    lblWait_ = new QLabel(QStringLiteral("... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ..."), this);
    lblWait_->setObjectName(QStringLiteral("LblWait"));
    label1_ = new QLabel(
        QStringLiteral(
            "< ΤΑΒ > --> ΟΔΗΓΕΙ ΣΤΟ ΕΠΟΜΕΝΟ CELL,   < Shift-TAB > --> ΟΔΗΓΕΙ ΣΤΟ ΠΡΟΗΓΟΥΜΕΝΟ "
            "CELL,   < F2, Enter, ή Διπλό ΚΛΙΚ > --> ΔΙΟΡΘΩΣΗ CELL"),
        this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label4_ = new QLabel(
        QStringLiteral("< F5 > : Αντιγραφή της άνω του τρέχοντος Cell τιμής, στο τρέχον Cell"),
        this);
    label4_->setObjectName(QStringLiteral("Label4"));

    BuildLayout();
    WireButtons();
    menu_ = new MainMenu(*this);
    layout()->setMenuBar(menu_->Bar());

    connect(txtThema_, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.StudyTitle = TrimBlanks(text.toStdString()); });
    connect(options_, &OptionControls::focusGridRequested, this, &FrmPyros::GiveFocusToGrid);
    // A typed value a cell refuses, and what a paste could not put in.
    const auto warn = [this](const std::string& message) {
        messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!", message, MessageService::Icon::Exclamation);
    };
    grid_->EditorRefused = warn;
    editing_->Tell = warn;
    auto* keys = new MainKeyFilter(*this);
    connect(keys, &MainKeyFilter::commandRequested, this, &FrmPyros::RunCommand);
    qApp->installEventFilter(keys);
}

FrmPyros::~FrmPyros() {
    // The grid and its model work on table_, a member that is gone by the
    // time QWidget deletes the children: they go first, the editing commands
    // (which point at the grid) before the grid.
    grid_->BlockSelected = nullptr;
    grid_->LeaveCell = nullptr;
    grid_->ClearCells = nullptr;
    grid_->EditorRefused = nullptr;
    delete editing_;
    delete grid_;
}

void FrmPyros::BuildLayout() {
    QFont bold = font();
    bold.setBold(true);

    auto* titleLabel = new QLabel(QStringLiteral("ΘΕΜΑ ΜΕΛΕΤΗΣ :"), this);
    titleLabel->setFont(bold);
    titleLabel->setBuddy(txtThema_);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(txtThema_, 1);

    auto* study = new QGroupBox(QStringLiteral("Μελέτη"), this);
    auto* studyLayout = new QVBoxLayout(study);
    for (QPushButton* button :
         {buttons_->CmdNew, buttons_->CmdOpen, buttons_->CmdSave, buttons_->CmdGData}) {
        studyLayout->addWidget(button);
    }
    auto* run = new QGroupBox(QStringLiteral("Υπολογισμοί και εκτυπώσεις"), this);
    auto* runLayout = new QVBoxLayout(run);
    buttons_->CmdGo->setMinimumHeight(44);
    QFont goFont = bold;
    goFont.setPointSizeF(goFont.pointSizeF() * 1.25);
    buttons_->CmdGo->setFont(goFont);
    for (QPushButton* button :
         {buttons_->CmdGo, buttons_->CmdPrevData, buttons_->CmdPrintData, buttons_->Cmd_Client}) {
        runLayout->addWidget(button);
    }
    auto* edit = new QGroupBox(QStringLiteral("Επεξεργασία πίνακα"), this);
    auto* editLayout = new QVBoxLayout(edit);
    for (QPushButton* button : {buttons_->CmdInsert, buttons_->CmdDel, buttons_->CmdCopyToClpbrd,
                                buttons_->CmdPasteFromClpbrd, buttons_->CmdRESETCols}) {
        editLayout->addWidget(button);
    }
    auto* side = new QVBoxLayout;
    side->addWidget(study);
    side->addWidget(run);
    side->addWidget(edit);
    side->addStretch(1);
    side->addWidget(buttons_->CmdManual);

    auto* optionsBox = new QGroupBox(QStringLiteral("Επιλογές"), this);
    auto* optionsLayout = new QVBoxLayout(optionsBox);
    optionsLayout->addWidget(options_);
    auto* rangeBox = new QGroupBox(QStringLiteral("Περιοχή"), this);
    auto* rangeLayout = new QVBoxLayout(rangeBox);
    rangeLayout->addWidget(ranges_);

    QFont waitFont = bold;
    waitFont.setPointSizeF(waitFont.pointSizeF() * 1.2);
    lblWait_->setFont(waitFont);
    QPalette waitPalette = lblWait_->palette();
    waitPalette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblWait_->setPalette(waitPalette);
    lblWait_->setAlignment(Qt::AlignCenter);
    // The label keeps its place while hidden, so showing it during a report
    // never widens the window.
    QSizePolicy waitPolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    waitPolicy.setRetainSizeWhenHidden(true);
    lblWait_->setSizePolicy(waitPolicy);
    lblWait_->setVisible(false);

    auto* lower = new QHBoxLayout;
    lower->addWidget(optionsBox);
    lower->addWidget(rangeBox);
    lower->addWidget(lblWait_, 1);

    QPalette helpPalette = label1_->palette();
    helpPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    for (QLabel* help : {label1_, label4_}) {
        help->setPalette(helpPalette);
        help->setWordWrap(true);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(titleRow);
    left->addWidget(grid_, 1);
    left->addLayout(lower);
    left->addWidget(label1_);
    left->addWidget(label4_);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar"));
    statusBar_->setSizeGripEnabled(false);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(10);
    columns->addLayout(left, 1);
    columns->addLayout(side);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(10, 4, 10, 4);
    main->setSpacing(4);
    main->addLayout(columns, 1);
    main->addWidget(statusBar_);
}

void FrmPyros::Invoke(const std::function<void()>& command) {
    if (command) {
        command();
    }
}

void FrmPyros::GiveFocusToGrid() {
    grid_->SetFocus();
}

bool FrmPyros::CommitEditor() {
    return grid_->CommitEditor();
}

void FrmPyros::Guarded(const std::function<void()>& command) {
    // What the engineer typed into an open cell counts before anything runs;
    // a text the cell refuses stops the command with the refusal shown.
    if (!CommitEditor()) {
        return;
    }
    command();
    // After a finished command (and any message it showed) the keys go to
    // the grid again.
    if (isVisible() && !unloaded_) {
        GiveFocusToGrid();
    }
    Invoke(commands_.afterCommand);
}

void FrmPyros::OpenWithDialog() {
    Guarded([this] {
        Invoke(commands_.onOpenFile);
        editing_->ForgetHistory();
    });
}

void FrmPyros::ImportTable() {
    Guarded([this] {
        Invoke(commands_.onImportTable);
        editing_->ForgetHistory();
    });
}

void FrmPyros::PeriodBilling() {
    Guarded([this] { Invoke(commands_.onPeriodBilling); });
}

void FrmPyros::Buildings() {
    Guarded([this] { Invoke(commands_.onBuildings); });
}

void FrmPyros::HistoryStore() {
    Guarded([this] { Invoke(commands_.onHistoryStore); });
}

void FrmPyros::OpenRecent(const std::string& path) {
    Guarded([this, path] {
        if (commands_.onOpenRecent) {
            commands_.onOpenRecent(path);
        }
        editing_->ForgetHistory();
    });
}

void FrmPyros::ShowStudy(const std::string& studyPath, bool modified) {
    QString title = Caption();
    if (!studyPath.empty()) {
        const size_t slash = studyPath.find_last_of('/');
        title += QStringLiteral("  -  ") +
                 QString::fromStdString(slash == std::string::npos ? studyPath
                                                                   : studyPath.substr(slash + 1));
    }
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(modified);
}

void FrmPyros::ShowStatus(const QString& text) {
    statusBar_->showMessage(text);
    // A line longer than the bar is cut there: whole in the tip.
    statusBar_->setToolTip(text);
}

void FrmPyros::WireButtons() {
    CommandButtons& b = *buttons_;
    const auto on = [this](QPushButton* button, std::function<void()> command) {
        connect(button, &QPushButton::clicked, this,
                [this, command = std::move(command)] { Guarded(command); });
    };
    on(b.CmdNew, [this] {
        Invoke(commands_.onNew);
        editing_->ForgetHistory();
    });
    on(b.CmdOpen, [this] {
        Invoke(commands_.onOpen);
        editing_->ForgetHistory();
    });
    on(b.CmdSave, [this] { Invoke(commands_.onSave); });
    on(b.CmdGData, [this] {
        if (!commands_.onGData) {
            return;
        }
        commands_.onGData();
    });
    on(b.CmdGo, [this] { Invoke(commands_.onGo); });
    on(b.CmdPrevData, [this] { Invoke(commands_.onPrevData); });
    on(b.CmdPrintData, [this] { Invoke(commands_.onPrintData); });
    on(b.Cmd_Client, [this] { Invoke(commands_.onClient); });
    on(b.CmdManual, [this] { Invoke(commands_.onManual); });
    on(b.CmdInsert, [this] { editing_->Insert(); });
    on(b.CmdDel, [this] { editing_->Delete(); });
    on(b.CmdCopyToClpbrd, [this] { editing_->CopyToClipboard(); });
    on(b.CmdPasteFromClpbrd, [this] { editing_->PasteFromClipboard(); });
    on(b.CmdRESETCols, [this] { CmdRESETCols(); });
}

bool FrmPyros::Load() {
    // 1. One running copy.
    if (!ClaimSingleCopy(lock_, state_, messages_)) {
        return false;
    }
    // 2. Working files of an earlier run.
    RemoveWorkingFilesAtStart(state_);
    // 3. Placement: centred, a little below the middle.
    QSize size = sizeHint().expandedTo(QSize(1100, 720));
    if (const QScreen* screen = this->screen()) {
        // On a small screen the grid scrolls sideways instead of the window
        // running off the screen.
        size = size.boundedTo(screen->availableGeometry().size());
    }
    resize(size);
    CenterForm(*this, kMainWindowOffsetTwips);
    // 5. The grid's layout, cursor on row 1, column 1.
    ApplyStartupLayout(*grid_);
    // 6. The automatic height starts at 3 m.
    state_.DefaultHeight = 3.0f;
    // 7. The locale's separators.
    SetSeparatorCodes(state_, FormatSeparatorSample(locale_));
    grid_->SetNumberLocale(NumberLocale::Of(state_));
    // 8. The grid's further editing option has nothing to switch here.
    // 9. The option controls.
    options_->Reset();
    // 10. The study title.
    txtThema_->setText(QString::fromStdString(TrimBlanks(state_.StudyTitle)));
    // 11. No working file of an earlier calculation or report is left.
    RemoveAllWorkingFiles(state_);
    return true;
}

void FrmPyros::CmdRESETCols() {
    ResetColumns(*grid_);
}

void FrmPyros::ShowWait(bool on) {
    if (on != busy_) {
        on ? QApplication::setOverrideCursor(Qt::WaitCursor)
           : QApplication::restoreOverrideCursor();
        busy_ = on;
    }
    lblWait_->setVisible(on);
    if (on) {
        lblWait_->repaint();
    }
}

void FrmPyros::RunCommand(MainCommand command) {
    switch (command) {
    case MainCommand::CopyUpperValues:
        Guarded([this] { editing_->CopyUpperValues(); });
        break;
    case MainCommand::ClearRangeBoxes:
        // Esc in an open cell editor gives the cell its old value back: the
        // move of the focus below must not store the text instead.
        grid_->CancelEditor();
        // Disabling the focused box would pass the focus on to the first
        // button, where a Space would run it.
        ranges_->ClearAndDisable();
        GiveFocusToGrid();
        break;
    case MainCommand::CopyToClipboard:
        buttons_->CmdCopyToClpbrd->click();
        break;
    case MainCommand::PasteFromClipboard:
        buttons_->CmdPasteFromClpbrd->click();
        break;
    case MainCommand::DeleteCells:
        Guarded([this] { editing_->DeleteCells(); });
        break;
    case MainCommand::EditCell:
        if (grid_->hasFocus()) {
            grid_->EditCurrentCell();
        }
        break;
    case MainCommand::Manual:
        Guarded([this] { Invoke(commands_.onManual); });
        break;
    case MainCommand::Open:
        buttons_->CmdOpen->click();
        break;
    case MainCommand::SaveAs:
        Guarded([this] { Invoke(commands_.onSaveAs); });
        break;
    case MainCommand::Save:
        buttons_->CmdSave->click();
        break;
    case MainCommand::PrintData:
        buttons_->CmdPrintData->click();
        break;
    case MainCommand::PrevData:
        buttons_->CmdPrevData->click();
        break;
    case MainCommand::New:
        buttons_->CmdNew->click();
        break;
    case MainCommand::Go:
        buttons_->CmdGo->click();
        break;
    case MainCommand::ResetColumns:
        Guarded([this] { CmdRESETCols(); });
        break;
    case MainCommand::Undo:
    case MainCommand::Redo:
        // In a text box (the title, an open cell editor) the keys undo typing.
        if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            command == MainCommand::Undo ? edit->undo() : edit->redo();
        } else if (command == MainCommand::Undo) {
            editing_->Undo();
        } else {
            editing_->Redo();
        }
        Invoke(commands_.afterCommand);
        break;
    case MainCommand::Exit:
        close(); // asks about unsaved work as the title bar's close does
        break;
    case MainCommand::None:
        break;
    }
}

void FrmPyros::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        !installedProgramsLog_.empty()) {
        RecordProgramInstallation(installedProgramsLog_, "Pyrostat", state_.ProgramFolder,
                                  "PYROSTAT.EXE");
    }
}

void FrmPyros::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenEdge(*this);
}

void FrmPyros::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void FrmPyros::closeEvent(QCloseEvent* event) {
    if (!CommitEditor() || (commands_.onCloseQuestion && !commands_.onCloseQuestion())) {
        event->ignore();
        return;
    }
    Invoke(commands_.onClosing);
    // Unload: nothing is asked beyond the hook and nothing saved here.
    RemoveAllWorkingFiles(state_);
    unloaded_ = true;
    event->accept();
}

void FrmPyros::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    Invoke(commands_.onVersionBox);
}

} // namespace pyrostat
