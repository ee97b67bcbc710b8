#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QKeyEvent;
class QWidget;

namespace pyrostat {

// While a refusal's message is up over an open cell, the keys the engineer
// goes on typing are not lost in the box: a key that types or erases closes
// the box and is kept, and once the box is gone the kept keys reach the open
// cell, in order. Enter, Esc and Space still answer the box.
class KeysDuringMessage : public QObject {
    Q_OBJECT
public:
    explicit KeysDuringMessage(QWidget* editor);
    ~KeysDuringMessage() override;
    // Hands the kept keys to the editor (when it is still there).
    void Replay();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> editor_;
    QPointer<QWidget> box_; // the message, once a key closed it
    std::vector<std::unique_ptr<QKeyEvent>> kept_;
};

} // namespace pyrostat
