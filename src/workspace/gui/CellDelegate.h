#pragma once

#include "workspace/NumberLocale.h"

#include <QStyledItemDelegate>

namespace pyrostat {

// The cell editors of the property grid: a checked number box for columns 2
// to 9, a drop-down with the exact list texts for columns 10 and 11, and a
// checked text box for the designation.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CellDelegate(QObject* parent = nullptr);

    void SetLocale(NumberLocale locale) { locale_ = locale; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    NumberLocale locale_;
};

} // namespace pyrostat
