#pragma once

#include "workspace/GridTable.h"

#include <QAbstractTableModel>

namespace pyrostat {

// The property table as the window's grid sees it: model row r, column c is
// grid cell (r + 1, c + 1); the header row's texts are the column headers
// (their carriage returns shown as line breaks), the row header the row numbers.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(GridTable& table, QObject* parent = nullptr);
    ~GridModel() override;

    GridTable& Table() { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The colour of a column's cells (invalid for the default background).
    static QColor ColumnBackground(int col);

signals:
    // A cell was changed by typing: its grid address and texts.
    void cellEdited(int row, int col, const QString& before, const QString& after);

private:
    void OnTableChanged(int firstRow, int lastRow);

    GridTable& table_;
};

} // namespace pyrostat
