#include "platform/gui/RefusedInputNotice.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

namespace pyrostat {

namespace {

// The box's text as `inserted`, typed or pasted at the cursor, would make it.
QString TextWith(const QLineEdit* edit, const QString& inserted) {
    QString text = edit->text();
    if (edit->hasSelectedText()) {
        text.replace(edit->selectionStart(), edit->selectedText().size(), inserted);
    } else {
        text.insert(edit->cursorPosition(), inserted);
    }
    return text;
}

// The box's text as the key would leave it: a character typed, the
// clipboard pasted, one character or the selection deleted; as it is for
// another key.
QString TextAfterKey(const QLineEdit* edit, const QKeyEvent& key) {
    if (key.matches(QKeySequence::Paste)) {
        return TextWith(edit, QGuiApplication::clipboard()->text());
    }
    const bool back = key.key() == Qt::Key_Backspace;
    if (back || key.key() == Qt::Key_Delete) {
        QString text = edit->text();
        if (edit->hasSelectedText()) {
            text.remove(edit->selectionStart(), edit->selectedText().size());
        } else {
            const int at = edit->cursorPosition() - (back ? 1 : 0);
            if (at >= 0) {
                text.remove(at, 1);
            }
        }
        return text;
    }
    if (!key.text().isEmpty() && key.text().at(0).isPrint()) {
        return TextWith(edit, key.text());
    }
    return edit->text();
}

// Keeps the text of the last key pressed in the box, for the moment the box
// refuses it.
class RefusedInputTeller : public QObject {
public:
    RefusedInputTeller(QLineEdit* edit, RefusalReason reason)
        : QObject(edit), edit_(edit), reason_(std::move(reason)) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::inputRejected, this, &RefusedInputTeller::Tell);
        // A key the box takes leaves nothing to tell.
        connect(edit, &QLineEdit::textEdited, this, [this] { typed_ = QString(); });
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == edit_ && event->type() == QEvent::KeyPress) {
            typed_ = TextAfterKey(edit_, *static_cast<QKeyEvent*>(event));
        }
        return false;
    }

private:
    void Tell() {
        // Without a key: a paste from the box's own menu.
        const QString typed =
            typed_.isNull() ? TextWith(edit_, QGuiApplication::clipboard()->text()) : typed_;
        typed_ = QString();
        const std::string message = reason_(typed.toStdString());
        if (message.empty()) {
            return;
        }
        QApplication::beep();
        QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())),
                           QString::fromStdString(message), edit_);
    }

    QLineEdit* edit_;
    RefusalReason reason_;
    QString typed_;
};

} // namespace

void TellRefusedInput(QLineEdit* edit, RefusalReason reason) {
    new RefusedInputTeller(edit, std::move(reason));
}

} // namespace pyrostat
