#include "workspace/gui/GridModel.h"

#include <QColor>
#include <QFont>

namespace pyrostat {

GridModel::GridModel(GridTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.Changed = [this](int first, int last) { OnTableChanged(first, last); };
}

GridModel::~GridModel() {
    table_.Changed = nullptr;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridRows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumns;
}

QColor GridModel::ColumnBackground(int col) {
    switch (col) {
    case 2:
        return QColor(220, 255, 220);
    case 3:
        return QColor(220, 255, 255);
    case 4:
        return QColor(255, 255, 220);
    default:
        return {};
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(table_.Cell(row, col));
    case Qt::BackgroundRole: {
        const QColor colour = ColumnBackground(col);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return IsNumberColumn(col) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                                   : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    const std::string before = table_.Cell(row, col);
    if (!table_.SetCell(row, col, value.toString().toStdString())) {
        return false;
    }
    const std::string& after = table_.Cell(row, col);
    if (after != before) {
        emit cellEdited(row, col, QString::fromStdString(before), QString::fromStdString(after));
    }
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        if (orientation == Qt::Vertical) {
            return section + 1;
        }
        QString text = QString::fromStdString(table_.Cell(0, section + 1));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return text;
    }
    if (role == Qt::TextAlignmentRole) {
        return orientation == Qt::Horizontal ? QVariant(int(Qt::AlignCenter | Qt::TextWordWrap))
                                             : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::OnTableChanged(int firstRow, int lastRow) {
    if (firstRow == 0) {
        emit headerDataChanged(Qt::Horizontal, 0, kGridColumns - 1);
        if (lastRow == 0) {
            return;
        }
        firstRow = 1;
    }
    emit dataChanged(index(firstRow - 1, 0), index(lastRow - 1, kGridColumns - 1),
                     {Qt::DisplayRole, Qt::EditRole});
}

} // namespace pyrostat
