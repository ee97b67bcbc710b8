#pragma once

#include <QListWidget>

namespace pyrostat {

// The list of engineer names. It reports the mouse to the register window:
// a press and a release (after the list has moved its selection, so that the
// selected row is the one under the pointer) for the drag that reorders the
// names, and the row under the pointer while no button is held, for the tool
// tip that shows a long name whole.
class NamesList : public QListWidget {
    Q_OBJECT
public:
    explicit NamesList(QWidget* parent = nullptr);

signals:
    void MousePressed();
    void MouseReleased(int row);
    void PointerOverRow(int row); // -1 when no entry is under the pointer

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace pyrostat
