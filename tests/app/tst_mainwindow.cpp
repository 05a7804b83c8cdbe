// SPDX-License-Identifier: LicenseRef-Mervak
// The main window without a server: layout, user-type adjustments, the exit question, the
// search edit and the hand-over of tab captions from a worker.
#include "await.h"
#include "baglantiu.h"
#include "busyindicator.h"
#include "connectcheck.h"
#include "deploysettings.h"
#include "dataset.h"
#include "endprocess.h"
#include "messagedialog.h"
#include "pagecontrol.h"
#include "tform1.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>

using namespace Mervak;

class tst_MainWindow : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the default browser.
    void openUrl(const QUrl &url) { m_opened << url; }

private slots:
    void init();
    void cleanup();

    void layoutAsDesigned();
    void userType_data();
    void userType();
    void exitQuestion_data();
    void exitQuestion();
    void searchEditUpperCases_data();
    void searchEditUpperCases();
    void headerLabels();
    void tabCaptionFromWorker();
    void changeOfCustomerResetsStockList();
    void webSiteEntry();

private:
    QList<ShownMessage> m_messages;
    int m_answer = mrNo;
    QList<int> m_exitCodes;
    QList<QUrl> m_opened;
};

void tst_MainWindow::init()
{
    m_messages.clear();
    m_exitCodes.clear();
    m_answer = mrNo;
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        return m_answer;
    });
    setEndProcessHook([this](int code) { m_exitCodes << code; });
    // Pages load when their tab is shown; without a server those loads fail at once.
    Testing::setConnectCheckTiming(1, 0);
}

void tst_MainWindow::cleanup()
{
    // A load still running hands its messages to this thread: keep serving them meanwhile.
    while (!BackgroundPool()->waitForDone(10))
        QCoreApplication::processEvents();
    setMessageDialogHook({});
    setEndProcessHook({});
    Testing::resetConnectCheckTiming();
}

void tst_MainWindow::layoutAsDesigned()
{
    TForm1 form;
    PageControl *tabs = form.pageControl();
    const QStringList names = {"sstoklistesi", "ssepet", "sonceki", "sccariekstre", "syeniler",
                               "skampanyali", "sTabSheetduyuru", "sTabbakiyeler", "ss"};
    const QStringList captions = {"Stok Listesi", "Sepet", "Önceki Siparişler", "Cari Ekstre",
                                  "Yeni Stoklar", "Kampanyalı Stoklar", "Duyurular",
                                  "Bakiyeler", "Sanal Pos"};
    QCOMPARE(tabs->count(), 9);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(tabs->page(i)->objectName(), names.at(i));
        QCOMPARE(tabs->caption(i), captions.at(i));
        QVERIFY(!tabs->picture(i).isNull());
        QCOMPARE(tabs->isTabVisible(i), i != 8);   // "Sanal Pos" is there, its tab hidden
    }
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabSize(), QSize(120, 45));

    // The busy indicators in their order, all hidden.
    const QStringList gifs = {"gifstokara", "gifyeniler", "gifkampanyali", "gifduyuru",
                              "gifoncekiler", "gifsepet", "gifekstre"};
    for (int i = 0; i < 7; ++i) {
        BusyIndicator *gif = form.busyIndicator(BusyGif(i));
        QCOMPARE(gif->objectName(), gifs.at(i));
        QVERIFY(gif->isHidden());
    }
    // The data sets of the data-bound pages, kept apart from their grids.
    QCOMPARE(form.dataSet(TabPage::StokListesi)->objectName(), QStringLiteral("stok"));
    QCOMPARE(form.dataSet(TabPage::Sepet)->objectName(), QStringLiteral("sepet"));
    QCOMPARE(form.dataSet(TabPage::Kampanyali)->objectName(), QStringLiteral("kampstok"));
    QVERIFY(!form.dataSet(TabPage::Duyurular));

    QMenu *menu = form.Genelmenu();
    QStringList entries;
    for (QAction *a : menu->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, (QStringList{"Mail Gönder", "-", "Şifre Değiştirme İsteği", "-",
                                   Deployment().webSite, "-",
                                   "Çıkış", "-", "Raporlar"}));
    QCOMPARE(form.Button3()->menu(), menu);
    QVERIFY(!form.raporlarAction()->isVisible());
    QVERIFY(form.musteritus()->isHidden());
    QCOMPARE(form.upperBanner()->height(), 0);
}

void tst_MainWindow::userType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("representative");
    QTest::addColumn<bool>("campaignTab");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    const QStringList repColumns = {
        "cxGrid1DBTableView1KALAN", "cxGridDBColumnKALAN", "cxGridDBTableView1KALAN",
        "cxGridDBColumn19", "cxGrid1DBTableView1ALINANSIPARIS",
        "cxGrid1DBTableView1VERILENSIPARIS", "cxGridDBColumn22", "cxGridDBColumn23",
        "cxGridDBColumn49", "cxGridDBColumn50"};
    QTest::newRow("1 representative") << 1 << true << true << repColumns << QStringList();
    QTest::newRow("2 representative") << 2 << true << true << repColumns << QStringList();
    QTest::newRow("3 no status") << 3 << false << true << QStringList()
                                 << QStringList{"cxGridDBTableView1DURUM"};
    QTest::newRow("4 no campaigns")
        << 4 << false << false << QStringList()
        << QStringList{"cxGrid1DBTableView1KAMPFIYAT", "cxGrid1DBTableView1K",
                       "cxGridDBTableView5KAMPFIYAT", "cxGridDBTableView5K"};
    QTest::newRow("0 as designed") << 0 << false << true << QStringList() << QStringList();
    QTest::newRow("7 as designed") << 7 << false << true << QStringList() << QStringList();
}

void tst_MainWindow::userType()
{
    QFETCH(int, type);
    QFETCH(bool, representative);
    QFETCH(bool, campaignTab);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);

    TForm1 form;
    form.sbilgi().setMusteriTipi(type);
    form.ApplyUserType();
    QCOMPARE(!form.musteritus()->isHidden(), representative);
    QCOMPARE(form.raporlarAction()->isVisible(), representative);
    QCOMPARE(form.pageControl()->isTabVisible(int(TabPage::Kampanyali)), campaignTab);

    const auto switches = form.columnSwitches();
    QCOMPARE(switches.size(), shown.size() + hidden.size());
    for (const QString &name : shown) {
        QVERIFY2(switches.contains(name), qPrintable(name));
        QVERIFY(switches.value(name).visible && switches.value(name).inChooser);
    }
    for (const QString &name : hidden) {
        QVERIFY2(switches.contains(name), qPrintable(name));
        QVERIFY(!switches.value(name).visible && !switches.value(name).inChooser);
    }
}

void tst_MainWindow::exitQuestion_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("answer");
    QTest::newRow("close box, No") << QStringLiteral("close") << int(mrNo);
    QTest::newRow("close box, Yes") << QStringLiteral("close") << int(mrYes);
    QTest::newRow("menu Çıkış, No") << QStringLiteral("menu") << int(mrNo);
    QTest::newRow("menu Çıkış, Yes") << QStringLiteral("menu") << int(mrYes);
}

// Every way of closing asks; only Yes ends the program (with code 0), No leaves it as it was.
void tst_MainWindow::exitQuestion()
{
    QFETCH(QString, way);
    QFETCH(int, answer);
    m_answer = answer;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (way == QLatin1String("menu")) {
        QAction *exit = form.Genelmenu()->findChild<QAction *>(QStringLiteral("Cikis1"));
        QVERIFY(exit);
        exit->trigger();
    } else {
        form.close();
    }
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().text, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
    QCOMPARE(m_messages.first().type, mtConfirmation);
    QCOMPARE(m_messages.first().buttons, mbYesNo);
    QCOMPARE(m_messages.first().defaultButton, mbYes);
    if (answer == mrYes) {
        QCOMPARE(m_exitCodes, QList<int>{0});
    } else {
        QVERIFY(m_exitCodes.isEmpty());
        QVERIFY(form.isVisible());
    }
}

void tst_MainWindow::searchEditUpperCases_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");
    QTest::newRow("latin") << QStringLiteral("fren balata") << QStringLiteral("FREN BALATA");
    QTest::newRow("turkish letters folded") << QStringLiteral("çağrı") << QStringLiteral("CAGRI");
    QTest::newRow("digits and signs") << QStringLiteral("12-345/a") << QStringLiteral("12-345/A");
}

void tst_MainWindow::searchEditUpperCases()
{
    QFETCH(QString, typed);
    QFETCH(QString, held);
    TForm1 form;
    form.show();
    QLineEdit *edit = form.searchEdit();
    edit->setFocus();
    // One key at a time, with the key's text, as a keyboard would (also Turkish letters).
    for (const QChar ch : typed)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QCOMPARE(edit->text(), held);
}

void tst_MainWindow::headerLabels()
{
    TForm1 form;
    TSonucBilgisi &s = form.sbilgi();
    s.setADI(QStringLiteral("DEMO"));
    s.setCariAdi(QStringLiteral("DEMO OTOMOTİV LTD."));
    s.setSaticiAdi(QStringLiteral("Ayşe Kaya"));
    s.setSaticiTelefon(QStringLiteral("0 (532) 555 00 11"));
    s.setSaticiMail(QStringLiteral("ayse@mervak.com.tr"));
    form.AnaBilgiAl();
    QCOMPARE(form.kullanicilbl()->text(), QStringLiteral("DEMO"));
    QCOMPARE(form.cariadilbl()->text(), QStringLiteral("DEMO OTOMOTİV LTD."));
    QCOMPARE(form.saticilbl()->text(),
             QStringLiteral("Ayşe Kaya Telefonu: 0 (532) 555 00 11 email: ayse@mervak.com.tr"));
}

// Counts set by a load on a worker reach the tab through the user-interface thread.
void tst_MainWindow::tabCaptionFromWorker()
{
    TForm1 form;
    bool done = false;
    QString seenByWorker;
    BeginAsync([&] {
        form.setTabCaption(TabPage::YeniStoklar, QStringLiteral("25=Yeni Stoklar"));
        seenByWorker = form.pageControl()->caption(int(TabPage::YeniStoklar));
    })->Await([&] { done = true; });
    QTRY_VERIFY(done);
    QCOMPARE(seenByWorker, QStringLiteral("25=Yeni Stoklar"));
}

void tst_MainWindow::changeOfCustomerResetsStockList()
{
    TForm1 form;
    form.sbilgi().setMusteriTipi(1);
    form.sbilgi().setADI(QStringLiteral("TEMSILCI"));
    form.sbilgi().setCariAdi(QStringLiteral("İKİNCİ BAYİ"));
    form.ApplyUserType();
    form.show();
    DataSet *stok = form.dataSet(TabPage::StokListesi);
    stok->addField(QStringLiteral("STOK_KODU"), FieldType::String);
    stok->open();
    stok->setString(stok->appendRow(), 0, QStringLiteral("ABC"));
    form.pageControl()->setCaption(int(TabPage::StokListesi), QStringLiteral("1=Stok Listesi"));
    form.pageControl()->setCurrentIndex(int(TabPage::Sepet));

    QTest::mouseClick(form.musteritus(), Qt::LeftButton);
    QCOMPARE(stok->rowCount(), 0);
    QCOMPARE(form.pageControl()->caption(int(TabPage::StokListesi)),
             QStringLiteral("0=Stok Listesi"));
    QCOMPARE(form.pageControl()->currentIndex(), int(TabPage::StokListesi));
    QCOMPARE(form.cariadilbl()->text(), QStringLiteral("İKİNCİ BAYİ"));
}

// The web-site entry carries the distributor's address and opens its home page in the
// user's browser; the search edit has the focus again afterwards.
void tst_MainWindow::webSiteEntry()
{
    DeploySettings s = DeploySettings::builtIn();
    s.webSite = QStringLiteral("www.ornek-dagitici.com.tr");
    setDeployment(s);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Button3()->setFocus();
    QVERIFY(QApplication::focusWidget() != form.searchEdit());
    QCOMPARE(form.webSiteAction()->text(), QStringLiteral("www.ornek-dagitici.com.tr"));
    form.webSiteAction()->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    setDeployment(DeploySettings::builtIn());
    QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("http://www.ornek-dagitici.com.tr"))});
    QCOMPARE(QApplication::focusWidget(), form.searchEdit());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
