#include "workspace/gui/CellDelegate.h"

#include "workspace/CellInput.h"
#include "workspace/GridLayout.h"
#include "workspace/gui/NumberCellValidator.h"
#include "workspace/gui/StorableTextValidator.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

namespace pyrostat {

namespace {

// The editor's text as `inserted` typed or pasted at the cursor would make it.
QString TextWith(const QLineEdit* edit, const QString& inserted) {
    QString text = edit->text();
    if (edit->hasSelectedText()) {
        text.replace(edit->selectionStart(), edit->selectedText().size(), inserted);
    } else {
        text.insert(edit->cursorPosition(), inserted);
    }
    return text;
}

// The editor's text as the key would leave it: a character typed, the
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

constexpr const char* kTypedProperty = "typedText";

// A key or a paste the editor refused is told beside the cell, never dropped
// unseen: why, with the text it would have made. The editor keeps its text.
void TellRefusedInput(QLineEdit* edit, int col, NumberLocale locale) {
    QString typed = edit->property(kTypedProperty).toString();
    if (typed.isNull()) {
        // A paste from the editor's menu.
        typed = TextWith(edit, QGuiApplication::clipboard()->text());
    }
    edit->setProperty(kTypedProperty, QVariant());
    const std::string message = TypingRefusal(col, typed.toStdString(), locale);
    if (message.empty()) {
        return;
    }
    QApplication::beep();
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                       QString::fromStdString(message), edit);
}

} // namespace

CellDelegate::CellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                    const QModelIndex& index) const {
    const int col = index.column() + 1;
    if (IsListColumn(col)) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("ListEditor"));
        // The first, empty item lets the user empty the cell again.
        combo->addItem(QString());
        for (const auto& text : ListTexts(col)) {
            combo->addItem(QString::fromStdString(text));
        }
        combo->setFrame(false);
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setProperty("gridRow", index.row() + 1);
    edit->setProperty("gridCol", col);
    if (IsNumberColumn(col)) {
        edit->setObjectName(QStringLiteral("NumberEditor"));
        edit->setValidator(new NumberCellValidator(locale_, edit));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        edit->setObjectName(QStringLiteral("NameEditor"));
        edit->setMaxLength(static_cast<int>(kMaxNameLength));
        edit->setValidator(new StorableTextValidator(kMaxNameLength, edit));
    }
    const NumberLocale locale = locale_;
    connect(edit, &QLineEdit::inputRejected, edit,
            [edit, col, locale] { TellRefusedInput(edit, col, locale); });
    // A key the editor takes leaves nothing to tell.
    connect(edit, &QLineEdit::textEdited, edit,
            [edit] { edit->setProperty(kTypedProperty, QVariant()); });
    return edit;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int found = combo->findText(text, Qt::MatchExactly);
        combo->setCurrentIndex(found < 0 ? 0 : found);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // Set without the validator's say: a stored text is always valid.
        edit->setText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (!Refusal(edit).empty()) {
            return; // never stored: the editor stays open with its message
        }
        model->setData(index, edit->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

std::string CellDelegate::Refusal(QWidget* editor) const {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit == nullptr) {
        return {}; // the drop-downs offer only texts the cell takes
    }
    const int row = edit->property("gridRow").toInt();
    const int col = edit->property("gridCol").toInt();
    return TypedCellRefusal(row, col, edit->text().toStdString(), locale_);
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit == nullptr) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The numeric keypad's decimal key types the locale's separator, as
        // spreadsheet programs do, whatever the keyboard layout sends.
        if (edit->objectName() == QStringLiteral("NumberEditor") &&
            (key->modifiers() & Qt::KeypadModifier) &&
            (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma)) {
            edit->insert(QString(QChar(locale_.decimal)));
            return true;
        }
        // What the key would make of the text, should the editor refuse it.
        edit->setProperty(kTypedProperty, TextAfterKey(edit, *key));
        const bool leaves = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (leaves) {
            const std::string refusal = Refusal(edit);
            if (!refusal.empty()) {
                emit editorRefused(edit, QString::fromStdString(refusal));
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut && !Refusal(edit).empty()) {
        // The focus went elsewhere (a button, a message box): the refused
        // text is neither stored nor thrown away; the command that follows,
        // or the next move in the grid, says why.
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace pyrostat
