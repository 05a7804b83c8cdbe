// SPDX-License-Identifier: LicenseRef-Mervak
// The basket page and the order confirmation against the reference server: loading, tick
// marks kept by the server, totals of the ticked lines, deleting, and sending an order.
#include "basketpage.h"
#include "connectcheck.h"
#include "datagrid.h"
#include "dataset.h"
#include "datasetroutines.h"
#include "displayformat.h"
#include "gridview.h"
#include "itementry.h"
#include "messagedialog.h"
#include "orderingserver.h"
#include "pagecontrol.h"
#include "remotecall.h"
#include "testshell.h"
#include "tonaysip.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Mervak;
using Mervak::Test::OrderingServer;

namespace {

double num(const DataSet &ds, int row, const char *field)
{
    return ds.doubleAt(row, ds.fieldIndex(QString::fromLatin1(field)));
}

QString money(double value)
{
    return formatFloat(QString::fromLatin1(MoneyFormat), value);
}

void uncheck(QRadioButton *radio)
{
    QButtonGroup *group = radio->group();
    group->setExclusive(false);
    radio->setChecked(false);
    group->setExclusive(true);
}

} // namespace

class tst_Basket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    // Showing the tab loads the basket, counts it on the tab, adds up the ticked lines and
    // shows the overdue-balance warning.
    void showingTabLoadsBasketAndWarning();
    // A tick adds exactly its line's amounts and the server keeps it; a second tick on the
    // "Seç" cell takes it away again.
    void tickMovesTotalsAndIsKept();
    // "Hepsini Seç" and "Seçimleri Kaldır" go to the server line by line.
    void selectAllAndClear();
    // A tick the server did not take is not left on the screen.
    void failedTickIsNotShown();
    // Answering No to a deletion question changes nothing; No is the preselected answer.
    void deletingWithNoChangesNothing_data();
    void deletingWithNoChangesNothing();
    // The line is gone from the reloaded basket by the time "Satır silindi !" shows.
    void deletedLineReloadedBeforeMessage();
    // Nothing ticked: nothing to send and no confirmation.
    void nothingTickedNothingSent();
    // The confirmation's summary, its checks in order, and a single company preselected.
    void confirmationChecksAndSingleCompany();
    // A confirmed order leaves the basket without the ordered lines, and the server stored
    // the delivery type, cargo type, company and message that were chosen.
    void orderSentAndBasketReloaded();
    // An emptied basket asks nothing when asked to delete all again.
    void deleteAllThenNothingToAsk();

private:
    void load();
    DataSet &sepet() { return *m_shell->dataSet(TabPage::Sepet); }
    int rowOf(int sirano) const;
    void confirm(const std::function<void(TONAYSIP *)> &action);

    OrderingServer m_server;
    std::unique_ptr<TestShell> m_shell;
    ItemEntry *m_entry = nullptr;
    BasketPage *m_basket = nullptr;
    QList<ShownMessage> m_messages;
    std::function<int(const ShownMessage &)> m_answer;
    std::function<void(TONAYSIP *)> m_confirmAction;
    int m_confirmations = 0;
};

void tst_Basket::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QVERIFY2(m_server.start(), qPrintable(m_server.errors()));
    Testing::setConnectCheckTiming(2, 0);
    m_shell = std::make_unique<TestShell>();
    m_shell->setConnection(&m_server.bagc());
    m_shell->session().Kopyala(m_server.session());
    QVERIFY(m_shell->session().CARINO() > 0);
    m_entry = new ItemEntry(*m_shell, m_shell.get());
    m_basket = new BasketPage(*m_shell, *m_entry);
    m_entry->setBasketLink(m_basket);
    m_shell->placePage(TabPage::Sepet, m_basket);
    m_shell->resize(1350, 760);
    m_shell->pageControl()->setCurrentIndex(int(TabPage::Sepet));
    m_shell->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_shell.get()));

    connect(m_basket, &BasketPage::confirmationAboutToShow, this, [this](TONAYSIP *d) {
        ++m_confirmations;
        QTimer::singleShot(0, d, [this, d] {
            if (m_confirmAction)
                m_confirmAction(d);
            else
                d->reject();
        });
    });
}

void tst_Basket::cleanupTestCase()
{
    setMessageDialogHook({});
    Testing::resetConnectCheckTiming();
    m_shell.reset();
    m_server.stop();
}

void tst_Basket::init()
{
    m_messages.clear();
    m_answer = {};
    m_confirmAction = {};
    m_confirmations = 0;
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        if (m_answer)
            return m_answer(m);
        return int(m.defaultButton == mbNo ? mrNo : mrOk);
    });
}

void tst_Basket::load()
{
    QVERIFY(m_basket->LoadBasket());
}

int tst_Basket::rowOf(int sirano) const
{
    return FindRow(*m_shell->dataSet(TabPage::Sepet), QStringLiteral("SIRANO"), sirano);
}

void tst_Basket::confirm(const std::function<void(TONAYSIP *)> &action)
{
    m_confirmAction = action;
    m_basket->Button1Click();
    m_confirmAction = {};
}

void tst_Basket::showingTabLoadsBasketAndWarning()
{
    QSignalSpy loaded(m_basket, &BasketPage::basketLoaded);
    QSignalSpy warned(m_basket, &BasketPage::warningChecked);
    m_basket->ssepetShow();
    QVERIFY(loaded.wait(30000));
    if (warned.isEmpty())
        QVERIFY(warned.wait(30000));
    QCOMPARE(loaded.first().first().toBool(), false);

    QVERIFY(sepet().rowCount() > 0);
    QCOMPARE(m_shell->tabCaption(TabPage::Sepet), QStringLiteral("%1=Sepet").arg(sepet().rowCount()));
    QCOMPARE(m_basket->cxGrid2()->rowCount(), sepet().rowCount());
    QVERIFY(!m_basket->lbluyarbakiye()->text().isEmpty());
    const BasketTotals t = SumBasketTotals(sepet());
    QVERIFY(t.grand > 0);
    QCOMPARE(m_basket->aratoplaml()->text(), money(t.gross));
    QCOMPARE(m_basket->indiriml()->text(), money(t.discount));
    QCOMPARE(m_basket->nettutarl()->text(), money(t.subtotal));
    QCOMPARE(m_basket->vergil()->text(), money(t.tax));
    QCOMPARE(m_basket->geneltoplaml()->text(), money(t.grand));
    QCOMPARE(t.grand, RoundToCents(t.subtotal + t.tax));
    QVERIFY(m_messages.isEmpty());
}

void tst_Basket::tickMovesTotalsAndIsKept()
{
    load();
    const int row = FindRow(sepet(), QStringLiteral("SEC"), 0);
    QVERIFY(row >= 0);
    const int sirano = int(num(sepet(), row, "SIRANO"));
    const BasketTotals before = SumBasketTotals(sepet());
    const double tutar = num(sepet(), row, "TUTAR");
    const double indirim = num(sepet(), row, "INDIRIMTUTAR");
    const double vergi = num(sepet(), row, "VERGITUTARI");

    // Space on the focused "Seç" cell ticks the line, as a click does.
    DataGrid *grid = m_basket->cxGrid2();
    QVERIFY(grid->focusRow(row));
    QCOMPARE(grid->focusedRow().column(), QStringLiteral("cxGridDBTableView1SEC"));
    QTest::keyClick(grid->view(), Qt::Key_Space);
    const BasketTotals after = SumBasketTotals(sepet());
    QCOMPARE(after.gross, RoundToCents(before.gross + tutar));
    QCOMPARE(after.discount, RoundToCents(before.discount + indirim));
    QCOMPARE(after.tax, RoundToCents(before.tax + vergi));
    QCOMPARE(m_basket->geneltoplaml()->text(), money(after.grand));

    load();
    QCOMPARE(num(sepet(), rowOf(sirano), "SEC"), 1.0);

    // "Satır Değiştir" on the "Seç" cell unticks instead of opening the line.
    QVERIFY(grid->focusRow(rowOf(sirano)));
    m_basket->Deitir1Click();
    QCOMPARE(num(sepet(), rowOf(sirano), "SEC"), 0.0);
    QCOMPARE(m_basket->geneltoplaml()->text(), money(before.grand));
    load();
    QCOMPARE(num(sepet(), rowOf(sirano), "SEC"), 0.0);
    QVERIFY(m_messages.isEmpty());
}

void tst_Basket::selectAllAndClear()
{
    load();
    m_basket->Button4Click();
    for (int r = 0; r < sepet().rowCount(); ++r)
        QCOMPARE(num(sepet(), r, "SEC"), 1.0);
    const BasketTotals all = SumBasketTotals(sepet());
    QCOMPARE(m_basket->geneltoplaml()->text(), money(all.grand));
    load();
    QCOMPARE(SumBasketTotals(sepet()).grand, all.grand);

    m_basket->Button5Click();
    QCOMPARE(m_basket->geneltoplaml()->text(), QStringLiteral("0,00"));
    QCOMPARE(m_basket->aratoplaml()->text(), QStringLiteral("0,00"));
    load();
    for (int r = 0; r < sepet().rowCount(); ++r)
        QCOMPARE(num(sepet(), r, "SEC"), 0.0);
    QVERIFY(m_messages.isEmpty());
}

void tst_Basket::failedTickIsNotShown()
{
    load();
    const int row = FindRow(sepet(), QStringLiteral("SEC"), 0);
    QVERIFY(row >= 0);
    const int sirano = int(num(sepet(), row, "SIRANO"));

    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 nowhere = closed.serverPort();
    closed.close();
    const QString port = m_server.bagc().Port;
    m_server.bagc().Port = QString::number(nowhere);
    m_basket->setLineSelection(sirano, 1);
    m_server.bagc().Port = port;

    QCOMPARE(num(sepet(), rowOf(sirano), "SEC"), 0.0);
    QCOMPARE(m_basket->geneltoplaml()->text(), money(SumBasketTotals(sepet()).grand));
    QVERIFY(!m_messages.isEmpty());
    QCOMPARE(m_messages.last().type, mtWarning);
    QVERIFY(m_messages.last().text.startsWith(QStringLiteral("Seçiminiz kaydedilemedi")));
    load();
    QCOMPARE(num(sepet(), rowOf(sirano), "SEC"), 0.0);
}

void tst_Basket::deletingWithNoChangesNothing_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("question");
    QTest::newRow("Satır Sil") << false << "Satırı silmek istiyor musunuz ";
    QTest::newRow("Hepsini Sil") << true << "Tüm Sepeti Silmek İstiyor musunuz ";
}

void tst_Basket::deletingWithNoChangesNothing()
{
    QFETCH(bool, all);
    QFETCH(QString, question);
    load();
    const int lines = sepet().rowCount();
    QVERIFY(lines > 0);
    QVERIFY(m_basket->cxGrid2()->focusRow(0));
    if (all)
        m_basket->HepsiniSil1Click();
    else
        m_basket->SatrSil1Click();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, question);
    QCOMPARE(m_messages.first().type, mtConfirmation);
    QCOMPARE(m_messages.first().buttons, mbYesNo);
    QCOMPARE(m_messages.first().defaultButton, mbNo);
    load();
    QCOMPARE(sepet().rowCount(), lines);
}

void tst_Basket::deletedLineReloadedBeforeMessage()
{
    load();
    const int lines = sepet().rowCount();
    const int sirano = int(num(sepet(), 0, "SIRANO"));
    int linesWhenTold = -1;
    m_answer = [&](const ShownMessage &m) {
        if (m.text == QStringLiteral("Satır silindi !"))
            linesWhenTold = sepet().rowCount();
        return int(m.type == mtConfirmation ? mrYes : mrOk);
    };
    QVERIFY(m_basket->cxGrid2()->focusRow(0));
    m_basket->SatrSil1Click();
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages.last().type, mtInformation);
    QCOMPARE(linesWhenTold, lines - 1);
    QCOMPARE(rowOf(sirano), -1);
}

void tst_Basket::nothingTickedNothingSent()
{
    load();
    m_basket->Button5Click();
    m_messages.clear();
    m_basket->Button1Click();
    QCOMPARE(m_confirmations, 0);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, QStringLiteral("Gönderilecek Parça Yok "));
    QCOMPARE(m_messages.first().type, mtWarning);
}

void tst_Basket::confirmationChecksAndSingleCompany()
{
    load();
    QVERIFY(m_basket->cxGrid2()->focusRow(0));
    m_basket->setLineSelection(int(num(sepet(), 0, "SIRANO")), 1);
    const int lines = sepet().rowCount();
    const QString total = m_basket->geneltoplaml()->text();
    const QString warning = m_basket->lbluyarbakiye()->text();

    QStringList shown;
    confirm([&](TONAYSIP *d) {
        const TSonucBilgisi &s = m_shell->session();
        QCOMPARE(d->Label2()->text(),
                 TONAYSIP::SummaryText(s.ADI(), s.CariAdi(), total));
        QCOMPARE(d->Label3()->text(), warning);
        // The second delivery type is preselected, no cargo type.
        QVERIFY(d->teslimItems().size() >= 2);
        QVERIFY(d->teslimItems().at(1)->isChecked());
        for (QRadioButton *r : d->kargoItems())
            QVERIFY(!r->isChecked());

        QTest::mouseClick(d->Button1(), Qt::LeftButton);   // no cargo type
        // A cargo type with several companies: none chosen yet.
        QRadioButton *kargo = nullptr;
        QRadioButton *otobus = nullptr;
        for (QRadioButton *r : d->kargoItems()) {
            if (r->text() == QStringLiteral("Kargo"))
                kargo = r;
            if (r->text() == QStringLiteral("Otobüs"))
                otobus = r;
        }
        QVERIFY(kargo && otobus);
        kargo->click();
        QVERIFY(d->kargocombo()->count() > 2);
        QCOMPARE(d->kargocombo()->currentIndex(), 0);
        QVERIFY(d->uyarikargo()->text().isEmpty());
        QTest::mouseClick(d->Button1(), Qt::LeftButton);   // no company
        // A cargo type with one company: chosen at once, with its notice.
        otobus->click();
        QCOMPARE(d->kargocombo()->count(), 2);
        QCOMPARE(d->kargocombo()->currentIndex(), 1);
        QVERIFY(!d->uyarikargo()->text().isEmpty());
        // Without a delivery type.
        uncheck(d->teslimItems().at(1));
        QTest::mouseClick(d->Button1(), Qt::LeftButton);
        QVERIFY(d->isVisible());
        for (const ShownMessage &m : std::as_const(m_messages))
            shown << m.text;
        QTest::mouseClick(d->Button2(), Qt::LeftButton);   // "Hayır"
    });
    QCOMPARE(m_confirmations, 1);
    QCOMPARE(shown, (QStringList{"Lütfen Kargo Türünü Seçiniz !", "Lütfen Kargo  Seçiniz !",
                                 "Lütfen Teslim Durumu Seçiniz !"}));
    QCOMPARE(m_messages.size(), 3);
    load();
    QCOMPARE(sepet().rowCount(), lines);
}

void tst_Basket::orderSentAndBasketReloaded()
{
    load();
    m_basket->Button5Click();
    QVERIFY(sepet().rowCount() >= 3);
    const int first = int(num(sepet(), 0, "SIRANO"));
    const int second = int(num(sepet(), 1, "SIRANO"));
    m_basket->setLineSelection(first, 1);
    m_basket->setLineSelection(second, 1);
    const int lines = sepet().rowCount();

    QString company;
    QString delivery;
    confirm([&](TONAYSIP *d) {
        d->teslimItems().first()->click();
        delivery = d->teslimItems().first()->text();
        for (QRadioButton *r : d->kargoItems()) {
            if (r->text() == QStringLiteral("Kargo"))
                r->click();
        }
        d->kargocombo()->setCurrentIndex(2);
        company = d->kargocombo()->currentText();
        d->aciklamagir()->setPlainText(QStringLiteral("Öğleden önce teslim lütfen."));
        QTest::mouseClick(d->Button1(), Qt::LeftButton);
    });
    QCOMPARE(m_confirmations, 1);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, QStringLiteral("Siparişiniz Gönderildi !"));
    QCOMPARE(m_messages.first().type, mtInformation);

    // The basket was reloaded: the two ordered lines are gone, the others stayed.
    QCOMPARE(sepet().rowCount(), lines - 2);
    QCOMPARE(rowOf(first), -1);
    QCOMPARE(rowOf(second), -1);
    QCOMPARE(m_shell->tabCaption(TabPage::Sepet), QStringLiteral("%1=Sepet").arg(lines - 2));

    // The newest order carries what was chosen in the dialog.
    DataSet orders;
    RemoteCall::run(m_server.bagc(), nullptr, 0, [&](TServerMethods1Client &c, TSonucBilgisi *) {
        c.OncekiSiparisler(m_shell->session().CARINO(), &orders);
    }, RemoteCall::Use::Clone);
    const int order = [&] {
        const int note = orders.fieldIndex(QStringLiteral("VERENINNOTU"));
        for (int r = 0; r < orders.rowCount(); ++r) {
            if (orders.displayText(r, note) == QStringLiteral("Öğleden önce teslim lütfen."))
                return r;
        }
        return -1;
    }();
    QVERIFY(order >= 0);
    QCOMPARE(orders.displayText(order, orders.fieldIndex(QStringLiteral("KARGO"))),
             QStringLiteral("Kargo"));
    QCOMPARE(orders.displayText(order, orders.fieldIndex(QStringLiteral("KARGOADI"))), company);
    QCOMPARE(orders.displayText(order, orders.fieldIndex(QStringLiteral("TESLIM"))), delivery);
}

void tst_Basket::deleteAllThenNothingToAsk()
{
    load();
    QVERIFY(sepet().rowCount() > 0);
    m_answer = [](const ShownMessage &m) {
        return int(m.type == mtConfirmation ? mrYes : mrOk);
    };
    m_basket->HepsiniSil1Click();
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages.last().text, QStringLiteral("Sepet Silindi !"));
    QCOMPARE(sepet().rowCount(), 0);
    QCOMPARE(m_basket->geneltoplaml()->text(), QStringLiteral("0,00"));

    m_messages.clear();
    m_basket->HepsiniSil1Click();
    m_basket->Button4Click();
    QVERIFY(m_messages.isEmpty());
}

QTEST_MAIN(tst_Basket)
#include "tst_basket.moc"
