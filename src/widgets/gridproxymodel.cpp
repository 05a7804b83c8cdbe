// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridproxymodel.h"

#include "datasetmodel.h"

#include <QCollator>

#include <algorithm>

namespace Mervak {

GridProxyModel::GridProxyModel(QObject *parent)
    : QAbstractProxyModel(parent)
{}

void GridProxyModel::setSourceModel(QAbstractItemModel *model)
{
    beginResetModel();
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = qobject_cast<DataSetModel *>(model);
    QAbstractProxyModel::setSourceModel(m_model);
    if (m_model) {
        connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
                &GridProxyModel::onSourceAboutToBeReset);
        connect(m_model, &QAbstractItemModel::modelReset, this, &GridProxyModel::onSourceReset);
        connect(m_model, &QAbstractItemModel::dataChanged, this,
                &GridProxyModel::onSourceDataChanged);
    }
    m_layout = computeLayout();
    endResetModel();
    Q_EMIT contentChanged();
}

// --- the model interface

QModelIndex GridProxyModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex GridProxyModel::parent(const QModelIndex &) const
{
    return {};
}

QModelIndex GridProxyModel::sibling(int row, int column, const QModelIndex &idx) const
{
    return idx.isValid() ? index(row, column) : QModelIndex();
}

int GridProxyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_layout.view.size());
}

int GridProxyModel::columnCount(const QModelIndex &parent) const
{
    return (parent.isValid() || !m_model) ? 0 : m_model->columnCount();
}

bool GridProxyModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && rowCount() > 0 && columnCount() > 0;
}

QModelIndex GridProxyModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || !m_model)
        return {};
    const int row = sourceRow(proxyIndex.row());
    return row < 0 ? QModelIndex() : m_model->index(row, proxyIndex.column());
}

QModelIndex GridProxyModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    const int row = viewRowOf(sourceIndex.row());
    return row < 0 ? QModelIndex() : createIndex(row, sourceIndex.column());
}

QVariant GridProxyModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_model)
        return {};
    const RowKind kind = rowKind(index.row());
    if (role == RowKindRole)
        return int(kind);
    if (kind == DataRow)
        return m_model->data(mapToSource(index), role);

    const int g = groupOf(index.row());
    const Group &grp = group(g);
    switch (role) {
    case GroupRole:
        return g;
    case GroupCollapsedRole:
        return grp.collapsed;
    case Qt::DisplayRole:
    case DataSetModel::CellTextRole:
        if (kind == GroupHeaderRow) {
            const GridColumn &c = m_model->column(m_groupColumn);
            const QString caption = c.chooserText();
            return caption + QStringLiteral(": ") + grp.value;
        }
        return m_footerText ? m_footerText(g, index.column()) : QString();
    case Qt::TextAlignmentRole:
        if (kind == GroupFooterRow)
            return int(m_model->alignment(index.column()));
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant GridProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    return m_model ? m_model->headerData(section, orientation, role) : QVariant();
}

Qt::ItemFlags GridProxyModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (rowKind(index.row()) == DataRow)
        return m_model->flags(mapToSource(index));
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridProxyModel::sort(int column, Qt::SortOrder order)
{
    if (column >= columnCount())
        column = -1;
    m_sortColumn = column;
    m_sortOrder = order;
    relayout();
}

// --- filters

void GridProxyModel::setFilter(int column, const QSet<QString> &texts)
{
    m_filters.insert(column, texts);
    relayout();
}

void GridProxyModel::clearFilter(int column)
{
    if (m_filters.remove(column))
        relayout();
}

void GridProxyModel::clearFilters()
{
    if (m_filters.isEmpty())
        return;
    m_filters.clear();
    relayout();
}

bool GridProxyModel::passesFilters(int row, int skipColumn) const
{
    for (auto it = m_filters.constBegin(); it != m_filters.constEnd(); ++it) {
        if (it.key() == skipColumn)
            continue;
        if (!it.value().contains(m_model->cellText(row, it.key())))
            return false;
    }
    return true;
}

QStringList GridProxyModel::distinctTexts(int column) const
{
    if (!m_model || !m_model->dataSet())
        return {};
    QHash<QString, int> firstRow;
    const int rows = m_model->rowCount();
    for (int r = 0; r < rows; ++r) {
        if (!passesFilters(r, column))
            continue;
        const QString text = m_model->cellText(r, column);
        if (!firstRow.contains(text))
            firstRow.insert(text, r);
    }
    std::vector<std::pair<QString, int>> values(firstRow.constKeyValueBegin(),
                                                firstRow.constKeyValueEnd());
    const DataSet *ds = m_model->dataSet();
    const int f = m_model->fieldColumn(column);
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(values.begin(), values.end(), [&](const auto &a, const auto &b) {
        if (f >= 0) {
            const int c = ds->compare(a.second, b.second, f);
            if (c != 0)
                return c < 0;
        }
        return collator.compare(a.first, b.first) < 0;
    });
    QStringList texts;
    texts.reserve(qsizetype(values.size()));
    for (const auto &v : values)
        texts << v.first;
    return texts;
}

// --- groups

void GridProxyModel::setGroupColumn(int column)
{
    if (column >= columnCount())
        column = -1;
    if (column == m_groupColumn)
        return;
    m_groupColumn = column;
    beginResetModel();
    m_layout = computeLayout();
    endResetModel();
    Q_EMIT contentChanged();
}

void GridProxyModel::setGroupCollapsed(int g, bool collapsed)
{
    if (g < 0 || g >= groupCount() || group(g).collapsed == collapsed)
        return;
    Group &grp = m_layout.groups[std::size_t(g)];
    const int header = headerRowOf(g);
    if (collapsed) {
        m_collapsedValues.insert(grp.value);
        beginRemoveRows(QModelIndex(), header + 1, header + grp.count);
        grp.collapsed = true;
        buildView(m_layout);
        endRemoveRows();
    } else {
        m_collapsedValues.remove(grp.value);
        beginInsertRows(QModelIndex(), header + 1, header + grp.count);
        grp.collapsed = false;
        buildView(m_layout);
        endInsertRows();
    }
    Q_EMIT contentChanged();
}

void GridProxyModel::setAllGroupsCollapsed(bool collapsed)
{
    if (m_groupColumn < 0)
        return;
    for (const Group &g : m_layout.groups) {
        if (collapsed)
            m_collapsedValues.insert(g.value);
        else
            m_collapsedValues.remove(g.value);
    }
    if (!collapsed)
        m_collapsedValues.clear();
    relayout();
}

// --- rows

void GridProxyModel::decode(int code, int *g, bool *footer)
{
    const int k = -1 - code;
    *g = k / 2;
    *footer = (k % 2) == 1;
}

GridProxyModel::RowKind GridProxyModel::rowKind(int viewRow) const
{
    if (viewRow < 0 || viewRow >= int(m_layout.view.size()))
        return DataRow;
    const int code = m_layout.view[std::size_t(viewRow)];
    if (code >= 0)
        return DataRow;
    int g = 0;
    bool footer = false;
    decode(code, &g, &footer);
    return footer ? GroupFooterRow : GroupHeaderRow;
}

int GridProxyModel::sourceRow(int viewRow) const
{
    if (viewRow < 0 || viewRow >= int(m_layout.view.size()))
        return -1;
    const int code = m_layout.view[std::size_t(viewRow)];
    return code >= 0 ? code : -1;
}

int GridProxyModel::groupOf(int viewRow) const
{
    if (m_groupColumn < 0 || viewRow < 0 || viewRow >= int(m_layout.view.size()))
        return -1;
    const int code = m_layout.view[std::size_t(viewRow)];
    if (code < 0) {
        int g = 0;
        bool footer = false;
        decode(code, &g, &footer);
        return g;
    }
    // The last group header at or above the row.
    const auto &headers = m_layout.groupHeaders;
    const auto it = std::upper_bound(headers.begin(), headers.end(), viewRow);
    return it == headers.begin() ? -1 : int(it - headers.begin()) - 1;
}

int GridProxyModel::viewRowOf(int sourceRow) const
{
    if (sourceRow < 0 || sourceRow >= int(m_layout.sourceToView.size()))
        return -1;
    return m_layout.sourceToView[std::size_t(sourceRow)];
}

int GridProxyModel::headerRowOf(int g) const
{
    if (g < 0 || g >= int(m_layout.groupHeaders.size()))
        return -1;
    return m_layout.groupHeaders[std::size_t(g)];
}

// --- building

GridProxyModel::Layout GridProxyModel::computeLayout() const
{
    Layout layout;
    const DataSet *ds = m_model ? m_model->dataSet() : nullptr;
    if (!ds) {
        buildView(layout);
        return layout;
    }
    const int rows = m_model->rowCount();
    layout.order.reserve(std::size_t(rows));
    for (int r = 0; r < rows; ++r) {
        if (m_filters.isEmpty() || passesFilters(r, -1))
            layout.order.push_back(r);
    }

    const int groupField = m_groupColumn >= 0 ? m_model->fieldColumn(m_groupColumn) : -1;
    const int sortField = m_sortColumn >= 0 ? m_model->fieldColumn(m_sortColumn) : -1;
    const bool groupDescending = m_sortColumn == m_groupColumn
                                 && m_sortOrder == Qt::DescendingOrder;
    if (groupField >= 0 || sortField >= 0) {
        std::stable_sort(layout.order.begin(), layout.order.end(), [&](int a, int b) {
            if (groupField >= 0) {
                const int c = ds->compare(a, b, groupField);
                if (c != 0)
                    return groupDescending ? c > 0 : c < 0;
            }
            if (sortField >= 0 && sortField != groupField) {
                const int c = ds->compare(a, b, sortField);
                return m_sortOrder == Qt::DescendingOrder ? c > 0 : c < 0;
            }
            return false;
        });
    }

    if (m_groupColumn >= 0) {
        const int n = int(layout.order.size());
        for (int i = 0; i < n; ++i) {
            const int row = layout.order[std::size_t(i)];
            const bool same = i > 0
                && (groupField >= 0
                        ? ds->compare(layout.order[std::size_t(i - 1)], row, groupField) == 0
                        : true);
            if (i == 0 || !same) {
                Group g;
                g.first = i;
                g.value = m_model->cellText(row, m_groupColumn);
                g.collapsed = m_collapsedValues.contains(g.value);
                layout.groups.push_back(g);
            }
            ++layout.groups.back().count;
        }
    }
    buildView(layout);
    return layout;
}

void GridProxyModel::buildView(Layout &layout) const
{
    const int sourceRows = m_model ? m_model->rowCount() : 0;
    layout.sourceToView.assign(std::size_t(sourceRows), -1);
    layout.view.clear();
    layout.groupHeaders.clear();
    if (m_groupColumn < 0) {
        layout.view = layout.order;
        for (std::size_t i = 0; i < layout.view.size(); ++i)
            layout.sourceToView[std::size_t(layout.view[i])] = int(i);
        return;
    }
    layout.view.reserve(layout.order.size() + 2 * layout.groups.size());
    for (int g = 0; g < int(layout.groups.size()); ++g) {
        const Group &grp = layout.groups[std::size_t(g)];
        layout.groupHeaders.push_back(int(layout.view.size()));
        layout.view.push_back(headerCode(g));
        if (!grp.collapsed) {
            for (int i = grp.first; i < grp.first + grp.count; ++i) {
                const int row = layout.order[std::size_t(i)];
                layout.sourceToView[std::size_t(row)] = int(layout.view.size());
                layout.view.push_back(row);
            }
        }
        layout.view.push_back(footerCode(g));
    }
}

void GridProxyModel::applyLayout(Layout &&layout)
{
    if (layout.view.size() != m_layout.view.size()) {
        beginResetModel();
        m_layout = std::move(layout);
        endResetModel();
        Q_EMIT contentChanged();
        return;
    }

    // Same number of rows: move the rows, so the focused row and the selection follow.
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    struct Identity { int source; QString group; bool footer; };
    std::vector<Identity> ids;
    ids.reserve(std::size_t(before.size()));
    for (const QModelIndex &idx : before) {
        const int code = m_layout.view[std::size_t(idx.row())];
        if (code >= 0) {
            ids.push_back({code, {}, false});
        } else {
            int g = 0;
            bool footer = false;
            decode(code, &g, &footer);
            ids.push_back({-1, group(g).value, footer});
        }
    }
    m_layout = std::move(layout);
    QHash<QString, int> groupByValue;
    for (int g = 0; g < groupCount(); ++g)
        groupByValue.insert(group(g).value, g);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const Identity &id = ids[std::size_t(i)];
        int row = -1;
        if (id.source >= 0) {
            row = viewRowOf(id.source);
        } else if (groupByValue.contains(id.group)) {
            const int g = groupByValue.value(id.group);
            row = headerRowOf(g);
            if (id.footer && row >= 0)
                row += 1 + (group(g).collapsed ? 0 : group(g).count);
        }
        after << (row >= 0 ? createIndex(row, before.at(i).column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
    Q_EMIT contentChanged();
}

void GridProxyModel::relayout()
{
    applyLayout(computeLayout());
}

void GridProxyModel::onSourceAboutToBeReset()
{
    beginResetModel();
}

void GridProxyModel::onSourceReset()
{
    m_layout = computeLayout();
    endResetModel();
    Q_EMIT contentChanged();
}

void GridProxyModel::onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    auto touches = [&](int column) {
        return column >= topLeft.column() && column <= bottomRight.column();
    };
    bool structural = (m_sortColumn >= 0 && touches(m_sortColumn))
                      || (m_groupColumn >= 0 && touches(m_groupColumn));
    for (auto it = m_filters.constBegin(); !structural && it != m_filters.constEnd(); ++it)
        structural = touches(it.key());
    if (structural) {
        relayout();
        return;
    }
    const int last = columnCount() - 1;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const int viewRow = viewRowOf(row);
        if (viewRow >= 0)
            Q_EMIT dataChanged(index(viewRow, topLeft.column()), index(viewRow, bottomRight.column()));
        const int g = m_groupColumn >= 0 && viewRow >= 0 ? groupOf(viewRow) : -1;
        if (g >= 0) {
            const int footer = headerRowOf(g) + 1 + group(g).count;
            Q_EMIT dataChanged(index(footer, 0), index(footer, last));
        }
    }
    // A row hidden by a collapsed group still counts in its group's footer.
    if (m_groupColumn >= 0) {
        for (int g = 0; g < groupCount(); ++g) {
            if (!group(g).collapsed)
                continue;
            const int footer = headerRowOf(g) + 1;
            Q_EMIT dataChanged(index(footer, 0), index(footer, last));
        }
    }
    Q_EMIT contentChanged();
}

} // namespace Mervak
