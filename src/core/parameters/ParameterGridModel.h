#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tevra {

// A string grid with one fixed header row, as the parameter page's sgPara and the encoder
// window's grid show it. Rows are numbered as the grid numbers them: row 0 is the header,
// rows 1 .. gridRowCount() - 1 hold the data. Column 0 holds the Pr number in hexadecimal,
// column 1 the name, column 2 the value ("未知" or three blanks and the decimal value).
//
// The same object is the item model of the window's table view: model row i is grid row
// i + 1 and the header row is the horizontal header.
class ParameterGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ParameterGridModel(int columnCount = 3, QObject* parent = nullptr);

    // Rows including the header (the grid's RowCount); at least 1.
    int gridRowCount() const { return static_cast<int>(rows_.size()); }
    int gridColumnCount() const { return columns_; }
    // Sets the row count; new rows are empty, rows beyond the count are dropped.
    void setGridRowCount(int rows);

    // The text of a cell; empty outside the grid.
    QString cell(int row, int column) const;
    // Sets a cell's text; ignored outside the grid.
    void setCell(int row, int column, const QString& text);

    // Replaces every data row at once (the header stays); each list is cut or padded to the
    // column count.
    void setDataRows(const QVector<QStringList>& rows);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    int columns_;
    QVector<QStringList> rows_;
};

}  // namespace tevra
