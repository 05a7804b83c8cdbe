// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "itementry.h"
#include "tabload.h"

#include <QHash>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

namespace Mervak {

class DataGrid;
class DataSet;
class ShellWindow;
struct ColumnSwitch;

/*!
    The stock list page: the search started from the search edit of the main window, the
    stock grid with its narrow and wide layouts, and its popup menu.
*/
class StockListPage : public QWidget
{
    Q_OBJECT

public:
    // The window counts as narrow below this width.
    static constexpr int WideWindowWidth = 1153;

    StockListPage(ShellWindow &shell, ItemEntry &itemEntry, QWidget *parent = nullptr);

    DataGrid *cxGrid1() const { return m_cxGrid1; }
    QMenu *popstok() const { return m_popstok; }
    TabLoad *searchLoad() const { return m_search; }

    // The switches of the signed-in user type (representatives' columns and the like).
    void ApplyColumnSwitches(const QHash<QString, ColumnSwitch> &switches);
    // "Siparişleri Göster" opens the order movements of an item; disabled until set.
    void setOrderMovementsOpener(std::function<void(int stokno)> open);

    // Enter in the search edit: three letters at least (blanks do not count), then the search.
    void araeditEnter();
    // "Ara": as Enter while the search edit is enabled (no search running).
    void SpeedButton2Click();
    // "Temizle": empties the list and the search edit.
    void SpeedButton1Click();
    // Other parts search for a text (announcements, adverts).
    void SearchFor(const QString &text);

    // The narrow or wide layout, by the width of the main window.
    void LayoutColumns();
    bool isNarrow() const;
    // The layout itself: columns switched, weights shared over gridWidth, row heights.
    static void ApplyStockLayout(DataGrid &grid, bool narrow, int gridWidth);

    void cxGrid1DBTableView1DblClick();   // also "Sepete Ekle"
    void S3Click();                       // "Siparişleri Göster"

    // The search text last sent to the server (folded and upper-cased, untrimmed).
    QString lastSearchText() const { return m_lastSearchText; }

Q_SIGNALS:
    void searchFinished(bool failed);

private:
    void startSearch();
    DataSet *stok() const;

    TabLoad::Work prepareSearch();

    ShellWindow &m_shell;
    ItemEntry &m_itemEntry;
    DataGrid *m_cxGrid1 = nullptr;
    QMenu *m_popstok = nullptr;
    QAction *m_S2 = nullptr;
    QAction *m_siparisBakiyeleri = nullptr;
    QAction *m_S3 = nullptr;
    TabLoad *m_search = nullptr;
    std::function<void(int)> m_openOrderMovements;
    QString m_lastSearchText;
};

} // namespace Mervak
