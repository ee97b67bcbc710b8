#pragma once

#include "program/ProgramState.h"
#include "workspace/HeightOptions.h"

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace pyrostat {

// The option controls beside the grid: ChkInsulation, ChkHeight, CboHeight.
// Their rules live in HeightOptions; this widget shows its state.
class OptionControls : public QWidget {
    Q_OBJECT

public:
    OptionControls(StudyInUse& study, QWidget* parent = nullptr);

    HeightOptions& Options() { return options_; }
    // Start-up step 9 (and whatever else wants the start state back).
    void Reset();

    QCheckBox* ChkInsulation() const { return chkInsulation_; }
    QCheckBox* ChkHeight() const { return chkHeight_; }
    QComboBox* CboHeight() const { return cboHeight_; }

signals:
    // Every click ends with the focus given back to the grid.
    void focusGridRequested();

private:
    void Show();

    HeightOptions options_;
    QCheckBox* chkInsulation_;
    QCheckBox* chkHeight_;
    QComboBox* cboHeight_;
    bool showing_ = false;
};

} // namespace pyrostat
