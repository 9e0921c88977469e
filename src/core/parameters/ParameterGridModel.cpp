#include "parameters/ParameterGridModel.h"

#include <algorithm>

namespace tevra {

ParameterGridModel::ParameterGridModel(int columnCount, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::max(1, columnCount)) {
    rows_.append(QStringList(QVector<QString>(columns_)));
}

void ParameterGridModel::setGridRowCount(int rows) {
    rows = std::max(1, rows);
    const int old = gridRowCount();
    if (rows == old) {
        return;
    }
    if (rows > old) {
        beginInsertRows(QModelIndex(), old - 1, rows - 2);
        while (rows_.size() < rows) {
            rows_.append(QStringList(QVector<QString>(columns_)));
        }
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows - 1, old - 2);
        rows_.resize(rows);
        endRemoveRows();
    }
}

QString ParameterGridModel::cell(int row, int column) const {
    if (row < 0 || row >= gridRowCount() || column < 0 || column >= columns_) {
        return QString();
    }
    return rows_[row][column];
}

void ParameterGridModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= gridRowCount() || column < 0 || column >= columns_) {
        return;
    }
    QString& target = rows_[row][column];
    if (target == text) {
        return;
    }
    target = text;
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex i = index(row - 1, column);
        Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
    }
}

void ParameterGridModel::setDataRows(const QVector<QStringList>& rows) {
    beginResetModel();
    rows_.resize(1);
    rows_.reserve(rows.size() + 1);
    for (const QStringList& r : rows) {
        QStringList cells = r.mid(0, columns_);
        while (cells.size() < columns_) {
            cells.append(QString());
        }
        rows_.append(cells);
    }
    endResetModel();
}

int ParameterGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int ParameterGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant ParameterGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return QVariant();
    }
    return cell(index.row() + 1, index.column());
}

QVariant ParameterGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Horizontal) {
        return cell(0, section);
    }
    return QVariant();
}

}  // namespace tevra
