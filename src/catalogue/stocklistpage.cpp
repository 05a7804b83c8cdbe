// SPDX-License-Identifier: LicenseRef-Mervak
#include "stocklistpage.h"

#include "await.h"
#include "busyindicator.h"
#include "cataloguecolumns.h"
#include "cataloguetexts.h"
#include "datagrid.h"
#include "dataset.h"
#include "datasetroutines.h"
#include "messagedialog.h"
#include "pagecontrol.h"
#include "remotecall.h"
#include "serverconnection.h"
#include "shellwindow.h"
#include "tabload.h"
#include "textrules.h"
#include "remoteerror.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace Mervak {

namespace {

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

StockListPage::StockListPage(ShellWindow &shell, ItemEntry &itemEntry, QWidget *parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_itemEntry(itemEntry)
{
    setObjectName(QStringLiteral("stockListPage"));
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_cxGrid1 = new DataGrid(this);
    m_cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    m_cxGrid1->setColumns(StockListColumns());
    m_cxGrid1->setHeaderHeight(40);
    m_cxGrid1->setRowHeight(80);
    m_cxGrid1->setIndicatorWidth(5);
    m_cxGrid1->setEvenRowsAlternate(false);
    m_cxGrid1->setGridLines(true);
    m_cxGrid1->setFilterButtons(true);
    m_cxGrid1->setIncrementalSearch(true);
    m_cxGrid1->setFooterVisible(true);
    m_cxGrid1->setFooterSummaries(
        {{.column = QString::fromLatin1(StockColumn::Oem1), .kind = SummaryKind::Count}});
    m_cxGrid1->setDataSet(stok());
    layout->addWidget(m_cxGrid1);

    m_popstok = new QMenu(this);
    m_popstok->setObjectName(QStringLiteral("popstok"));
    m_S2 = m_popstok->addAction(str(CatalogueTexts::AddToBasketEntry));
    m_S2->setObjectName(QStringLiteral("S2"));
    m_popstok->addSeparator();
    m_siparisBakiyeleri = m_popstok->addAction(str(CatalogueTexts::OrderBalancesEntry));
    m_siparisBakiyeleri->setObjectName(QStringLiteral("S1"));
    m_popstok->addSeparator();
    m_S3 = m_popstok->addAction(str(CatalogueTexts::ShowOrdersEntry));
    m_S3->setObjectName(QStringLiteral("S3"));
    m_S3->setEnabled(false);
    m_cxGrid1->setContextMenu(m_popstok);

    connect(m_S2, &QAction::triggered, this, [this] {
        RunGuarded([this] { cxGrid1DBTableView1DblClick(); });
    });
    // The open order balances of the customer live on their own tab.
    connect(m_siparisBakiyeleri, &QAction::triggered, this, [this] {
        m_shell.pageControl()->setCurrentIndex(int(TabPage::Bakiyeler));
    });
    connect(m_S3, &QAction::triggered, this, [this] { RunGuarded([this] { S3Click(); }); });
    connect(m_cxGrid1, &DataGrid::rowDoubleClicked, this, [this] {
        RunGuarded([this] { cxGrid1DBTableView1DblClick(); });
    });
    connect(m_cxGrid1, &DataGrid::resized, this, [this] {
        // While a search runs the edit is disabled and the layout waits for its end.
        if (m_shell.searchEdit()->isEnabled())
            LayoutColumns();
    });

    QLineEdit *araedit = m_shell.searchEdit();
    connect(araedit, &QLineEdit::returnPressed, this, [this] {
        RunGuarded([this] { araeditEnter(); });
    });

    m_search = new TabLoad(this);
    m_search->setBusyIndicator(m_shell.busyIndicator(BusyGif::StokAra));
    m_search->setDisabledControl(araedit);
    m_search->setDataSet(stok());
    m_search->setReportFailure(true);
    m_search->setViewBinding(
        [this] {
            m_cxGrid1->detach();
            m_cxGrid1->beginUpdate();
            m_cxGrid1->clearFilter();
        },
        [this] { m_cxGrid1->attach(); });
    m_search->setPrepare([this] { return prepareSearch(); });
    m_search->setFinish([this](bool failed) {
        if (failed) {
            if (stok()->isOpen())
                stok()->clearRows();
            m_shell.setTabCaption(TabPage::StokListesi, str(CatalogueTexts::StockListTitle));
        }
        m_cxGrid1->endUpdate();
        LayoutColumns();
        QLineEdit *edit = m_shell.searchEdit();
        edit->selectAll();
        edit->setFocus();
    });
    connect(m_search, &TabLoad::finished, this, &StockListPage::searchFinished);

    ApplyColumnSwitches(m_shell.columnSwitches());
}

DataSet *StockListPage::stok() const
{
    return m_shell.dataSet(TabPage::StokListesi);
}

void StockListPage::ApplyColumnSwitches(const QHash<QString, ColumnSwitch> &switches)
{
    Mervak::ApplyColumnSwitches(*m_cxGrid1, switches);
}

TabLoad::Work StockListPage::prepareSearch()
{
    // The worker gets its own connection and session copy, taken here on the
    // user-interface thread, and the text as it is now: folded, upper case, untrimmed.
    m_lastSearchText = SearchText(m_shell.searchEdit()->text());
    std::shared_ptr<ServerConnection> connection = m_shell.connection().clone();
    auto session = std::make_shared<TSonucBilgisi>();
    session->Kopyala(m_shell.session());
    DataSet *stok = this->stok();
    ShellWindow *shell = &m_shell;
    const QString kod = m_lastSearchText;
    return [connection, session, stok, shell, kod]() -> bool {
        try {
            const bool connected = RemoteCall::run(
                *connection, session.get(), 0,
                [&](TServerMethods1Client &client, TSonucBilgisi *copy) {
                    client.StokAraGetir(kod, copy, stok);
                    // A list without the discount rates is not a stock list.
                    if (stok->fieldIndex(QStringLiteral("IND1")) < 0)
                        throw RemoteError(QStringLiteral("IND1"));
                    shell->setTabCaption(TabPage::StokListesi,
                                         str(CatalogueTexts::StockListCount)
                                             .arg(stok->rowCount()));
                    ApplyMoneyFormat(*stok);
                },
                RemoteCall::Use::Itself);
            return !connected;
        } catch (...) {
            return true;
        }
    };
}

void StockListPage::setOrderMovementsOpener(std::function<void(int)> open)
{
    m_openOrderMovements = std::move(open);
    m_S3->setEnabled(bool(m_openOrderMovements));
}

void StockListPage::araeditEnter()
{
    PageControl *pages = m_shell.pageControl();
    if (pages->currentIndex() != int(TabPage::StokListesi))
        pages->setCurrentIndex(int(TabPage::StokListesi));
    // Blanks do not count: a text of blanks is refused like a short one.
    if (m_shell.searchEdit()->text().trimmed().size() < 3) {
        ShowMessageDialog(str(CatalogueTexts::AtLeastThreeLetters), mtWarning, mbOKOnly, mbOK);
        return;
    }
    startSearch();
}

void StockListPage::startSearch()
{
    // A search is never started twice: the edit stays disabled until the first one ends.
    if (!m_shell.searchEdit()->isEnabled() || m_search->isRunning())
        return;
    m_search->trigger();
}

void StockListPage::SpeedButton2Click()
{
    if (m_shell.searchEdit()->isEnabled())
        araeditEnter();
}

void StockListPage::SpeedButton1Click()
{
    QLineEdit *edit = m_shell.searchEdit();
    if (!edit->isEnabled())
        return;
    if (stok()->isOpen()) {
        stok()->clearRows();
        m_shell.setTabCaption(TabPage::StokListesi, str(CatalogueTexts::StockListTitle));
    }
    m_shell.pageControl()->setCurrentIndex(int(TabPage::StokListesi));
    m_cxGrid1->clearFilter();
    edit->clear();
    edit->selectAll();
    edit->setFocus();
}

void StockListPage::SearchFor(const QString &text)
{
    QLineEdit *edit = m_shell.searchEdit();
    if (!edit->isEnabled())
        return;
    edit->setText(SearchText(text));
    SpeedButton2Click();
}

bool StockListPage::isNarrow() const
{
    return m_shell.window()->width() < WideWindowWidth;
}

void StockListPage::LayoutColumns()
{
    ApplyStockLayout(*m_cxGrid1, isNarrow(), m_cxGrid1->width());
}

void StockListPage::ApplyStockLayout(DataGrid &grid, bool narrow, int gridWidth)
{
    const QString kdvDahil = QString::fromLatin1(StockColumn::VatIncluded);
    const QString fiyatBilgisi = QString::fromLatin1(StockColumn::PriceBlock);
    grid.beginUpdate();
    grid.setColumnShown(kdvDahil, !narrow);
    grid.setColumnShown(QString::fromLatin1(StockColumn::NetPrice), false);
    grid.setColumnShown(QString::fromLatin1(StockColumn::CampaignPrice), false);
    grid.setColumnShown(QString::fromLatin1(StockColumn::ListPrice), false);
    grid.setColumnShown(fiyatBilgisi, narrow);
    grid.setRowHeight(narrow ? 100 : 80);
    grid.layoutByWeights(gridWidth);
    if (narrow) {
        // The OEM numbers matter only when the user has switched them on.
        for (const char *key : {StockColumn::Oem1, StockColumn::Oem2, StockColumn::Oem3})
            grid.setColumnWidth(QString::fromLatin1(key), 80);
        grid.setColumnWidth(fiyatBilgisi, 150);
        grid.setRowHeight(100);
    }
    grid.endUpdate();
}

void StockListPage::cxGrid1DBTableView1DblClick()
{
    const GridRow row = m_cxGrid1->focusedRow();
    if (!row.isValid())
        return;
    m_itemEntry.OpenItemEntry(ItemEntry::Source::StockList, row);
}

void StockListPage::S3Click()
{
    const GridRow row = m_cxGrid1->focusedRow();
    if (!row.isValid() || !m_openOrderMovements)
        return;
    m_openOrderMovements(int(row.intValue(QStringLiteral("STOK_STOKNO"))));
}

} // namespace Mervak
