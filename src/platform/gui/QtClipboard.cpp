#include "platform/gui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace pyrostat {

std::string QtClipboard::Text() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard == nullptr ? std::string() : clipboard->text().toStdString();
}

void QtClipboard::SetText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(QString::fromStdString(text));
    }
}

void QtClipboard::Clear() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
    }
}

} // namespace pyrostat
