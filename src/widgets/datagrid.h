// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "gridcolumn.h"
#include "gridstyle.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QPointer>
#include <QVariantMap>

#include <memory>
#include <vector>

class QMenu;
class QScrollBar;

namespace Mervak {

class DataSetModel;
class GridFilterPopup;
class GridFooter;
class GridProxyModel;
class GridView;
struct GridLook;

/*!
    The one data grid of the program. A list declares its columns as a table of GridColumn
    and hands the grid its DataSet; the grid shows it without copying rows, with the shared
    styles, sorting by header, a filter button per header, incremental search by typing, a
    column chooser in the header's context menu, footer summaries, grouping by one column,
    the weight layout and best fit, and the Excel export.

    Background loads detach the grid from its data set while a worker fills the data set,
    and attach it again on the user-interface thread afterwards. A detached grid shows no
    rows and does not touch the data set.

    The grid never writes to the data set: a click on a check box reports the wanted value
    through checkToggled, and the owner stores it (and tells the server).
*/
class DataGrid : public QFrame
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // --- columns (found by key: a column's name, else its field; case-insensitive)
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const;
    int columnIndex(const QString &key) const;
    bool setColumnShown(const QString &key, bool shown);     // false: no such column
    bool setColumnOffered(const QString &key, bool offered);
    bool isColumnShown(const QString &key) const;
    bool isColumnOffered(const QString &key) const;
    void setColumnWidth(const QString &key, int width);
    int columnWidth(const QString &key) const;
    QStringList visibleColumns() const;   // keys in display order
    QList<int> visibleColumnIndexes() const;
    QStringList chooserColumns() const;   // keys offered in the column chooser
    // The header's context menu: the column chooser and the view commands. Caller owns it.
    QMenu *createHeaderMenu(QWidget *parent = nullptr);

    // --- data
    void setDataSet(DataSet *dataSet);
    DataSet *dataSet() const;
    void detach();
    void attach();
    bool isAttached() const;
    // Holds painting and the footer until the matching endUpdate.
    void beginUpdate();
    void endUpdate();
    bool isUpdating() const { return m_updateDepth > 0; }
    // Unbound mode: the grid holds its own data set with these fields; rows are added by code.
    void setUnboundFields(const QList<FieldDef> &fields);
    int appendRow(const QVariantMap &values);   // by field name; returns the data set row
    void clearRows();

    // --- look
    void setGridStyle(const GridStyle &style);
    const GridStyle &gridStyle() const;
    // Even rows (0, 2, ...) in the style's alternate colour; otherwise in the content colour.
    void setEvenRowsAlternate(bool on);
    void setAlternatingRows(bool on);
    void setGridLines(bool on);
    void setRowHeight(int height);
    int rowHeight() const;
    void setHeaderHeight(int height);
    int headerHeight() const;
    void setHeaderVisible(bool on);
    void setIndicatorWidth(int width);   // 0 hides the row indicator
    void setScrollPerPixel(bool on);
    void setPictureSize(int size);

    // --- footer and summaries
    void setFooterVisible(bool on);
    bool isFooterVisible() const { return m_footerVisible; }
    void setFooterHeight(int height);
    void setFooterSummaries(const QList<GridSummary> &summaries);
    QList<GridSummary> footerSummaries() const { return m_footerSummaries; }
    void setGroupSummaries(const QList<GridSummary> &summaries);
    QList<GridSummary> groupSummaries() const { return m_groupSummaries; }
    // The footer text under a column; empty while that column is hidden.
    QString footerText(const QString &columnKey) const;
    // Over all shown rows, or over one group's rows.
    double summaryValue(const GridSummary &summary, int group = -1) const;
    QString summaryText(const GridSummary &summary, int group = -1) const;

    // --- sorting, filtering, searching
    void setSortingEnabled(bool on);
    bool isSortingEnabled() const;
    void sortBy(const QString &key, Qt::SortOrder order = Qt::AscendingOrder);
    void clearSort();
    void setFilterButtons(bool on);
    void setColumnFilter(const QString &key, const QStringList &texts);
    void clearFilter(const QString &key = QString());   // empty key: every column
    bool isFiltered() const;
    QStringList distinctValues(const QString &key) const;
    GridFilterPopup *showFilterPopup(const QString &key);
    void setIncrementalSearch(bool on);
    // Focuses the first row whose focused column starts with the text; false when none does.
    bool incrementalSearch(const QString &text);
    QString searchText() const { return m_searchText; }

    // --- groups
    void setGroupColumn(const QString &key);   // empty: no grouping
    QString groupColumn() const;
    int groupCount() const;
    QString groupValue(int group) const;
    int groupRowCount(int group) const;
    bool isGroupCollapsed(int group) const;
    void setGroupCollapsed(int group, bool collapsed);
    void collapseAllGroups();
    void expandAllGroups();
    QString groupFooterText(int group, const QString &columnKey) const;

    // --- layout
    // Whole part of (width - 30) / weightSum; 0 when there is nothing to share.
    static int weightUnit(int width, int weightSum);
    // Shares the grid width among the visible columns by weight; returns the unit. Visible
    // columns of weight 0 keep their width.
    int layoutByWeights(int width = -1);
    void bestFit();
    // Column auto-width: the visible columns always fill the width, in proportion to their
    // declared widths.
    void setAutoWidth(bool on);
    bool autoWidth() const { return m_autoWidth; }

    // --- rows
    int rowCount() const;                 // data rows shown, groups counted expanded
    std::vector<int> rows() const;        // their data set rows, in view order
    GridRow focusedRow() const;
    bool focusRow(int dataSetRow);
    GridRow rowAt(int dataSetRow) const;
    void setContextMenu(QMenu *menu);

    // --- export
    bool exportToExcel(const QString &path, QString *error = nullptr) const;

    DataSetModel *model() const { return m_model; }
    GridProxyModel *proxyModel() const { return m_proxy; }
    GridView *view() const { return m_view; }

Q_SIGNALS:
    void focusedRowChanged(const Mervak::GridRow &row);
    void rowDoubleClicked(const Mervak::GridRow &row);
    void contextMenuRequested(const QPoint &globalPos, const Mervak::GridRow &row);
    void checkToggled(const Mervak::GridRow &row, const QString &columnKey, int newValue);
    void columnsChanged();
    void resized(int width);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyColumns();
    void fitColumnsToWidth();
    void applyLook();
    void updateFooterScrolling();
    void recomputeSummaries();
    QString summaryTextOver(const GridSummary &summary, std::size_t first, std::size_t count) const;
    double summaryValueOver(const GridSummary &summary, std::size_t first, std::size_t count) const;
    int searchColumn() const;
    void onContentChanged();
    void onAboutToReset();
    void onReset();
    void onCurrentChanged();
    void onCheckClicked(const QModelIndex &index);
    void onGroupToggle(int viewRow, bool collapse);
    void onSearchTyped(const QString &text);
    void onSearchEdited(int key);
    void onContextMenu(const QPoint &globalPos, const QModelIndex &index);
    void onHeaderMenu(const QPoint &pos);
    void onFilterButton(int column, const QPoint &globalPos);
    bool focusViewRow(int viewRow, int column = -1);

    std::unique_ptr<GridLook> m_look;
    DataSetModel *m_model;
    GridProxyModel *m_proxy;
    GridView *m_view;
    GridFooter *m_footer;
    QScrollBar *m_footerScroll;
    std::unique_ptr<DataSet> m_ownData;
    QPointer<QMenu> m_contextMenu;
    QList<GridSummary> m_footerSummaries;
    QList<GridSummary> m_groupSummaries;
    std::vector<QString> m_footerTexts;                  // by model column
    std::vector<std::vector<QString>> m_groupFooterTexts; // [group][model column]
    QString m_searchText;
    QElapsedTimer m_searchTimer;
    int m_updateDepth = 0;
    int m_resetFocusRow = -1;
    int m_lastFocused = -2;
    bool m_summariesDirty = false;
    bool m_footerVisible = false;
    bool m_incrementalSearch = true;
    bool m_autoWidth = false;
};

} // namespace Mervak
