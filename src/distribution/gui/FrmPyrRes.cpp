#include "distribution/gui/FrmPyrRes.h"

#include "distribution/FormulaTextFile.h"
#include "distribution/ResultsFiles.h"
#include "platform/gui/WindowHelpers.h"
#include "studies/gui/FrmPyros_GData.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace pyrostat {

FrmPyrRes::FrmPyrRes(ProgramState& state, ResultsWindowHooks hooks, QWidget* parent)
    : QDialog(parent), state_(state), hooks_(std::move(hooks)) {
    setWindowTitle(QStringLiteral("Ειδικοί Συντελεστές Ιδιοκτησίας"));
    setModal(true);

    frame1_ = new QGroupBox(
        QStringLiteral(" Ποσοστά Κατανομής Δαπανών Λειτουργίας Κεντρικής Θέρμανσης ανά "
                       "Ιδιοκτησία "),
        this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    list1_ = new QListWidget(frame1_);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setMinimumSize(640, 320);
    list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list1_->setUniformItemSizes(true); // one line of text each
    auto* frame1Layout = new QVBoxLayout(frame1_);
    frame1Layout->addWidget(list1_);

    frame3_ = new QGroupBox(QStringLiteral(" Πίνακας "), this);
    frame3_->setObjectName(QStringLiteral("Frame3"));
    cmdPrevT_ = Button("CmdPrev_T", " ΠΡΟΕΠΙΣΚΟΠΗΣΗ  ΠΙΝΑΚΑ ΣΤΟΙΧΕΙΩΝ ");
    cmdPrintT_ = Button("CmdPrint_T", " ΕΚΤΥΠΩΣΗ ΠΙΝΑΚΑ ΣΤΟΙΧΕΙΩΝ (στον 'τρέχοντα' Εκτυπωτή) ");
    auto* frame3Layout = new QVBoxLayout(frame3_);
    frame3Layout->addWidget(cmdPrevT_);
    frame3Layout->addWidget(cmdPrintT_);

    frame2_ = new QGroupBox(QStringLiteral(" Τύποι "), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    cmdPreview_ = Button("CmdPreview", " ΠΡΟΕΠΙΣΚΟΠΗΣΗ ΤΥΠΩΝ ΥΠΟΛΟΓΙΣΜΟΥ ");
    cmdPrint_ = Button("CmdPrint", " ΕΚΤΥΠΩΣΗ ΤΥΠΩΝ ΥΠΟΛΟΓΙΣΜΟΥ (στον 'τρέχοντα' Εκτυπωτή) ");
    auto* frame2Layout = new QVBoxLayout(frame2_);
    frame2Layout->addWidget(cmdPreview_);
    frame2Layout->addWidget(cmdPrint_);

    cmdGData_ = Button("CmdGData", "ΓΕΝΙΚΑ ΣΤΟΙΧΕΙΑ ΕΡΓΟΥ");
    cmdClient_ = Button("Cmd_Client", " ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ");
    cmdBack_ = Button("CmdBack", "ΚΛΕΙΣΙΜΟ ΦΟΡΜΑΣ ΚΑΙ ΕΠΙΣΤΡΟΦΗ");
    cmdBilling_ = Button("CmdBilling", " ΚΑΤΑΝΟΜΗ ΔΑΠΑΝΗΣ ΠΕΡΙΟΔΟΥ ");
    cmdBilling_->setVisible(static_cast<bool>(hooks_.periodBilling));
    cmdPyroTherm_ =
        Button("CmdPyroTherm", "Δημιουργία των αρχείων \"~imirttype.fle\" και \"TYPES.FIL\" για "
                               "χρήση στο πρόγραμμα Κοινοχρήστων Πολυκατοικίας");
    cmdPyroTherm_->hide();
    lblWait_ = new QLabel(QStringLiteral("... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ..."), this);
    lblWait_->setObjectName(QStringLiteral("LblWait"));
    lblWait_->hide();

    auto* reports = new QHBoxLayout;
    reports->addWidget(frame3_);
    reports->addWidget(frame2_);
    auto* others = new QHBoxLayout;
    others->addWidget(cmdGData_);
    others->addWidget(cmdClient_);
    others->addWidget(cmdBilling_);
    others->addWidget(cmdBack_);
    lblExported_ = new QLabel(this);
    lblExported_->setObjectName(QStringLiteral("LblExported"));
    lblExported_->setWordWrap(true);
    lblExported_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblExported_->hide();

    // The menu: the export is there as well as behind Shift+Esc, whose
    // button stays hidden until asked for.
    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("&Αρχείο"));
    exportAction_ =
        file->addAction(QStringLiteral("Αρχεία για το πρόγραμμα &Κοινοχρήστων Πολυκατοικίας…"));
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("&Κλείσιμο και επιστροφή"));
    QMenu* help = menu->addMenu(QStringLiteral("&Βοήθεια"));
    QAction* manual = help->addAction(QStringLiteral("&Εγχειρίδιο χρήσης"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setShortcutContext(Qt::WidgetShortcut); // F1 is the window's own key
    connect(exportAction_, &QAction::triggered, this, &FrmPyrRes::OnPyroTherm);
    connect(close, &QAction::triggered, this, &QDialog::accept);
    connect(manual, &QAction::triggered, this, [this] {
        if (hooks_.manual) {
            hooks_.manual();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(frame1_, 1);
    layout->addLayout(reports);
    layout->addLayout(others);
    layout->addWidget(cmdPyroTherm_);
    layout->addWidget(lblExported_);
    layout->addWidget(lblWait_, 0, Qt::AlignHCenter);

    connect(cmdPrevT_, &QPushButton::clicked, this,
            [this] { RunReport(hooks_.tableReport, false); });
    connect(cmdPrintT_, &QPushButton::clicked, this,
            [this] { RunReport(hooks_.tableReport, true); });
    connect(cmdPreview_, &QPushButton::clicked, this,
            [this] { RunReport(hooks_.formulaReport, false); });
    connect(cmdPrint_, &QPushButton::clicked, this,
            [this] { RunReport(hooks_.formulaReport, true); });
    connect(cmdGData_, &QPushButton::clicked, this, &FrmPyrRes::ShowGeneralData);
    connect(cmdClient_, &QPushButton::clicked, this, [this] {
        if (hooks_.engineerRegister) {
            hooks_.engineerRegister();
        }
    });
    connect(cmdBack_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdBilling_, &QPushButton::clicked, this, [this] {
        if (hooks_.periodBilling) {
            hooks_.periodBilling(this);
        }
    });
    connect(cmdPyroTherm_, &QPushButton::clicked, this, &FrmPyrRes::OnPyroTherm);

    // Opening: the list from the formula file, then the archive copy.
    QStringList lines;
    for (const std::string& line :
         BuildResultsList(ReadQuotedLines(state_.InProgramFolder(kFormulaFileName)))) {
        lines << QString::fromStdString(line);
    }
    list1_->addItems(lines);
    FitListScrollWidth(*list1_);
    cmdBack_->setFocus();
}

QPushButton* FrmPyrRes::Button(const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    return button;
}

void FrmPyrRes::ShowGeneralData() {
    if (hooks_.generalData) {
        hooks_.generalData();
    } else {
        ShowGeneralDataDialog(this, state_);
    }
}

bool FrmPyrRes::EnsureGeneralData() {
    if (!GeneralDataComplete(state_)) {
        ShowGeneralData();
    }
    return GeneralDataComplete(state_);
}

void FrmPyrRes::RunReport(const std::function<void(bool, QWidget*, QLabel*)>& report, bool print) {
    if (report) {
        report(print, this, lblWait_);
    }
}

void FrmPyrRes::OnPyroTherm() {
    if (!EnsureGeneralData()) {
        return;
    }
    const ExportResult exported = ExportForCommonExpenses(state_);
    if (exported) {
        cmdPyroTherm_->hide();
        const std::string written =
            "Εξαγωγή για το πρόγραμμα κοινοχρήστων: " + exported.coefficientPath + " και " +
            exported.copyPath;
        lblExported_->setText(QString::fromStdString(written));
        lblExported_->show();
        if (hooks_.status) {
            hooks_.status(written);
        }
        return;
    }
    const std::string text =
        "Η ΕΞΑΓΩΓΗ ΓΙΑ ΤΟ ΠΡΟΓΡΑΜΜΑ ΤΩΝ ΚΟΙΝΟΧΡΗΣΤΩΝ ΔΕΝ ΕΓΙΝΕ :\n\n" + exported.problem;
    if (hooks_.warn) {
        hooks_.warn("!! ΠΡΟΣΟΧΗ !!", text);
    } else {
        QMessageBox::warning(this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"), QString::fromStdString(text));
    }
}

void FrmPyrRes::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (hooks_.manual) {
            hooks_.manual();
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && (event->modifiers() & Qt::ShiftModifier)) {
        cmdPyroTherm_->setVisible(!cmdPyroTherm_->isVisible());
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmPyrRes::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintSunkenEdge(*this);
}

void FrmPyrRes::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    update();
}

void FrmPyrRes::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(*this, 200.0);
}

} // namespace pyrostat
