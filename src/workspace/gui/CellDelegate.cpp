#include "workspace/gui/CellDelegate.h"

#include "workspace/CellInput.h"
#include "workspace/GridLayout.h"
#include "workspace/gui/NumberCellValidator.h"
#include "workspace/gui/StorableTextValidator.h"

#include "platform/gui/RefusedInputNotice.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace pyrostat {

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
    TellRefusedInput(edit, [col, locale = locale_](const std::string& typed) {
        return TypingRefusal(col, typed, locale);
    });
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
