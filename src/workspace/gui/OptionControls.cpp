#include "workspace/gui/OptionControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace pyrostat {

OptionControls::OptionControls(StudyInUse& study, QWidget* parent)
    : QWidget(parent), options_(study),
      chkInsulation_(new QCheckBox(QStringLiteral("Θερμομόνωση, σύμφωνα με τον Κανονισμό"), this)),
      chkHeight_(new QCheckBox(QStringLiteral("Αυτόματη καταχώρηση Ύψους"), this)),
      cboHeight_(new QComboBox(this)) {
    chkInsulation_->setObjectName(QStringLiteral("ChkInsulation"));
    chkHeight_->setObjectName(QStringLiteral("ChkHeight"));
    cboHeight_->setObjectName(QStringLiteral("CboHeight"));
    cboHeight_->setMinimumContentsLength(4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(chkInsulation_);
    auto* heightRow = new QHBoxLayout;
    heightRow->addWidget(chkHeight_);
    heightRow->addWidget(cboHeight_);
    heightRow->addWidget(new QLabel(QStringLiteral("m"), this));
    heightRow->addStretch(1);
    layout->addLayout(heightRow);

    // The tick follows every change, the user's click or a study opened with
    // its own insulation setting, so that a later Show() puts back the right one.
    connect(chkInsulation_, &QCheckBox::toggled, this,
            [this](bool ticked) { options_.SetInsulationTicked(ticked); });
    connect(chkInsulation_, &QCheckBox::clicked, this, [this] { emit focusGridRequested(); });
    connect(chkHeight_, &QCheckBox::clicked, this, [this](bool ticked) {
        options_.SetHeightTicked(ticked);
        Show();
        emit focusGridRequested();
    });
    connect(cboHeight_, &QComboBox::activated, this, [this](int index) {
        options_.ChooseHeight(index);
        Show();
        emit focusGridRequested();
    });
    Reset();
}

void OptionControls::Reset() {
    options_.Reset();
    cboHeight_->clear();
    for (const auto& item : options_.Items()) {
        cboHeight_->addItem(QString::fromStdString(item));
    }
    Show();
}

void OptionControls::Show() {
    chkInsulation_->setChecked(options_.InsulationTicked());
    chkHeight_->setChecked(options_.HeightTicked());
    cboHeight_->setCurrentIndex(options_.ChosenIndex());
    cboHeight_->setEnabled(options_.HeightListEnabled());
}

} // namespace pyrostat
