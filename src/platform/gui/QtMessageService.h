#pragma once

#include "platform/MessageService.h"

class QWidget;

namespace pyrostat {

// Message boxes over QMessageBox with Greek button texts, and the system beep.
class QtMessageService : public MessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    Answer Show(const std::string& title, const std::string& prompt, Icon icon,
                Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) override;
    void Beep() override;

private:
    QWidget* parent_;
};

} // namespace pyrostat
