// SPDX-License-Identifier: LicenseRef-Mervak
// The stock search, its grid and layouts, the item entry flows and the new-product and
// campaign lists, against the reference server with its demo distributor.
#include "basketpage.h"
#include "busyindicator.h"
#include "cataloguecolumns.h"
#include "connectcheck.h"
#include "currencyedit.h"
#include "datagrid.h"
#include "dataset.h"
#include "displayformat.h"
#include "itementry.h"
#include "messagedialog.h"
#include "orderingserver.h"
#include "pagecontrol.h"
#include "priceblock.h"
#include "productlistpage.h"
#include "quantitybox.h"
#include "stocklistpage.h"
#include "tabload.h"
#include "testshell.h"
#include "textrules.h"
#include "tstokayarinti.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Mervak;
using Mervak::Test::OrderingServer;

namespace {

// What the item entry dialog showed when it opened.
struct DialogSeen
{
    QString label2;
    QString indirimoran;
    QString barkod;
    int koliadet = 0;
    std::optional<int> quantity;
    bool birimfiyatEditable = false;
    double kdvdahiltutar = 0;
};

} // namespace

class tst_StockList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    // Whatever the keyboard produced, the server gets unaccented capitals, untrimmed.
    void turkishLettersReachServerFolded_data();
    void turkishLettersReachServerFolded();
    // Fewer than three letters (blanks do not count) are refused and nothing is searched.
    void shortTextRefused_data();
    void shortTextRefused();
    // An empty result is an empty list, not a failure: no message, no count on the tab.
    void zeroRowsIsNoFailure();
    // An unreachable server empties the list and says so once, after the attempts.
    void unreachableServerEmptiesList();
    // "Temizle" empties the list and the edit; a double-click then opens nothing.
    void clearEmptiesListAndNothingOpens();

    // Below 1153 pixels the prices are one drawn block in taller rows.
    void layoutAtThreshold_data();
    void layoutAtThreshold();
    // The weights share the grid width less 30 pixels, the unit cut to a whole number.
    void unitWidths();
    // The price block has a campaign line only for items with a campaign price.
    void priceBlockLines_data();
    void priceBlockLines();
    void priceBlockOfServerRows();

    // A new item goes in as whole boxes; opening it again edits its line instead of adding
    // a second one.
    void addNewItemThenEditExistingLine();
    // The dialog's texts follow the list and the row's campaign flag; "Vazgeç" sends nothing.
    void entryTextsByList_data();
    void entryTextsByList();
    // Both lists load when their tab is shown and carry their count in the tab caption.
    void listsLoadWithCount_data();
    void listsLoadWithCount();

private:
    void search(const QString &typed);
    int rowWhere(const DataSet &ds, const std::function<bool(int row)> &pred) const;
    DataSet &stok() { return *m_shell->dataSet(TabPage::StokListesi); }
    DataSet &sepet() { return *m_shell->dataSet(TabPage::Sepet); }
    // Opens the item entry for a row of a grid; the action runs once the dialog is shown.
    void openEntry(const std::function<void()> &open,
                   const std::function<void(Tstokayarinti *)> &action);

    OrderingServer m_server;
    std::unique_ptr<TestShell> m_shell;
    ItemEntry *m_entry = nullptr;
    StockListPage *m_stock = nullptr;
    BasketPage *m_basket = nullptr;
    ProductListPage *m_new = nullptr;
    ProductListPage *m_campaign = nullptr;
    QList<ShownMessage> m_messages;
    std::function<void(Tstokayarinti *)> m_dialogAction;
    DialogSeen m_seen;
    int m_dialogs = 0;
};

void tst_StockList::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QVERIFY2(m_server.start(), qPrintable(m_server.errors()));
    Testing::setConnectCheckTiming(2, 0);

    m_shell = std::make_unique<TestShell>();
    m_shell->setConnection(&m_server.bagc());
    m_shell->session().Kopyala(m_server.session());
    QVERIFY(m_shell->session().CARINO() > 0);
    m_entry = new ItemEntry(*m_shell, m_shell.get());
    m_stock = new StockListPage(*m_shell, *m_entry);
    m_basket = new BasketPage(*m_shell, *m_entry);
    m_new = new ProductListPage(*m_shell, *m_entry, ProductListPage::Kind::NewProducts);
    m_campaign = new ProductListPage(*m_shell, *m_entry, ProductListPage::Kind::Campaign);
    m_entry->setBasketLink(m_basket);
    m_shell->placePage(TabPage::StokListesi, m_stock);
    m_shell->placePage(TabPage::Sepet, m_basket);
    m_shell->placePage(TabPage::YeniStoklar, m_new);
    m_shell->placePage(TabPage::Kampanyali, m_campaign);
    m_shell->resize(1350, 700);
    m_shell->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_shell.get()));

    connect(m_entry, &ItemEntry::dialogAboutToShow, this, [this](Tstokayarinti *d) {
        ++m_dialogs;
        m_seen = DialogSeen{d->Label2()->text(), d->indirimoran()->text(), d->barkod()->text(),
                            d->koliadet(), d->quantity(), !d->birimfiyat()->isReadOnly(),
                            d->kdvdahiltutar()->value()};
        QTimer::singleShot(0, d, [this, d] {
            if (m_dialogAction)
                m_dialogAction(d);
            else
                d->reject();
        });
    });
}

void tst_StockList::cleanupTestCase()
{
    setMessageDialogHook({});
    Testing::resetConnectCheckTiming();
    m_shell.reset();
    m_server.stop();
}

void tst_StockList::init()
{
    m_messages.clear();
    m_dialogAction = {};
    m_dialogs = 0;
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        return int(m.defaultButton == mbNo ? mrNo : mrOk);
    });
}

namespace {

// Types text key by key, Turkish letters included, as a keyboard would.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

void tst_StockList::search(const QString &typed)
{
    QLineEdit *edit = m_shell->searchEdit();
    edit->clear();
    edit->setFocus();
    typeText(edit, typed);
    QSignalSpy finished(m_stock, &StockListPage::searchFinished);
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(finished.wait(30000));
}

int tst_StockList::rowWhere(const DataSet &ds, const std::function<bool(int)> &pred) const
{
    for (int row = 0; row < ds.rowCount(); ++row) {
        if (pred(row))
            return row;
    }
    return -1;
}

void tst_StockList::openEntry(const std::function<void()> &open,
                              const std::function<void(Tstokayarinti *)> &action)
{
    m_dialogAction = action;
    open();
    m_dialogAction = {};
}

namespace {

double num(const DataSet &ds, int row, const char *field)
{
    return ds.doubleAt(row, ds.fieldIndex(QString::fromLatin1(field)));
}

QString txt(const DataSet &ds, int row, const char *field)
{
    return ds.displayText(row, ds.fieldIndex(QString::fromLatin1(field)));
}

bool hasTurkishLetter(const QString &text)
{
    for (const QChar ch : text) {
        if (QStringLiteral("ğüşöçıİĞÜŞÖÇ").contains(ch))
            return true;
    }
    return false;
}

} // namespace

void tst_StockList::turkishLettersReachServerFolded_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::newRow("small letters with ğ and ı") << "yağ filtresi" << "YAG FILTRESI";
    QTest::newRow("capitals with Ş and İ") << "ŞANZIMAN TAKOZU" << "SANZIMAN TAKOZU";
    QTest::newRow("mixed, dotless ı") << "Fren Balatası" << "FREN BALATASI";
    QTest::newRow("blanks kept") << "  yağ  " << "  YAG  ";
}

void tst_StockList::turkishLettersReachServerFolded()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    search(typed);
    QCOMPARE(m_shell->searchEdit()->text(), sent);
    QCOMPARE(m_stock->lastSearchText(), sent);
    QVERIFY(!hasTurkishLetter(m_stock->lastSearchText()));
    QVERIFY(m_messages.isEmpty());
    // The server folds its side too, so the items are found.
    QVERIFY(stok().rowCount() > 0);
    QCOMPARE(m_stock->cxGrid1()->rowCount(), stok().rowCount());
    QCOMPARE(m_shell->tabCaption(TabPage::StokListesi),
             QStringLiteral("%1=Stok Listesi").arg(stok().rowCount()));
    // The money fields carry the money format.
    const int f = stok().fieldIndex(QStringLiteral("NETFIYAT"));
    QCOMPARE(stok().field(f).displayFormat, QStringLiteral("#,###,##0.00"));
}

void tst_StockList::shortTextRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("two letters") << "ab";
    QTest::newRow("two letters in blanks") << "   ab   ";
    QTest::newRow("blanks only") << "      ";
    QTest::newRow("nothing") << "";
}

void tst_StockList::shortTextRefused()
{
    QFETCH(QString, typed);
    m_shell->setTabCaption(TabPage::StokListesi, QStringLiteral("7=Stok Listesi"));
    QSignalSpy started(m_stock->searchLoad(), &TabLoad::started);
    QLineEdit *edit = m_shell->searchEdit();
    edit->clear();
    edit->setFocus();
    typeText(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    m_stock->SpeedButton2Click();   // "Ara" acts as Enter
    QCoreApplication::processEvents();

    QCOMPARE(started.count(), 0);
    QCOMPARE(m_messages.size(), 2);
    for (const ShownMessage &m : std::as_const(m_messages)) {
        QCOMPARE(m.text, QStringLiteral("Lütfen en az 3 harf giriniz !"));
        QCOMPARE(m.type, mtWarning);
        QCOMPARE(m.buttons, mbOKOnly);
    }
    QCOMPARE(m_shell->tabCaption(TabPage::StokListesi), QStringLiteral("7=Stok Listesi"));
    QVERIFY(edit->isEnabled());
}

void tst_StockList::zeroRowsIsNoFailure()
{
    search(QStringLiteral("QQXQZZXQ"));
    QVERIFY(m_messages.isEmpty());
    QVERIFY(stok().isOpen());
    QCOMPARE(stok().rowCount(), 0);
    QCOMPARE(m_stock->cxGrid1()->rowCount(), 0);
    const TSonuc caption = SplitTabCaption(m_shell->tabCaption(TabPage::StokListesi));
    QCOMPARE(caption.sayi, 0);
    QCOMPARE(caption.baslik, QStringLiteral("Stok Listesi"));
    QVERIFY(m_shell->searchEdit()->isEnabled());
    QVERIFY(m_shell->busyIndicator(BusyGif::StokAra)->isHidden());
}

void tst_StockList::unreachableServerEmptiesList()
{
    search(QStringLiteral("fren"));
    QVERIFY(stok().rowCount() > 0);
    m_messages.clear();

    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 nowhere = closed.serverPort();
    closed.close();
    const QString port = m_server.bagc().Port;
    m_server.bagc().Port = QString::number(nowhere);
    search(QStringLiteral("fren"));
    m_server.bagc().Port = port;

    // Two attempts, each with its text, then the one final message.
    QCOMPARE(m_messages.size(), 3);
    QCOMPARE(m_messages.last().text, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    QCOMPARE(m_messages.last().type, mtError);
    QCOMPARE(stok().rowCount(), 0);
    QCOMPARE(m_stock->cxGrid1()->rowCount(), 0);
    QCOMPARE(m_shell->tabCaption(TabPage::StokListesi), QStringLiteral("Stok Listesi"));
    QVERIFY(m_shell->searchEdit()->isEnabled());
}

void tst_StockList::clearEmptiesListAndNothingOpens()
{
    search(QStringLiteral("fren"));
    QVERIFY(stok().rowCount() > 0);
    m_shell->pageControl()->setCurrentIndex(int(TabPage::Sepet));
    m_stock->SpeedButton1Click();
    QCOMPARE(m_shell->pageControl()->currentIndex(), int(TabPage::StokListesi));
    QCOMPARE(stok().rowCount(), 0);
    QCOMPARE(m_shell->tabCaption(TabPage::StokListesi), QStringLiteral("Stok Listesi"));
    QVERIFY(m_shell->searchEdit()->text().isEmpty());
    m_stock->cxGrid1DBTableView1DblClick();
    QCOMPARE(m_dialogs, 0);
}

void tst_StockList::layoutAtThreshold_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("priceBlock");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("1152: narrow") << 1152 << true << 100;
    QTest::newRow("1153: wide") << 1153 << false << 80;
}

void tst_StockList::layoutAtThreshold()
{
    QFETCH(int, width);
    QFETCH(bool, priceBlock);
    QFETCH(int, rowHeight);
    m_shell->resize(width, 700);
    QTRY_COMPARE(m_shell->width(), width);
    QCoreApplication::processEvents();
    DataGrid *grid = m_stock->cxGrid1();
    QCOMPARE(m_stock->isNarrow(), priceBlock);
    QCOMPARE(grid->isColumnShown(QString::fromLatin1(StockColumn::PriceBlock)), priceBlock);
    QCOMPARE(grid->isColumnShown(QString::fromLatin1(StockColumn::VatIncluded)), !priceBlock);
    QVERIFY(!grid->isColumnShown(QString::fromLatin1(StockColumn::NetPrice)));
    QVERIFY(!grid->isColumnShown(QString::fromLatin1(StockColumn::ListPrice)));
    QVERIFY(!grid->isColumnShown(QString::fromLatin1(StockColumn::CampaignPrice)));
    QCOMPARE(grid->rowHeight(), rowHeight);
    if (priceBlock)
        QCOMPARE(grid->columnWidth(QString::fromLatin1(StockColumn::PriceBlock)), 150);
    m_shell->resize(1350, 700);
}

void tst_StockList::unitWidths()
{
    DataGrid grid;
    grid.setColumns(StockListColumns());
    const QString name = QString::fromLatin1(StockColumn::Name);

    // Wide: weights 1, 2, 3, 1, 1, 2, 2, 1, 1, 2, 3 (sum 19); 1000 / 19 = 52.6 cuts to 52.
    StockListPage::ApplyStockLayout(grid, false, 1030);
    int sum = 0;
    for (int c : grid.visibleColumnIndexes())
        sum += grid.columns().at(c).weight;
    QCOMPARE(sum, 19);
    QCOMPARE(grid.columnWidth(name), 156);
    QCOMPARE(grid.columnWidth(QString::fromLatin1(StockColumn::VatIncluded)), 156);
    QCOMPARE(grid.columnWidth(QStringLiteral("cxGrid1DBTableView1DURUM")), 52);

    // Narrow: the price block (2) replaces the VAT-inclusive price (3): sum 18, unit 55,
    // and the block is then set to 150 pixels.
    StockListPage::ApplyStockLayout(grid, true, 1030);
    QCOMPARE(grid.columnWidth(name), 165);
    QCOMPARE(grid.columnWidth(QString::fromLatin1(StockColumn::PriceBlock)), 150);
    QCOMPARE(grid.rowHeight(), 100);
    // The OEM columns get their 80 pixels for when the user shows them.
    grid.setColumnShown(QString::fromLatin1(StockColumn::Oem1), true);
    QCOMPARE(grid.columnWidth(QString::fromLatin1(StockColumn::Oem1)), 80);
}

void tst_StockList::priceBlockLines_data()
{
    QTest::addColumn<double>("campaign");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no campaign: three lines")
        << 0.0
        << QStringList{"Liste Fiyatı: 1.234,50", "NetFiyat: 987,65", "KDV li Fiyat: 1.185,18"};
    QTest::newRow("campaign: four lines")
        << 1100.0
        << QStringList{"Liste Fiyatı: 1.234,50", "Kampanyalı Fiyat: 1.100,00",
                       "NetFiyat: 987,65", "KDV li Fiyat: 1.185,18"};
}

void tst_StockList::priceBlockLines()
{
    QFETCH(double, campaign);
    QFETCH(QStringList, lines);
    QCOMPARE(PriceBlockLines(1234.5, campaign, 987.65, 1185.18), lines);
}

void tst_StockList::priceBlockOfServerRows()
{
    search(QStringLiteral("fil"));
    DataSet &ds = stok();
    const int plain = rowWhere(ds, [&](int r) { return num(ds, r, "KAMPFIYAT") == 0; });
    const int campaign = rowWhere(ds, [&](int r) { return num(ds, r, "KAMPFIYAT") > 0; });
    QVERIFY(plain >= 0);
    QVERIFY(campaign >= 0);
    const QStringList three = PriceBlockLines(m_stock->cxGrid1()->rowAt(plain));
    const QStringList four = PriceBlockLines(m_stock->cxGrid1()->rowAt(campaign));
    QCOMPARE(three.size(), 3);
    QCOMPARE(four.size(), 4);
    QCOMPARE(three.at(0), QStringLiteral("Liste Fiyatı: ") + txt(ds, plain, "LISTEFIYAT1"));
    QVERIFY(four.at(1).startsWith(QStringLiteral("Kampanyalı Fiyat: ")));
    QCOMPARE(four.at(3), QStringLiteral("KDV li Fiyat: ") + txt(ds, campaign, "KDVDAHIL"));
}

void tst_StockList::addNewItemThenEditExistingLine()
{
    QVERIFY(m_basket->LoadBasket());
    search(QStringLiteral("filtre"));
    DataSet &ds = stok();
    // An item sold in boxes of more than one that is not in the basket yet.
    const int row = rowWhere(ds, [&](int r) {
        const int stokno = int(num(ds, r, "STOK_STOKNO"));
        return num(ds, r, "OZELKOD1") > 1 && num(ds, r, "K") == 0
               && FindRow(sepet(), QStringLiteral("STOKNO"), stokno) < 0;
    });
    QVERIFY(row >= 0);
    const int stokno = int(num(ds, row, "STOK_STOKNO"));
    const int box = int(num(ds, row, "OZELKOD1"));
    const int linesBefore = sepet().rowCount();
    QVERIFY(m_stock->cxGrid1()->focusRow(row));

    // One box and a piece: rounded up to two boxes when confirmed.
    openEntry([this] { m_stock->cxGrid1DBTableView1DblClick(); }, [box](Tstokayarinti *d) {
        d->adet()->setFocus();
        d->adet()->selectAll();
        QTest::keyClicks(d->adet(), QString::number(box + 1));
        QTest::mouseClick(d->ParcaliTus1(), Qt::LeftButton);
    });
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(m_seen.koliadet, box);
    QCOMPARE(m_seen.quantity, std::optional<int>(box));
    QCOMPARE(m_seen.label2, QStringLiteral("Fiyat:"));
    QCOMPARE(m_seen.indirimoran, QStringLiteral("İndirim: %") + txt(ds, row, "INDIRIMYAZI"));
    QCOMPARE(m_seen.barkod, txt(ds, row, "BARKOD"));
    QVERIFY(!m_seen.birimfiyatEditable);
    QCOMPARE(sepet().rowCount(), linesBefore + 1);
    int line = FindRow(sepet(), QStringLiteral("STOKNO"), stokno);
    QVERIFY(line >= 0);
    QCOMPARE(num(sepet(), line, "MIKTAR"), double(2 * box));
    QCOMPARE(num(sepet(), line, "BIRIMFIYAT"), num(ds, row, "FIYAT"));

    // The same item again: its line is edited, with the line's quantity.
    QVERIFY(m_stock->cxGrid1()->focusRow(row));
    openEntry([this] { m_stock->cxGrid1DBTableView1DblClick(); }, [](Tstokayarinti *d) {
        d->adet()->stepBy(1);
        QTest::keyClick(d->adet(), Qt::Key_Return);
    });
    QCOMPARE(m_dialogs, 2);
    QCOMPARE(m_seen.quantity, std::optional<int>(2 * box));
    QCOMPARE(m_seen.koliadet, box);   // from the item's stock row
    QCOMPARE(m_seen.label2, QStringLiteral("Fiyat:"));
    QCOMPARE(m_seen.indirimoran, QStringLiteral("İndirim:"));
    QCOMPARE(sepet().rowCount(), linesBefore + 1);
    line = FindRow(sepet(), QStringLiteral("STOKNO"), stokno);
    QCOMPARE(num(sepet(), line, "MIKTAR"), double(3 * box));
    QVERIFY(m_messages.isEmpty());
}

void tst_StockList::entryTextsByList_data()
{
    QTest::addColumn<int>("list");   // 0 stock list, 1 new products, 2 campaign
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("stock list, campaign row") << 0 << 1 << "Kampanyalı Fiyat:" << "Kampanyalı ";
    QTest::newRow("new products, plain row") << 1 << 0 << "Fiyat:" << "İndirim:  % ";
    QTest::newRow("campaign list") << 2 << 1 << "Kampanyalı Fiyat:" << "Kampanyalı ";
}

void tst_StockList::entryTextsByList()
{
    QFETCH(int, list);
    QFETCH(int, k);
    QFETCH(QString, label2);
    QFETCH(QString, prefix);

    DataGrid *grid = nullptr;
    std::function<void()> open;
    if (list == 0) {
        search(QStringLiteral("fren"));
        grid = m_stock->cxGrid1();
        open = [this] { m_stock->cxGrid1DBTableView1DblClick(); };
    } else {
        ProductListPage *page = list == 1 ? m_new : m_campaign;
        QSignalSpy loaded(page, &ProductListPage::loadFinished);
        page->Show();
        QVERIFY(loaded.wait(30000));
        grid = page->grid();
        open = [page] { page->DblClick(); };
    }
    QVERIFY(m_basket->LoadBasket());
    const int linesBefore = sepet().rowCount();
    DataSet &ds = *grid->dataSet();
    const int row = rowWhere(ds, [&](int r) {
        return int(num(ds, r, "K")) == k
               && FindRow(sepet(), QStringLiteral("STOKNO"), int(num(ds, r, "STOK_STOKNO"))) < 0;
    });
    QVERIFY(row >= 0);
    QVERIFY(grid->focusRow(row));
    openEntry(open, [](Tstokayarinti *d) {
        QTest::mouseClick(d->ParcaliTus2(), Qt::LeftButton);
    });
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(m_seen.label2, label2);
    QCOMPARE(m_seen.indirimoran, prefix + txt(ds, row, "INDIRIMYAZI"));
    if (list == 1) {
        const double net = num(ds, row, "NETFIYAT");
        QCOMPARE(m_seen.kdvdahiltutar, roundDecimal(net * (num(ds, row, "KDV") / 100 + 1), 2));
    }
    // "Vazgeç" sends nothing.
    QVERIFY(m_basket->LoadBasket());
    QCOMPARE(sepet().rowCount(), linesBefore);
}

void tst_StockList::listsLoadWithCount_data()
{
    QTest::addColumn<bool>("campaign");
    QTest::newRow("new products") << false;
    QTest::newRow("campaign") << true;
}

void tst_StockList::listsLoadWithCount()
{
    QFETCH(bool, campaign);
    ProductListPage *page = campaign ? m_campaign : m_new;
    const TabPage tab = campaign ? TabPage::Kampanyali : TabPage::YeniStoklar;
    QSignalSpy loaded(page, &ProductListPage::loadFinished);
    page->Show();
    QVERIFY(!page->grid()->isEnabled());
    QVERIFY(loaded.wait(30000));
    QCOMPARE(loaded.first().first().toBool(), false);
    QVERIFY(page->grid()->isEnabled());
    DataSet &ds = *m_shell->dataSet(tab);
    QVERIFY(ds.rowCount() > 0);
    QCOMPARE(page->grid()->rowCount(), ds.rowCount());
    QCOMPARE(m_shell->tabCaption(tab),
             QStringLiteral("%1=%2").arg(ds.rowCount())
                 .arg(campaign ? QStringLiteral("Kampanyalı") : QStringLiteral("Yeni Stoklar")));
    QVERIFY(m_messages.isEmpty());
}

QTEST_MAIN(tst_StockList)
#include "tst_stocklist.moc"
