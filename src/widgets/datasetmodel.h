// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "gridcolumn.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

namespace Mervak {

/*!
    Shows a DataSet through a column table. Cells are read from the data set when asked for,
    nothing is copied, so a list of 100,000 rows costs no more than the rows on the screen.
    Model column i is column i of the table; hiding is left to the view.

    While detached the model has no rows and neither reads the data set nor listens to it:
    a background task may then fill the data set on another thread.
*/
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        CellTextRole = Qt::UserRole + 1,   // text used by filters, search and best fit
        DataSetRowRole,
    };

    explicit DataSetModel(QObject *parent = nullptr);
    ~DataSetModel() override;

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    const GridColumn &column(int index) const { return m_columns.at(index); }
    void setColumnShown(int index, bool shown) { m_columns[index].shown = shown; }
    void setColumnOffered(int index, bool offered) { m_columns[index].offered = offered; }
    int columnOfKey(const QString &key) const;   // -1 when absent (case-insensitive)

    void setDataSet(DataSet *dataSet);
    DataSet *boundDataSet() const { return m_dataSet; }
    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }
    // The data set while attached, else nullptr: the only way readers reach it.
    const DataSet *dataSet() const;

    int fieldColumn(int column) const;           // data set column of a grid column, or -1
    bool isNumeric(int column) const;
    Qt::Alignment alignment(int column) const;
    QString cellText(int row, int column) const;
    bool isReadable(int row) const { return readable(row); }
    GridRow gridRow(int row, int column = -1) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void connectDataSet();
    void disconnectDataSet();
    void resolveFields();
    void onDataSetReset();
    void onRowChanged(int row);
    bool readable(int row) const;

    QList<GridColumn> m_columns;
    std::vector<int> m_fields;        // data set column of each grid column
    QPointer<DataSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
    int m_rowCount = 0;
    bool m_attached = true;
};

} // namespace Mervak
