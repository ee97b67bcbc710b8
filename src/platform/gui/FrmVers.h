#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace pyrostat {

// The version box: the program's version text, replaced by the name of the
// running system on a double click on the box's background. Each opening
// starts again from the version text.
class FrmVers : public QDialog {
    Q_OBJECT

public:
    // `systemName` gives the running system's name (WindowsVersionName).
    explicit FrmVers(std::function<std::string()> systemName, QWidget* parent = nullptr);

    QLineEdit* Text1() const { return text1_; }
    QPushButton* SSCommand1() const { return ssCommand1_; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::function<std::string()> systemName_;
    QLineEdit* text1_;
    QPushButton* ssCommand1_;
};

inline constexpr const char* kVersionText = "< Version 2021.02.12 >";

} // namespace pyrostat
