#include "platform/gui/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace pyrostat {

namespace {

QMessageBox::Icon BoxIcon(MessageService::Icon icon) {
    switch (icon) {
    case MessageService::Icon::Critical:
        return QMessageBox::Critical;
    case MessageService::Icon::Question:
        return QMessageBox::Question;
    case MessageService::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageService::Icon::Information:
        return QMessageBox::Information;
    case MessageService::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageService::Answer QtMessageService::Show(const std::string& title, const std::string& prompt,
                                              Icon icon, Buttons buttons, Answer defaultAnswer) {
    QMessageBox box(BoxIcon(icon), QString::fromStdString(title), QString::fromStdString(prompt),
                    QMessageBox::NoButton, parent_);
    std::map<QAbstractButton*, Answer> answers;
    auto add = [&](const char* text, QMessageBox::ButtonRole role, Answer answer) {
        QPushButton* button = box.addButton(QString::fromUtf8(text), role);
        answers[button] = answer;
        if (answer == defaultAnswer) {
            box.setDefaultButton(button);
        }
        return button;
    };
    QPushButton* escapeButton = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        escapeButton = add("OK", QMessageBox::AcceptRole, Answer::Ok);
        break;
    case Buttons::YesNo:
        add("Ναι", QMessageBox::YesRole, Answer::Yes);
        escapeButton = add("Όχι", QMessageBox::NoRole, Answer::No);
        break;
    case Buttons::YesNoCancel:
        add("Ναι", QMessageBox::YesRole, Answer::Yes);
        add("Όχι", QMessageBox::NoRole, Answer::No);
        escapeButton = add("Άκυρο", QMessageBox::RejectRole, Answer::Cancel);
        break;
    }
    box.setEscapeButton(escapeButton);
    box.exec();
    const auto it = answers.find(box.clickedButton());
    if (it != answers.end()) {
        return it->second;
    }
    return buttons == Buttons::YesNoCancel ? Answer::Cancel
                                           : (buttons == Buttons::YesNo ? Answer::No : Answer::Ok);
}

void QtMessageService::Beep() {
    QApplication::beep();
}

} // namespace pyrostat
