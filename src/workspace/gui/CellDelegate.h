#pragma once

#include "program/NumberLocale.h"

#include <QStyledItemDelegate>

#include <string>

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

    // Why the cell refuses what its open editor holds (the message to show),
    // or empty when it takes it.
    std::string Refusal(QWidget* editor) const;

signals:
    // Tab or Enter in an editor whose text the cell refuses: the editor stays
    // open and the view shows the message.
    void editorRefused(QWidget* editor, const QString& message);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    NumberLocale locale_;
};

} // namespace pyrostat
