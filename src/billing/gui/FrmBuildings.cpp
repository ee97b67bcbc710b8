#include "billing/gui/FrmBuildings.h"

#include "billing/BuildingSearch.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace pyrostat {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

enum Column { kTitle, kGeneral, kStudy, kLast, kCost, kEstimates, kDraft, kColumns };

} // namespace

FrmBuildings::FrmBuildings(BillingHistory& history, Actions actions, NumberLocale locale,
                           QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)), locale_(locale) {
    setObjectName(QStringLiteral("FrmBuildings"));
    setWindowTitle(QStringLiteral("Κτίρια"));
    setModal(true);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("TxtSearch"));
    search_->setPlaceholderText(QStringLiteral("Αναζήτηση: τίτλος, εργοδότης, θέση, μελέτη…"));
    search_->setClearButtonEnabled(true);
    list_ = new QTableWidget(0, kColumns, this);
    list_->setObjectName(QStringLiteral("GrdBuildings"));
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("Κτίριο"), QStringLiteral("Γενικά στοιχεία"), QStringLiteral("Μελέτη"),
         QStringLiteral("Τελευταία περίοδος"), QStringLiteral("Δαπάνη €"),
         QStringLiteral("Εκτιμήσεις"), QStringLiteral("Πρόχειρο")});
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->horizontalHeader()->setSectionResizeMode(kTitle, QHeaderView::Stretch);
    list_->horizontalHeader()->setSectionResizeMode(kGeneral, QHeaderView::Stretch);
    list_->setMinimumSize(900, 360);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("LblCount"));

    cmdStudy_ = new QPushButton(QStringLiteral("Άνοιγμα &μελέτης"), this);
    cmdStudy_->setObjectName(QStringLiteral("CmdOpenStudy"));
    cmdPeriod_ = new QPushButton(QStringLiteral("Κατανομή &περιόδου…"), this);
    cmdPeriod_->setObjectName(QStringLiteral("CmdOpenPeriod"));
    auto* exit = new QPushButton(QStringLiteral("Έ&ξοδος"), this);
    exit->setObjectName(QStringLiteral("CmdExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(count_, 1);
    for (QPushButton* b : {cmdStudy_, cmdPeriod_, exit}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    store_ = new QLabel(this);
    store_->setObjectName(QStringLiteral("LblStore"));
    store_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(store_);
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    try {
        buildings_ = history.BuildingSummaries();
    } catch (const std::exception& e) {
        count_->setText(Q(e.what()));
    }
    connect(search_, &QLineEdit::textChanged, this, &FrmBuildings::Fill);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { Open(false); });
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        const bool chosen = list_->currentRow() >= 0 && !list_->selectedItems().isEmpty();
        cmdStudy_->setEnabled(chosen);
        cmdPeriod_->setEnabled(chosen);
    });
    connect(cmdStudy_, &QPushButton::clicked, this, [this] { Open(false); });
    connect(cmdPeriod_, &QPushButton::clicked, this, [this] { Open(true); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    Fill();
}

void FrmBuildings::Fill() {
    const std::string search = search_->text().toStdString();
    shown_.clear();
    for (size_t i = 0; i < buildings_.size(); ++i) {
        if (BuildingMatches(buildings_[i], search)) {
            shown_.push_back(i);
        }
    }
    list_->setRowCount(static_cast<int>(shown_.size()));
    for (int r = 0; r < static_cast<int>(shown_.size()); ++r) {
        const BillingHistory::BuildingSummary& b = buildings_[shown_[static_cast<size_t>(r)]];
        std::string general;
        for (const std::string* part : {&b.key.employer, &b.key.project, &b.key.location}) {
            if (!part->empty()) {
                general += (general.empty() ? "" : ", ") + *part;
            }
        }
        const bool last = b.lastFrom && b.lastTo;
        const QString texts[kColumns] = {
            Q(b.key.title.empty() ? std::string("(χωρίς τίτλο)") : b.key.title),
            Q(general),
            Q(std::filesystem::path(b.key.studyPath).filename().string()),
            last ? Q(FormatBillDate(*b.lastFrom) + " – " + FormatBillDate(*b.lastTo)) +
                       (b.lastVersion > 1 ? QStringLiteral(" (έκδ. %1)").arg(b.lastVersion)
                                          : QString())
                 : QStringLiteral("—"),
            last ? Q(FormatEuroText(b.lastCostCents, locale_)) : QString(),
            last && b.lastEstimates > 0 ? QString::number(b.lastEstimates) : QString(),
            b.draftWaiting ? QStringLiteral("ναι") : QString()};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c == kStudy) {
                item->setToolTip(Q(b.key.studyPath));
            }
            if (c == kCost || c == kEstimates) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            list_->setItem(r, c, item);
        }
    }
    list_->resizeColumnToContents(kStudy);
    list_->resizeColumnToContents(kLast);
    count_->setText(QStringLiteral("%1 από %2 κτίρια").arg(shown_.size()).arg(buildings_.size()));
    if (!shown_.empty()) {
        list_->selectRow(0);
    }
    cmdStudy_->setEnabled(!shown_.empty());
    cmdPeriod_->setEnabled(!shown_.empty());
}

void FrmBuildings::Open(bool period) {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= shown_.size()) {
        return;
    }
    const std::string study = buildings_[shown_[static_cast<size_t>(row)]].key.studyPath;
    std::error_code error;
    if (!std::filesystem::is_regular_file(study, error)) {
        QMessageBox::warning(this, QStringLiteral("!! ΠΡΟΣΟΧΗ !!"),
                             QStringLiteral("Η μελέτη του κτιρίου δεν βρίσκεται: %1\nΑνοίξτε τη "
                                            "από τη θέση όπου μετακινήθηκε· το ιστορικό τη "
                                            "βρίσκει από τα γενικά στοιχεία της.")
                                 .arg(Q(study)));
        return;
    }
    accept();
    const auto& action = period ? actions_.openPeriod : actions_.openStudy;
    if (action) {
        action(study);
    }
}

void FrmBuildings::ShowStore(const QString& store) {
    store_->setText(QStringLiteral("Ιστορικό: %1").arg(store));
    store_->setVisible(!store.isEmpty());
    setWindowTitle(store.isEmpty() ? QStringLiteral("Κτίρια")
                                   : QStringLiteral("Κτίρια — %1").arg(store));
}

} // namespace pyrostat
