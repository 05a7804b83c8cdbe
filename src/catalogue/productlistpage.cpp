// SPDX-License-Identifier: LicenseRef-Mervak
#include "productlistpage.h"

#include "await.h"
#include "busyindicator.h"
#include "cataloguecolumns.h"
#include "cataloguetexts.h"
#include "datagrid.h"
#include "dataset.h"
#include "datasetroutines.h"
#include "remotecall.h"
#include "serverconnection.h"
#include "shellwindow.h"
#include "tabload.h"

#include <QVBoxLayout>

namespace Mervak {

ProductListPage::ProductListPage(ShellWindow &shell, ItemEntry &itemEntry, Kind kind,
                                 QWidget *parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_itemEntry(itemEntry)
    , m_kind(kind)
{
    const bool campaign = kind == Kind::Campaign;
    setObjectName(campaign ? QStringLiteral("campaignPage") : QStringLiteral("newProductsPage"));
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(campaign ? QStringLiteral("cxkampanyali") : QStringLiteral("cxGrid6"));
    m_grid->setColumns(campaign ? CampaignColumns() : NewProductColumns());
    m_grid->setRowHeight(40);
    m_grid->setHeaderHeight(40);
    // New products: even rows white, odd rows grey; the campaign list the other way round.
    m_grid->setEvenRowsAlternate(!campaign);
    m_grid->setFilterButtons(true);
    m_grid->setIncrementalSearch(true);
    m_grid->setFooterVisible(true);
    m_grid->setFooterSummaries({{.column = m_grid->columns().first().key(),
                                 .kind = SummaryKind::Count}});
    m_grid->setDataSet(dataSet());
    layout->addWidget(m_grid);

    connect(m_grid, &DataGrid::rowDoubleClicked, this, [this] {
        RunGuarded([this] { DblClick(); });
    });
    connect(m_grid, &DataGrid::resized, this, [this] {
        // The campaign list is laid out only while it is not loading.
        if (m_kind == Kind::NewProducts || m_grid->isEnabled())
            LayoutColumns();
    });

    m_load = new TabLoad(this);
    m_load->setBusyIndicator(
        m_shell.busyIndicator(campaign ? BusyGif::Kampanyali : BusyGif::Yeniler));
    m_load->setGrid(m_grid);
    m_load->setDataSet(dataSet());
    m_load->setReportFailure(true);
    DataSet *list = dataSet();
    ShellWindow *shellWindow = &m_shell;
    const TabPage tab = tabPage();
    // YeniStoklarAl / KampanyaliStoklarAl: only a connection that cannot be opened is answered
    // as a failure; an error of the call itself reaches the default error display.
    m_load->setLoad(&m_shell.connection(), &m_shell.session(),
                    [campaign, list, shellWindow, tab](ServerConnection &connection,
                                                       const TSonucBilgisi &session) {
        const bool connected = RemoteCall::run(
            connection, nullptr, 0,
            [&](TServerMethods1Client &client, TSonucBilgisi *) {
                if (campaign)
                    client.KampanyaliVer2(session.CARINO(), session.MusteriTipi(), list);
                else
                    client.YenilerVer2(session.CARINO(), list);
                ApplyMoneyFormat(*list);
                shellWindow->setTabCaption(
                    tab, QString::fromUtf8(campaign ? CatalogueTexts::CampaignCount
                                                    : CatalogueTexts::NewProductsCount)
                             .arg(list->rowCount()));
            },
            RemoteCall::Use::Itself);
        return !connected;
    });
    m_load->setFinish([this](bool) { LayoutColumns(); });
    connect(m_load, &TabLoad::finished, this, &ProductListPage::loadFinished);

    ApplyColumnSwitches(m_shell.columnSwitches());
}

TabPage ProductListPage::tabPage() const
{
    return m_kind == Kind::Campaign ? TabPage::Kampanyali : TabPage::YeniStoklar;
}

DataSet *ProductListPage::dataSet() const
{
    return m_shell.dataSet(tabPage());
}

void ProductListPage::ApplyColumnSwitches(const QHash<QString, ColumnSwitch> &switches)
{
    Mervak::ApplyColumnSwitches(*m_grid, switches);
}

void ProductListPage::Show()
{
    m_load->trigger();
}

void ProductListPage::LayoutColumns()
{
    ApplyListLayout(*m_grid, m_shell.window()->width() >= WideWindowWidth, m_grid->width());
}

void ProductListPage::ApplyListLayout(DataGrid &grid, bool wide, int gridWidth)
{
    grid.beginUpdate();
    if (wide)
        grid.layoutByWeights(gridWidth);
    else
        grid.bestFit();
    grid.endUpdate();
}

void ProductListPage::DblClick()
{
    const GridRow row = m_grid->focusedRow();
    if (!row.isValid())
        return;
    m_itemEntry.OpenItemEntry(m_kind == Kind::Campaign ? ItemEntry::Source::Campaign
                                                       : ItemEntry::Source::NewProducts,
                              row);
}

} // namespace Mervak
