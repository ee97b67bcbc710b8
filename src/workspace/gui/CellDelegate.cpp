#include "workspace/gui/CellDelegate.h"

#include "workspace/GridLayout.h"
#include "workspace/gui/NumberCellValidator.h"
#include "workspace/gui/StorableTextValidator.h"

#include <QComboBox>
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
    if (IsNumberColumn(col)) {
        edit->setObjectName(QStringLiteral("NumberEditor"));
        edit->setValidator(new NumberCellValidator(locale_, edit));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        edit->setObjectName(QStringLiteral("NameEditor"));
        edit->setMaxLength(static_cast<int>(kMaxNameLength));
        edit->setValidator(new StorableTextValidator(kMaxNameLength, edit));
    }
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
        if (!edit->hasAcceptableInput()) {
            return; // a lone separator: the cell keeps what it had
        }
        model->setData(index, edit->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace pyrostat
