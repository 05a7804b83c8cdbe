// SPDX-License-Identifier: LicenseRef-Mervak
// The login against the reference server: remembered entries, the checks in their order,
// the unknown computer, the self-update, an unreachable server or address service, and the
// main window after a demo login.
#include "await.h"
#include "baglantiu.h"
#include "connectcheck.h"
#include "datagrid.h"
#include "dataset.h"
#include "deploysettings.h"
#include "endprocess.h"
#include "inifile.h"
#include "messagedialog.h"
#include "remotecall.h"
#include "serverconnection.h"
#include "sharedsettings.h"
#include "tabload.h"
#include "tdosyaindir.h"
#include "testserver.h"
#include "tform1.h"
#include "tformistekyeni.h"
#include "tgirisform.h"
#include "webbrowser.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Mervak;

namespace {
const QString WrongLogin = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");
}

class tst_Login : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the default browser.
    void openUrl(const QUrl &url) { m_opened << url; }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void firstStartWithoutSettings();
    void rememberedOrNot_data();
    void rememberedOrNot();
    void refused_data();
    void refused();
    void enterKeys();
    void cancelEndsProgram();
    void representativeAcceptsSessionCustomer();
    void unknownComputer_data();
    void unknownComputer();
    void otherServerVersionDownloadsUpdate();
    void unreachableServer();
    void unreachableAddressService();
    void mainWindowAfterDemoLogin();
    void tabLoadFromServer();

private:
    struct Outcome
    {
        bool accepted = false;
        bool ended = false;
    };
    void useServer(const TestServer &server);
    void useComputer(const QString &id) { qputenv("MERVAK_COMPUTER_ID", id.toUtf8()); }
    static void type(QLineEdit *edit, const QString &text);
    // Types the name and password, ticks the box as asked and presses "Giriş"; waits until
    // the dialog ended or came back to idle.
    Outcome login(Tgirisform &dialog, const QString &name, const QString &password,
                  bool remember = true);
    QStringList texts() const;

    QTemporaryDir m_dir;
    QString m_db;
    TestServer m_demo;          // demo mode: every demo user, unknown computers registered
    TestServer m_plain;         // not in demo mode: unknown computers stay unknown
    TestServer m_newVersion;    // ships version 3
    ServerConnection m_bagc;
    TSonucBilgisi m_sbilgi;
    QList<ShownMessage> m_messages;
    QList<int> m_exitCodes;
    QList<QUrl> m_opened;
    QStringList m_started;
};

void tst_Login::initTestCase()
{
    QVERIFY(m_dir.isValid());
#ifdef Q_OS_UNIX
    // Where Qt WebEngine is installed, its browser process refuses to run as root unless
    // told not to use its sandbox (test machines run the suite as root).
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
    m_db = m_dir.filePath(QStringLiteral("sunucu.db"));
    QString out;
    QVERIFY2(m_demo.admin(m_db, {QStringLiteral("demo-generate")}, &out), qPrintable(out));
    // An inactive user and one whose stored name has lower-case letters.
    for (const QStringList &args : {
             QStringList{"user-add", "--name", "PASIF", "--password", "PASIF", "--type", "0",
                         "--carino", "1001"},
             QStringList{"computer-add", "TEST-PASIF", "PASIF"},
             QStringList{"user-deactivate", "PASIF"},
             QStringList{"user-add", "--name", "Kucuk", "--password", "KUCUK", "--type", "0",
                         "--carino", "1001"},
             QStringList{"computer-add", "TEST-KUCUK", "Kucuk"}}) {
        QVERIFY2(m_demo.admin(m_db, args, &out), qPrintable(out));
    }
    QVERIFY2(m_demo.start(m_db, {QStringLiteral("--demo")}), qPrintable(m_demo.log()));
    QVERIFY2(m_plain.start(m_db), qPrintable(m_plain.log()));
    QVERIFY2(m_newVersion.start(m_db, {QStringLiteral("--client-version"), QStringLiteral("3")}),
             qPrintable(m_newVersion.log()));
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    Testing::setConnectCheckTiming(3, 20);
}

void tst_Login::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    Testing::resetConnectCheckTiming();
}

void tst_Login::init()
{
    QFile::remove(Tgirisform::settingsPath());
    m_messages.clear();
    m_exitCodes.clear();
    m_opened.clear();
    m_started.clear();
    m_sbilgi = TSonucBilgisi();
    setServerHost(QString());
    setWebBase(QString());
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        return int(mrOk);
    });
    setEndProcessHook([this](int code) { m_exitCodes << code; });
    Tdosyaindir::setStarter([this](const QString &program, const QStringList &args) {
        m_started << program << args;
        return true;
    });
    useServer(m_demo);
    useComputer(QStringLiteral("DEMO-TIP0"));
}

void tst_Login::cleanup()
{
    setMessageDialogHook({});
    setEndProcessHook({});
    Tdosyaindir::setStarter({});
    BackgroundPool()->waitForDone();
}

void tst_Login::useServer(const TestServer &server)
{
    DeploySettings s = DeploySettings::builtIn();
    s.serverHost = QStringLiteral("127.0.0.1");
    s.serverPort = server.port();
    s.ipService = server.httpBase();
    s.ipAttempts = 2;
    s.ipRetryPauseMs = 50;
    s.downloadHost = server.httpBase();
    s.webBase = server.httpBase() + QLatin1Char('/');
    s.webBaseLan = server.httpBase() + QStringLiteral("/ic/");
    setDeployment(s);
    m_bagc.Port = QString::number(server.port());
}

void tst_Login::type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

tst_Login::Outcome tst_Login::login(Tgirisform &dialog, const QString &name,
                                   const QString &password, bool remember)
{
    dialog.setBagim(&m_bagc);
    dialog.setBilgim(&m_sbilgi);
    dialog.show();
    type(dialog.adi(), name);
    type(dialog.sifre(), password);
    dialog.benihatirla()->setChecked(remember);
    const int before = m_messages.size();
    QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
    // Idle again means: a message came and "Giriş" can be pressed again.
    const bool settled = QTest::qWaitFor([&] {
        return !dialog.isVisible() || !m_exitCodes.isEmpty()
               || (m_messages.size() > before && dialog.Button1()->isEnabled());
    }, 60000);
    if (!settled)
        qWarning("the login neither ended nor came back to idle");
    Outcome o;
    o.accepted = dialog.result() == QDialog::Accepted && !dialog.isVisible();
    o.ended = !m_exitCodes.isEmpty();
    return o;
}

QStringList tst_Login::texts() const
{
    QStringList out;
    for (const ShownMessage &m : m_messages)
        out << m.text;
    return out;
}

// The first start: nothing remembered, the box ticked; a good login writes the upper-cased
// entries that the next start reads.
void tst_Login::firstStartWithoutSettings()
{
    Tgirisform dialog;
    QVERIFY(!QFile::exists(Tgirisform::settingsPath()));
    QVERIFY(dialog.benihatirla()->isChecked());
    QVERIFY(dialog.adi()->text().isEmpty());
    QVERIFY(dialog.sifre()->text().isEmpty());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Giriş"));
    QCOMPARE(dialog.idsi, QStringLiteral("DEMO-TIP0"));

    const Outcome o = login(dialog, QStringLiteral("demo"), QStringLiteral("demo"));
    QVERIFY2(o.accepted, qPrintable(texts().join(QLatin1Char('|'))));
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(dialog.Button1()->text(), QStringLiteral("Giriş!"));
    QCOMPARE(m_sbilgi.ADI(), QStringLiteral("DEMO"));
    QCOMPARE(m_sbilgi.Disip(), QStringLiteral("127.0.0.1"));
    QCOMPARE(m_sbilgi.BILGISAYARID(), QStringLiteral("DEMO-TIP0"));
    QVERIFY(!m_sbilgi.CariAdi().isEmpty());
    QCOMPARE(ServerHost(), QStringLiteral("127.0.0.1"));
    QCOMPARE(m_bagc.HostName, QStringLiteral("127.0.0.1"));

    QFile f(Tgirisform::settingsPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()),
             QStringLiteral("[kullanici]\r\nisim=DEMO\r\nsifre=DEMO\r\nhatırla=1\r\n"));
}

void tst_Login::rememberedOrNot_data()
{
    QTest::addColumn<bool>("remember");
    QTest::newRow("remembered") << true;
    QTest::newRow("not remembered") << false;
}

// The entries are written whatever the box says; the box decides whether the next start
// fills them in.
void tst_Login::rememberedOrNot()
{
    QFETCH(bool, remember);
    {
        Tgirisform dialog;
        QVERIFY(login(dialog, QStringLiteral("DEMO"), QStringLiteral("DEMO"), remember).accepted);
    }
    IniFile ini(Tgirisform::settingsPath());
    QVERIFY(ini.load());
    QCOMPARE(ini.value(QStringLiteral("kullanici"), QStringLiteral("isim")), QStringLiteral("DEMO"));
    QCOMPARE(ini.value(QStringLiteral("kullanici"), QStringLiteral("sifre")), QStringLiteral("DEMO"));
    QCOMPARE(ini.value(QStringLiteral("kullanici"), QStringLiteral("hatırla")),
             remember ? QStringLiteral("1") : QStringLiteral("0"));

    Tgirisform next;
    QCOMPARE(next.benihatirla()->isChecked(), remember);
    QCOMPARE(next.adi()->text(), remember ? QStringLiteral("DEMO") : QString());
    QCOMPARE(next.sifre()->text(), remember ? QStringLiteral("DEMO") : QString());
}

void tst_Login::refused_data()
{
    QTest::addColumn<QString>("computer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("settingsWritten");
    QTest::newRow("wrong password") << "DEMO-TIP0" << "DEMO" << "YANLIS" << false;
    QTest::newRow("empty fields go to the server") << "DEMO-TIP0" << "" << "" << false;
    // Name and password match, so the entries are saved; the user may not work all the same.
    QTest::newRow("inactive user") << "TEST-PASIF" << "PASIF" << "PASIF" << true;
    // Both edits upper-case what is typed: a stored name with lower-case letters never matches.
    QTest::newRow("lower-case name on the server") << "TEST-KUCUK" << "Kucuk" << "KUCUK" << false;
}

void tst_Login::refused()
{
    QFETCH(QString, computer);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(bool, settingsWritten);
    useComputer(computer);
    Tgirisform dialog;
    const Outcome o = login(dialog, name, password);
    QVERIFY(!o.accepted);
    QVERIFY(!o.ended);
    QVERIFY(dialog.isVisible());
    QCOMPARE(texts(), QStringList{WrongLogin});
    QCOMPARE(m_messages.first().type, mtWarning);
    QVERIFY(dialog.Button1()->isEnabled());
    QCOMPARE(dialog.Button1()->text(), QStringLiteral("Giriş!"));
    QCOMPARE(QApplication::focusWidget(), dialog.adi());
    QCOMPARE(QFile::exists(Tgirisform::settingsPath()), settingsWritten);
}

void tst_Login::enterKeys()
{
    Tgirisform dialog;
    dialog.setBagim(&m_bagc);
    dialog.setBilgim(&m_sbilgi);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.adi());

    QTest::keyClick(dialog.adi(), Qt::Key_Return);
    QCOMPARE(texts(), QStringList{QStringLiteral("Lütfen kullanıcı adını giriniz !")});
    QCOMPARE(m_messages.last().type, mtWarning);
    QCOMPARE(QApplication::focusWidget(), dialog.adi());

    type(dialog.adi(), QStringLiteral("demo"));
    QCOMPARE(dialog.adi()->text(), QStringLiteral("DEMO"));
    QTest::keyClick(dialog.adi(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dialog.sifre());

    QTest::keyClick(dialog.sifre(), Qt::Key_Return);
    QCOMPARE(m_messages.last().text, QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
    QCOMPARE(QApplication::focusWidget(), dialog.sifre());
    QVERIFY(dialog.Button1()->isEnabled());

    // Enter in a filled password acts as "Giriş".
    type(dialog.sifre(), QStringLiteral("demo"));
    QTest::keyClick(dialog.sifre(), Qt::Key_Return);
    QCOMPARE(dialog.Button1()->text(), QStringLiteral("Bağlanıyor..."));
    QVERIFY(!dialog.Button1()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 30000);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_messages.size(), 2);
}

void tst_Login::cancelEndsProgram()
{
    Tgirisform dialog;
    dialog.show();
    QTest::mouseClick(dialog.Button2(), Qt::LeftButton);
    QCOMPARE(m_exitCodes, QList<int>{0});
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void tst_Login::representativeAcceptsSessionCustomer()
{
    useComputer(QStringLiteral("DEMO-TIP1"));
    Tgirisform dialog;
    QVERIFY(login(dialog, QStringLiteral("TEMSILCI"), QStringLiteral("TEMSILCI")).accepted);
    QCOMPARE(m_sbilgi.MusteriTipi(), 1);
    QVERIFY(m_sbilgi.CARINO() != 0);
    QVERIFY(m_exitCodes.isEmpty());
}

void tst_Login::unknownComputer_data()
{
    QTest::addColumn<bool>("insideNetwork");
    QTest::newRow("public address") << false;
    // The machine's public address is the distributor's own: the server and the request page
    // are reached by their addresses inside the network.
    QTest::newRow("inside the distributor's network") << true;
}

// A computer the server does not know gets the request page for its ID; closing it ends the
// program.
void tst_Login::unknownComputer()
{
    QFETCH(bool, insideNetwork);
    useServer(m_plain);
    if (insideNetwork) {
        DeploySettings s = Deployment();
        s.ownPublicIp = QStringLiteral("127.0.0.1");
        s.serverLanHost = QStringLiteral("127.0.0.1");
        s.serverHost = QStringLiteral("disaridaki-sunucu.invalid");
        setDeployment(s);
    }
    useComputer(QStringLiteral("YENI-PC-77"));

    QString title;
    QUrl shown;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto form = qobject_cast<Tformistekyeni *>(QApplication::activeModalWidget())) {
            title = form->windowTitle();
            shown = form->sitem()->url();
            QTest::mouseClick(form->Button1(), Qt::LeftButton);
        }
    });
    closer.start();
    Tgirisform dialog;
    const Outcome o = login(dialog, QStringLiteral("DEMO"), QStringLiteral("DEMO"));
    closer.stop();

    QVERIFY(!o.accepted);
    QCOMPARE(m_exitCodes, QList<int>{0});
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(title, QStringLiteral("Mervak B2B İstek Formu"));
    const QString base = insideNetwork ? Deployment().webBaseLan : Deployment().webBase;
    const QUrl expected(base + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=YENI-PC-77"),
                        QUrl::TolerantMode);
    QCOMPARE(shown, expected);
    QCOMPARE(shown.query(QUrl::FullyDecoded), QStringLiteral("carino=0&kullanici= &id=YENI-PC-77"));
    if (!WebBrowser::isEmbedded())
        QCOMPARE(m_opened, QList<QUrl>{expected});
    QCOMPARE(ServerHost(), QStringLiteral("127.0.0.1"));
}

// The server ships another version: the download dialog fetches the demo installer, starts
// it with "/silent" and the program ends.
void tst_Login::otherServerVersionDownloadsUpdate()
{
    useServer(m_newVersion);
    QString label;
    QTimer watcher;
    watcher.setInterval(5);
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (auto d = qobject_cast<Tdosyaindir *>(QApplication::activeModalWidget()))
            label = d->sLabel1()->text();
    });
    watcher.start();
    Tgirisform dialog;
    const Outcome o = login(dialog, QStringLiteral("DEMO"), QStringLiteral("DEMO"));
    watcher.stop();
    QVERIFY(!o.accepted);
    QCOMPARE(m_exitCodes, QList<int>{0});
    QVERIFY(label.endsWith(QStringLiteral("Version: 3-2")));
    QCOMPARE(m_started, (QStringList{Tdosyaindir::localFilePath(), QStringLiteral("/silent")}));
    QFile installer(Tdosyaindir::localFilePath());
    QVERIFY(installer.open(QIODevice::ReadOnly));
    QVERIFY(installer.readAll().startsWith("#!/bin/sh"));
    QVERIFY(m_messages.isEmpty());
}

// Nothing listens on the server's port: each attempt shows its error text, then the login
// says "Bağlantı Kurulamadı !" once (the connect-check itself stays silent) and waits.
void tst_Login::unreachableServer()
{
    DeploySettings s = Deployment();
    s.serverPort = unusedPort();
    setDeployment(s);
    m_bagc.Port = QString::number(s.serverPort);
    Tgirisform dialog;
    const Outcome o = login(dialog, QStringLiteral("DEMO"), QStringLiteral("DEMO"));
    QVERIFY(!o.accepted);
    QVERIFY(!o.ended);
    QCOMPARE(m_messages.size(), 4);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(m_messages.at(i).type, mtCustom);
        QVERIFY(!m_messages.at(i).text.isEmpty());
    }
    QCOMPARE(m_messages.last().text, QStringLiteral("Bağlantı Kurulamadı !"));
    QCOMPARE(m_messages.last().type, mtError);
    QVERIFY(dialog.Button1()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), dialog.adi());
    QVERIFY(!QFile::exists(Tgirisform::settingsPath()));
}

// The address service does not answer: after the bounded attempts the address counts as
// empty and the server is not asked.
void tst_Login::unreachableAddressService()
{
    DeploySettings s = Deployment();
    s.ipService = QStringLiteral("http://127.0.0.1:%1").arg(unusedPort());
    setDeployment(s);
    Tgirisform dialog;
    const Outcome o = login(dialog, QStringLiteral("DEMO"), QStringLiteral("DEMO"));
    QVERIFY(!o.accepted);
    QCOMPARE(texts(), QStringList{QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !")});
    QCOMPARE(m_messages.first().type, mtError);
    QVERIFY(dialog.Button1()->isEnabled());
    QVERIFY(m_sbilgi.Disip().isEmpty());
    QVERIFY(m_sbilgi.ADI().isEmpty());
}

// The whole start: the main window's creation runs the login, then fills the header from
// the session in the start-up load.
void tst_Login::mainWindowAfterDemoLogin()
{
    QTimer driver;
    driver.setInterval(20);
    bool typed = false;
    connect(&driver, &QTimer::timeout, this, [&] {
        auto dialog = qobject_cast<Tgirisform *>(QApplication::activeModalWidget());
        if (!dialog || typed)
            return;
        typed = true;
        type(dialog->adi(), QStringLiteral("DEMO"));
        type(dialog->sifre(), QStringLiteral("DEMO"));
        QTest::mouseClick(dialog->Button1(), Qt::LeftButton);
    });
    driver.start();
    TForm1 form;
    QVERIFY(form.Start());
    driver.stop();
    QVERIFY(m_exitCodes.isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("Mervak B2B Programı"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Mervak B2B"));
    QTRY_COMPARE(form.kullanicilbl()->text(), QStringLiteral("DEMO"));
    QCOMPARE(form.cariadilbl()->text(), form.sbilgi().CariAdi());
    QVERIFY(form.saticilbl()->text().contains(QStringLiteral(" Telefonu: ")));
    QCOMPARE(form.bagc().HostName, QStringLiteral("127.0.0.1"));
}

// A page load after login, the way the pages do it: the worker calls the server on its own
// clone and session copy and fills the data set; the grid shows the rows afterwards.
void tst_Login::tabLoadFromServer()
{
    Tgirisform dialog;
    QVERIFY(login(dialog, QStringLiteral("DEMO"), QStringLiteral("DEMO")).accepted);

    DataSet yeniler;
    DataGrid grid;
    grid.setColumns({{.field = QStringLiteral("STOK_KODU"), .caption = QStringLiteral("Kod")}});
    grid.setDataSet(&yeniler);
    TabLoad load;
    load.setGrid(&grid);
    load.setDataSet(&yeniler);
    QThread *worker = nullptr;
    load.setLoad(&m_bagc, &m_sbilgi,
                 [&](ServerConnection &connection, const TSonucBilgisi &session) {
        worker = QThread::currentThread();
        const bool opened = RemoteCall::run(connection, &session, 0,
                                            [&](TServerMethods1Client &client, TSonucBilgisi *) {
            client.YenilerVer2(session.CARINO(), &yeniler);
        });
        return !opened;
    });
    QSignalSpy finished(&load, &TabLoad::finished);
    load.trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(worker && worker != QThread::currentThread());
    QVERIFY(m_messages.isEmpty());
    QVERIFY(yeniler.rowCount() > 0);
    QCOMPARE(grid.rowCount(), yeniler.rowCount());
    QVERIFY(grid.isEnabled());
    QVERIFY(!m_bagc.isOpen());
}

QTEST_MAIN(tst_Login)
#include "tst_login.moc"
