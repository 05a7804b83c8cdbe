// SPDX-License-Identifier: LicenseRef-Mervak
#include "datasetmodel.h"

namespace Mervak {

DataSetModel::DataSetModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

DataSetModel::~DataSetModel()
{
    disconnectDataSet();
}

void DataSetModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    resolveFields();
    endResetModel();
}

int DataSetModel::columnOfKey(const QString &key) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).key().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void DataSetModel::setDataSet(DataSet *dataSet)
{
    beginResetModel();
    disconnectDataSet();
    m_dataSet = dataSet;
    if (m_attached)
        connectDataSet();
    resolveFields();
    endResetModel();
}

void DataSetModel::setAttached(bool attached)
{
    if (attached == m_attached)
        return;
    beginResetModel();
    m_attached = attached;
    if (attached)
        connectDataSet();
    else
        disconnectDataSet();
    resolveFields();
    endResetModel();
}

const DataSet *DataSetModel::dataSet() const
{
    return m_attached ? m_dataSet.data() : nullptr;
}

void DataSetModel::connectDataSet()
{
    disconnectDataSet();
    if (!m_dataSet)
        return;
    m_connections << connect(m_dataSet, &DataSet::reset, this, &DataSetModel::onDataSetReset);
    m_connections << connect(m_dataSet, &DataSet::rowChanged, this, &DataSetModel::onRowChanged);
    m_connections << connect(m_dataSet, &QObject::destroyed, this, [this] {
        beginResetModel();
        disconnectDataSet();
        m_fields.assign(std::size_t(m_columns.size()), -1);
        m_rowCount = 0;
        endResetModel();
    });
}

void DataSetModel::disconnectDataSet()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
}

void DataSetModel::resolveFields()
{
    m_fields.assign(std::size_t(m_columns.size()), -1);
    const DataSet *ds = dataSet();
    m_rowCount = ds ? ds->rowCount() : 0;
    if (!ds)
        return;
    for (int i = 0; i < m_columns.size(); ++i) {
        const QString &field = m_columns.at(i).field;
        if (!field.isEmpty())
            m_fields[std::size_t(i)] = ds->fieldIndex(field);
    }
}

void DataSetModel::onDataSetReset()
{
    beginResetModel();
    resolveFields();
    endResetModel();
}

void DataSetModel::onRowChanged(int row)
{
    if (row < 0 || row >= m_rowCount || m_columns.isEmpty())
        return;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

bool DataSetModel::readable(int row) const
{
    // The data set may have been changed with its controls disabled since the last reset;
    // never read past what it holds now.
    const DataSet *ds = dataSet();
    return ds && row >= 0 && row < m_rowCount && row < ds->rowCount();
}

int DataSetModel::fieldColumn(int column) const
{
    if (column < 0 || column >= int(m_fields.size()))
        return -1;
    const int f = m_fields[std::size_t(column)];
    const DataSet *ds = dataSet();
    return (ds && f < ds->fieldCount()) ? f : -1;
}

bool DataSetModel::isNumeric(int column) const
{
    const int f = fieldColumn(column);
    if (f < 0)
        return false;
    switch (dataSet()->field(f).type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        return true;
    default:
        return false;
    }
}

Qt::Alignment DataSetModel::alignment(int column) const
{
    const GridColumn &c = m_columns.at(column);
    Qt::Alignment horizontal = c.alignment & Qt::AlignHorizontal_Mask;
    if (!horizontal) {
        if (c.kind == ColumnKind::CentredLabel || c.isPicture() || c.kind == ColumnKind::CheckBox
            || c.kind == ColumnKind::Picture)
            horizontal = Qt::AlignHCenter;
        else if (isNumeric(column))
            horizontal = Qt::AlignRight;
        else
            horizontal = Qt::AlignLeft;
    }
    Qt::Alignment vertical = c.alignment & Qt::AlignVertical_Mask;
    if (!vertical)
        vertical = Qt::AlignVCenter;
    return horizontal | vertical;
}

QString DataSetModel::cellText(int row, int column) const
{
    if (!readable(row) || column < 0 || column >= m_columns.size())
        return {};
    const GridColumn &c = m_columns.at(column);
    if (c.kind == ColumnKind::Drawn || c.field.isEmpty())
        return c.text ? c.text(gridRow(row, column)) : QString();
    if (c.kind == ColumnKind::Picture)
        return {};
    const int f = fieldColumn(column);
    if (f < 0)
        return {};
    if (dataSet()->field(f).type == FieldType::Boolean && !dataSet()->isNull(row, f))
        return dataSet()->boolAt(row, f) ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    return dataSet()->displayText(row, f);
}

GridRow DataSetModel::gridRow(int row, int column) const
{
    if (!readable(row))
        return {};
    const QString key = (column >= 0 && column < m_columns.size()) ? m_columns.at(column).key()
                                                                   : QString();
    return GridRow(dataSet(), row, key);
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !readable(index.row()))
        return {};
    const int row = index.row();
    const int column = index.column();
    const GridColumn &c = m_columns.at(column);
    const int f = fieldColumn(column);

    switch (role) {
    case Qt::DisplayRole:
        if (c.isPicture() || c.kind == ColumnKind::CheckBox || c.kind == ColumnKind::Picture)
            return {};
        return cellText(row, column);
    case CellTextRole:
        return cellText(row, column);
    case Qt::EditRole:
        return f < 0 ? QVariant() : dataSet()->value(row, f);
    case Qt::TextAlignmentRole:
        return int(alignment(column));
    case Qt::CheckStateRole:
        if (c.kind != ColumnKind::CheckBox || f < 0)
            return {};
        return dataSet()->intAt(row, f) == 1 ? Qt::Checked : Qt::Unchecked;
    case DataSetRowRole:
        return row;
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= m_columns.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_columns.at(section).headerText();
    case Qt::TextAlignmentRole:
        return int(m_columns.at(section).headerAlignment);
    default:
        return {};
    }
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_columns.at(index.column()).kind == ColumnKind::CheckBox)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

} // namespace Mervak
