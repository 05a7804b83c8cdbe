// SPDX-License-Identifier: LicenseRef-Mervak
// The small parts of the shell: INI files, deployment settings, the exit routine and the
// tab painter's caption rules.
#include "deploysettings.h"
#include "endprocess.h"
#include "inifile.h"
#include "pagecontrol.h"
#include "ttabcolorcontrolstylehook.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Mervak;

class tst_ShellParts : public QObject
{
    Q_OBJECT

private slots:
    void iniKeepsKeysAsWrittenInUtf8();
    void iniUpdatesInPlace();
    void iniBoolValues_data();
    void iniBoolValues();

    void deploymentLayers();
    void deploymentArguments_data();
    void deploymentArguments();

    void endProcessUnderHook();

    void tabCaption_data();
    void tabCaption();
    void tabCountDrawnInRedOnlyWhenAboveZero_data();
    void tabCountDrawnInRedOnlyWhenAboveZero();
    void pageControlHiddenTabAndShowHide();
};

// "ayar.ini" must stay readable by any INI reader: the key "hatırla" is written as is, in
// UTF-8, not percent-encoded as QSettings would.
void tst_ShellParts::iniKeepsKeysAsWrittenInUtf8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ayar.ini"));
    IniFile ini(path);
    ini.setValue(QStringLiteral("kullanici"), QStringLiteral("isim"), QStringLiteral("DEMO"));
    ini.setValue(QStringLiteral("kullanici"), QStringLiteral("sifre"), QStringLiteral("ŞİFRE1"));
    ini.setValue(QStringLiteral("kullanici"), QStringLiteral("hatırla"), QStringLiteral("1"));
    QVERIFY(ini.save());

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()),
             QStringLiteral("[kullanici]\r\nisim=DEMO\r\nsifre=ŞİFRE1\r\nhatırla=1\r\n"));

    IniFile again(path);
    QVERIFY(again.load());
    QCOMPARE(again.value(QStringLiteral("KULLANICI"), QStringLiteral("sifre")),
             QStringLiteral("ŞİFRE1"));
    QVERIFY(again.boolValue(QStringLiteral("kullanici"), QStringLiteral("hatırla"), false));
}

void tst_ShellParts::iniUpdatesInPlace()
{
    IniFile ini;
    ini.parse(QStringLiteral("; kendi notum\n[diger]\na = 1\n\n[kullanici]\nisim=ESKI\n"
                             "[son]\nb=2\n"));
    ini.setValue(QStringLiteral("kullanici"), QStringLiteral("isim"), QStringLiteral("YENI"));
    ini.setValue(QStringLiteral("kullanici"), QStringLiteral("hatırla"), QStringLiteral("0"));
    QCOMPARE(ini.text(),
             QStringLiteral("; kendi notum\r\n[diger]\r\na=1\r\n\r\n[kullanici]\r\nisim=YENI\r\n"
                            "hatırla=0\r\n[son]\r\nb=2\r\n"));
    QCOMPARE(ini.value(QStringLiteral("son"), QStringLiteral("B")), QStringLiteral("2"));
    QVERIFY(!ini.contains(QStringLiteral("son"), QStringLiteral("isim")));
}

void tst_ShellParts::iniBoolValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("one") << QStringLiteral("k=1") << true;
    QTest::newRow("zero") << QStringLiteral("k=0") << false;
    QTest::newRow("true") << QStringLiteral("k=True") << true;
    QTest::newRow("empty") << QStringLiteral("k=") << false;
    QTest::newRow("missing: default") << QStringLiteral("x=0") << true;
    QTest::newRow("garbage: default") << QStringLiteral("k=evet mi") << true;
}

void tst_ShellParts::iniBoolValues()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    IniFile ini;
    ini.parse(QStringLiteral("[s]\n") + text);
    QCOMPARE(ini.boolValue(QStringLiteral("s"), QStringLiteral("k"), true), expected);
}

void tst_ShellParts::deploymentLayers()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dagitim.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[dagitim]\nserver=10.1.2.3:9191\nweb-base=http://10.1.2.3:8080\n"
            "ip-attempts=zero\n");
    f.close();

    DeploySettings s;
    QString error;
    QString help;
    QVERIFY(LoadDeployment({QStringLiteral("mervak-b2b"), QStringLiteral("--config"), file,
                            QStringLiteral("--port"), QStringLiteral("9292")},
                           &s, &error, &help));
    QCOMPARE(s.serverHost, QStringLiteral("10.1.2.3"));
    QCOMPARE(s.serverPort, 9292);   // the command line wins over the file
    QCOMPARE(s.webBase, QStringLiteral("http://10.1.2.3:8080/"));
    // A bad entry of the file keeps the built-in value; the others still count.
    QCOMPARE(s.ipAttempts, DeploySettings::builtIn().ipAttempts);
    QCOMPARE(s.downloadHost, DeploySettings::builtIn().downloadHost);

    QVERIFY(!LoadDeployment({QStringLiteral("mervak-b2b"), QStringLiteral("--config"),
                             dir.filePath(QStringLiteral("yok.ini"))},
                            &s, &error, &help));
    QVERIFY(!error.isEmpty());
}

void tst_ShellParts::deploymentArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("webBase");
    QTest::addColumn<QString>("ipService");
    const DeploySettings b = DeploySettings::builtIn();
    QTest::newRow("none") << QStringList{} << true << b.serverHost << 9090 << b.webBase
                          << b.ipService;
    QTest::newRow("host and port")
        << QStringList{QStringLiteral("--server"), QStringLiteral("127.0.0.1:45001")} << true
        << QStringLiteral("127.0.0.1") << 45001 << b.webBase << b.ipService;
    QTest::newRow("host only keeps the port")
        << QStringList{QStringLiteral("--server=sunucu.local")} << true
        << QStringLiteral("sunucu.local") << 9090 << b.webBase << b.ipService;
    QTest::newRow("web base gets its slash, services lose theirs")
        << QStringList{QStringLiteral("--web-base"), QStringLiteral("http://127.0.0.1:8080"),
                       QStringLiteral("--ip-service"), QStringLiteral("http://127.0.0.1:8080/")}
        << true << b.serverHost << 9090 << QStringLiteral("http://127.0.0.1:8080/")
        << QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("bad port")
        << QStringList{QStringLiteral("--port"), QStringLiteral("70000")} << false
        << QString() << 0 << QString() << QString();
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--sunucu"), QStringLiteral("x")} << false << QString()
        << 0 << QString() << QString();
}

void tst_ShellParts::deploymentArguments()
{
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    DeploySettings s = DeploySettings::builtIn();
    QString error;
    QString help;
    args.prepend(QStringLiteral("mervak-b2b"));
    QCOMPARE(s.applyArguments(args, &error, &help), ok);
    if (!ok) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QTEST(s.serverHost, "host");
    QTEST(s.serverPort, "port");
    QTEST(s.webBase, "webBase");
    QTEST(s.ipService, "ipService");
}

void tst_ShellParts::endProcessUnderHook()
{
    QList<int> codes;
    setEndProcessHook([&](int code) { codes << code; });
    EndProcess(0);
    EndProcess(3);
    setEndProcessHook({});
    QCOMPARE(codes, (QList<int>{0, 3}));
}

void tst_ShellParts::tabCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("countText");
    QTest::newRow("plain title") << QStringLiteral("Cari Ekstre") << QStringLiteral("Cari Ekstre")
                                 << QString();
    QTest::newRow("count") << QStringLiteral("12=Sepet") << QStringLiteral("Sepet")
                           << QStringLiteral("(12)");
    QTest::newRow("count zero") << QStringLiteral("0=Stok Listesi")
                                << QStringLiteral("Stok Listesi") << QString();
    QTest::newRow("fraction") << QStringLiteral("2.5=Bakiyeler") << QStringLiteral("Bakiyeler")
                              << QString();
    QTest::newRow("not a number") << QStringLiteral("on=Duyurular")
                                  << QStringLiteral("Duyurular") << QString();
    QTest::newRow("title keeps a second equals sign")
        << QStringLiteral("3=A=B") << QStringLiteral("A=B") << QStringLiteral("(3)");
}

void tst_ShellParts::tabCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QString, countText);
    const QRect tab(0, 0, 120, 45);
    const auto l = TTabColorControlStyleHook::layout(tab, caption, QSize(32, 32));
    QCOMPARE(l.title, title);
    QCOMPARE(l.countText, countText);
    // The picture 3 pixels in, centred; the title right of it, 5 pixels off top and bottom.
    QCOMPARE(l.pictureRect, QRect(3, 6, 32, 32));
    QCOMPARE(l.titleRect, QRect(35, 5, 85, 35));
    if (!countText.isEmpty())
        QCOMPARE(l.countRect, QRect(37, 2, 81, 41));
}

static int redPixels(const QImage &img, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                ++n;
        }
    }
    return n;
}

void tst_ShellParts::tabCountDrawnInRedOnlyWhenAboveZero_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("red");
    QTest::newRow("count") << QStringLiteral("7=Sepet") << true;
    QTest::newRow("zero") << QStringLiteral("0=Sepet") << false;
    QTest::newRow("none") << QStringLiteral("Sepet") << false;
    QTest::newRow("fraction") << QStringLiteral("7.25=Sepet") << false;
}

void tst_ShellParts::tabCountDrawnInRedOnlyWhenAboveZero()
{
    QFETCH(QString, caption);
    QFETCH(bool, red);
    QImage img(120, 45, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    TTabColorControlStyleHook::paint(p, img.rect(), caption, QPixmap(),
                                     TTabColorControlStyleHook::Normal, font);
    p.end();
    // The count sits at the top right; the left part never carries red.
    const int topRight = redPixels(img, QRect(60, 0, 60, 22));
    QCOMPARE(topRight > 0, red);
    QCOMPARE(redPixels(img, QRect(0, 0, 40, 45)), 0);
}

void tst_ShellParts::pageControlHiddenTabAndShowHide()
{
    PageControl pc;
    pc.resize(300, 400);
    QWidget a, b, c;
    pc.addPage(&a, QStringLiteral("A"));
    pc.addPage(&b, QStringLiteral("B"));
    pc.addPage(&c, QStringLiteral("C"));
    pc.setTabVisible(1, false);
    QSignalSpy shown(&pc, &PageControl::pageShown);
    QSignalSpy hidden(&pc, &PageControl::pageHidden);
    pc.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pc));

    // Two tabs of 120 fit a row of 300: the hidden one takes no place, so C is second.
    QVERIFY(pc.tabBar()->tabRect(1).isEmpty());
    QCOMPARE(pc.tabBar()->tabRect(2).top(), pc.tabBar()->tabRect(0).top());
    QTest::mouseClick(pc.tabBar(), Qt::LeftButton, {}, pc.tabBar()->tabRect(2).center());
    QCOMPARE(pc.currentIndex(), 2);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().first().toInt(), 2);
    QCOMPARE(hidden.first().first().toInt(), 0);

    // Narrower than two tabs: one tab per row.
    pc.resize(200, 400);
    QTRY_VERIFY(pc.tabBar()->tabRect(2).top() > pc.tabBar()->tabRect(0).top());
}

QTEST_MAIN(tst_ShellParts)
#include "tst_shellparts.moc"
