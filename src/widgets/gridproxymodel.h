// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QAbstractProxyModel>
#include <QHash>
#include <QSet>

#include <functional>
#include <vector>

namespace Mervak {

class DataSetModel;

/*!
    Sorting, filtering and grouping over a DataSetModel. It keeps only row numbers: the data
    set rows in view order and, while grouping, a group header and a group footer row around
    each group. Sorting goes through DataSet::compare, so numbers and dates sort by value.

    Filters keep the rows whose cell text in a column is one of the chosen texts. Groups
    collect the rows with equal values in the group column; a collapsed group shows its header
    and its footer only.
*/
class GridProxyModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    enum Role {
        RowKindRole = Qt::UserRole + 20,
        GroupRole,
        GroupCollapsedRole,
    };
    enum RowKind { DataRow = 0, GroupHeaderRow = 1, GroupFooterRow = 2 };

    struct Group
    {
        int first = 0;           // position of its first row in orderedRows()
        int count = 0;
        QString value;           // cell text of the group column
        bool collapsed = false;
    };

    using GroupFooterText = std::function<QString(int group, int column)>;

    explicit GridProxyModel(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *model) override;   // a DataSetModel
    DataSetModel *dataModel() const { return m_model; }

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &idx) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // --- filters, by model column
    void setFilter(int column, const QSet<QString> &texts);
    void clearFilter(int column);
    void clearFilters();
    bool isFiltered() const { return !m_filters.isEmpty(); }
    bool isFiltered(int column) const { return m_filters.contains(column); }
    QSet<QString> filter(int column) const { return m_filters.value(column); }
    // The texts of a column among the rows that the other columns' filters let through.
    QStringList distinctTexts(int column) const;

    // --- groups
    void setGroupColumn(int column);      // -1: no grouping
    int groupColumn() const { return m_groupColumn; }
    int groupCount() const { return int(m_layout.groups.size()); }
    const Group &group(int g) const { return m_layout.groups[std::size_t(g)]; }
    void setGroupCollapsed(int g, bool collapsed);
    void setAllGroupsCollapsed(bool collapsed);
    void setGroupFooterText(GroupFooterText text) { m_footerText = std::move(text); }

    // --- rows
    const std::vector<int> &orderedRows() const { return m_layout.order; }   // data set rows
    RowKind rowKind(int viewRow) const;
    int sourceRow(int viewRow) const;    // -1 for group rows
    int groupOf(int viewRow) const;      // -1 without grouping
    int viewRowOf(int sourceRow) const;  // -1 when filtered out or collapsed
    int headerRowOf(int g) const;

Q_SIGNALS:
    void contentChanged();   // rows, order, groups or values changed

private:
    struct Layout
    {
        std::vector<int> order;
        std::vector<Group> groups;
        std::vector<int> view;          // >= 0 data set row, else an encoded group row
        std::vector<int> sourceToView;
        std::vector<int> groupHeaders;  // view row of each group header
    };

    static int headerCode(int g) { return -1 - 2 * g; }
    static int footerCode(int g) { return -2 - 2 * g; }
    static void decode(int code, int *g, bool *footer);

    bool passesFilters(int row, int skipColumn) const;
    Layout computeLayout() const;
    void buildView(Layout &layout) const;
    void applyLayout(Layout &&layout);
    void relayout();
    void onSourceAboutToBeReset();
    void onSourceReset();
    void onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);

    DataSetModel *m_model = nullptr;
    Layout m_layout;
    QHash<int, QSet<QString>> m_filters;
    QSet<QString> m_collapsedValues;
    GroupFooterText m_footerText;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_groupColumn = -1;
};

} // namespace Mervak
