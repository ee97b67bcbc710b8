#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;

namespace pyrostat {

// The four range boxes with their labels. A box that gets the focus lights up
// (label red with yellow text, box in the active title colour with yellow
// text); losing the focus gives both their system colours back. Esc empties
// and disables them all.
class RangeBoxes : public QWidget {
    Q_OBJECT

public:
    explicit RangeBoxes(QWidget* parent = nullptr);

    QLineEdit* TxtUpperRow() const { return boxes_[0]; }
    QLineEdit* TxtLowerRow() const { return boxes_[1]; }
    QLineEdit* TxtLeftCol() const { return boxes_[2]; }
    QLineEdit* TxtRightCol() const { return boxes_[3]; }
    QLabel* Label(int i) const { return labels_[static_cast<size_t>(i)]; }
    QLineEdit* Box(int i) const { return boxes_[static_cast<size_t>(i)]; }

    // Esc of the main window.
    void ClearAndDisable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Highlight(int i, bool focused);

    std::array<QLabel*, 4> labels_{};
    std::array<QLineEdit*, 4> boxes_{};
};

} // namespace pyrostat
