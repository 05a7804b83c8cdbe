// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "itementry.h"
#include "shellwindow.h"
#include "tabload.h"

#include <QHash>
#include <QWidget>

namespace Mervak {

class DataGrid;
class DataSet;
class ShellWindow;
struct ColumnSwitch;

/*!
    The new-product list ("Yeni Stoklar") or the campaign list ("Kampanyalı Stoklar"): loaded
    in the background every time its tab is shown, laid out by weights on wide windows and
    best-fitted on narrow ones; a double-click puts the item into the basket.
*/
class ProductListPage : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { NewProducts, Campaign };
    static constexpr int WideWindowWidth = 1153;

    ProductListPage(ShellWindow &shell, ItemEntry &itemEntry, Kind kind,
                    QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    DataGrid *grid() const { return m_grid; }
    TabLoad *load() const { return m_load; }

    void ApplyColumnSwitches(const QHash<QString, ColumnSwitch> &switches);

    // syenilerShow / skampanyaliShow: reload the list.
    void Show();
    // YeniSutunDuzenle / KampanyaliSutunDuzenle, by the width of the main window.
    void LayoutColumns();
    static void ApplyListLayout(DataGrid &grid, bool wide, int gridWidth);
    // cxGridDBTableView5DblClick / cxGridDBTableViewkampanyaliDblClick
    void DblClick();

Q_SIGNALS:
    void loadFinished(bool failed);

private:
    TabPage tabPage() const;
    DataSet *dataSet() const;

    ShellWindow &m_shell;
    ItemEntry &m_itemEntry;
    Kind m_kind;
    DataGrid *m_grid = nullptr;
    TabLoad *m_load = nullptr;
};

} // namespace Mervak
