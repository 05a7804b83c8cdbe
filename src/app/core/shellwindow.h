// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QHash>
#include <QString>

class QLineEdit;
class QWidget;

namespace Mervak {

class BusyIndicator;
class DataGrid;
class DataSet;
class PageControl;
class ServerConnection;
class TSonucBilgisi;

// The tab pages of the main window, in their order.
enum class TabPage {
    StokListesi = 0,   // sstoklistesi
    Sepet,             // ssepet
    OncekiSiparisler,  // sonceki
    CariEkstre,        // sccariekstre
    YeniStoklar,       // syeniler
    Kampanyali,        // skampanyali
    Duyurular,         // sTabSheetduyuru
    Bakiyeler,         // sTabbakiyeler
    SanalPos           // ss
};
inline constexpr int TabPageCount = 9;

// The busy indicators of the search bar, in their order.
enum class BusyGif {
    StokAra = 0,       // gifstokara
    Yeniler,           // gifyeniler
    Kampanyali,        // gifkampanyali
    Duyuru,            // gifduyuru
    Oncekiler,         // gifoncekiler
    Sepet,             // gifsepet
    Ekstre             // gifekstre
};
inline constexpr int BusyGifCount = 7;

// A grid column switched by the user type: shown or hidden, in the grid and its chooser.
struct ColumnSwitch
{
    bool visible = true;
    bool inChooser = true;
};

/*!
    Switches the columns of \a grid that \a switches name (by column key) and leaves the
    others as designed. Grids of the main window call it once they have their columns.
*/
void ApplyColumnSwitches(DataGrid &grid, const QHash<QString, ColumnSwitch> &switches);

/*!
    What the tab pages, banners and dialogs of the features need from the main window. The
    feature folders talk to the main window through this, so they do not depend on the
    window's class.
*/
class ShellWindow
{
public:
    virtual ~ShellWindow() = default;

    virtual QWidget *window() = 0;
    virtual PageControl *pageControl() const = 0;
    virtual QWidget *page(TabPage page) const = 0;
    virtual BusyIndicator *busyIndicator(BusyGif gif) const = 0;
    virtual QLineEdit *searchEdit() const = 0;

    // The session record; user-interface thread only. Workers get a copy.
    virtual TSonucBilgisi &session() = 0;
    // The main connection bagc; user-interface thread only. Workers get a clone.
    virtual ServerConnection &connection() = 0;

    // The data sets of the data-bound tab pages (stok, sepet, ONCEKILER, EKSTRE, YENILER,
    // kampstok); nullptr for the other pages.
    virtual DataSet *dataSet(TabPage page) const = 0;

    // Sets a tab caption ("count=title" allowed). From a worker the change is handed to the
    // user-interface thread and the worker waits for it.
    virtual void setTabCaption(TabPage page, const QString &caption) = 0;

    /*!
        The columns switched for the signed-in user type, by column name (for example
        "cxGrid1DBTableView1KALAN"); the grids apply them when they are built. A column not
        named keeps its designed state.
    */
    virtual QHash<QString, ColumnSwitch> columnSwitches() const = 0;
};

} // namespace Mervak
