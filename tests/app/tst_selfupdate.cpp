// SPDX-License-Identifier: LicenseRef-Mervak
// The self-update download against the reference server's web side.
#include "deploysettings.h"
#include "endprocess.h"
#include "messagedialog.h"
#include "tdosyaindir.h"
#include "testserver.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Mervak;

class tst_SelfUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void texts();
    void progressText_data();
    void progressText();
    void downloadsAndStartsInstaller();
    void refusedDownload_data();
    void refusedDownload();

private:
    void setDownloadHost(const QString &host);

    QTemporaryDir m_dir;
    TestServer m_server;
    QList<ShownMessage> m_messages;
    QList<int> m_exitCodes;
    QList<QPair<QString, QStringList>> m_started;
    QByteArray m_startedContent;
};

void tst_SelfUpdate::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
    const QString db = m_dir.filePath(QStringLiteral("sunucu.db"));
    QVERIFY2(m_server.start(db, {QStringLiteral("--demo")}), qPrintable(m_server.log()));
}

void tst_SelfUpdate::init()
{
    m_messages.clear();
    m_exitCodes.clear();
    m_started.clear();
    m_startedContent.clear();
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        return int(mrOk);
    });
    setEndProcessHook([this](int code) { m_exitCodes << code; });
    Tdosyaindir::setStarter([this](const QString &program, const QStringList &args) {
        m_started << qMakePair(program, args);
        QFile f(program);
        if (f.open(QIODevice::ReadOnly))
            m_startedContent = f.readAll();
        return true;
    });
    setDownloadHost(m_server.httpBase());
}

void tst_SelfUpdate::cleanup()
{
    setMessageDialogHook({});
    setEndProcessHook({});
    Tdosyaindir::setStarter({});
}

void tst_SelfUpdate::setDownloadHost(const QString &host)
{
    DeploySettings s = DeploySettings::builtIn();
    s.downloadHost = host;
    setDeployment(s);
}

void tst_SelfUpdate::texts()
{
    Tdosyaindir dialog(3);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dosya İndir"));
    QCOMPARE(dialog.sLabel1()->text(),
             QStringLiteral("Mervak B2B Programının\r\nYeni versiyonu indirilecektir\r\n"
                            "Lütfen Bekleyiniz...!\r\nVersion: 3-2"));
    QCOMPARE(dialog.url().toString(), m_server.httpBase() + QStringLiteral("/exe/MervakSetup.exe"));
    QVERIFY(!dialog.basladi);
}

void tst_SelfUpdate::progressText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("turkish") << QStringLiteral("tr_TR") << qint64(512 * 1024)
                             << qint64(2 * 1024 * 1024)
                             << QStringLiteral("Bilgi: %25,00  İndirilen: 0,50/2,00 Mb");
    QTest::newRow("english, large") << QStringLiteral("en_US") << qint64(1536) * 1024 * 1024
                                    << qint64(3) * 1024 * 1024 * 1024
                                    << QStringLiteral("Bilgi: %50.00  İndirilen: 1536.00/3072.00 Mb");
    QTest::newRow("no length announced") << QStringLiteral("tr_TR") << qint64(100) << qint64(0)
                                         << QString();
}

void tst_SelfUpdate::progressText()
{
    QFETCH(QString, locale);
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QLocale::setDefault(QLocale(locale));
    const QString text = Tdosyaindir::progressText(received, total);
    QLocale::setDefault(QLocale::c());
    QTEST(text, "text");
}

// A left-over installer is replaced by the downloaded one, which is started with "/silent";
// then the program ends with code 0. A second activation starts no second download.
void tst_SelfUpdate::downloadsAndStartsInstaller()
{
    const QString path = Tdosyaindir::localFilePath();
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski kurulum");
    }
    Tdosyaindir dialog(3);
    dialog.show();
    QTRY_COMPARE(m_exitCodes, QList<int>{0});
    QCOMPARE(m_started.size(), 1);
    QCOMPARE(m_started.first().first, path);
    QCOMPARE(m_started.first().second, QStringList{QStringLiteral("/silent")});
    QVERIFY(m_startedContent.startsWith("#!/bin/sh"));
    QVERIFY(m_messages.isEmpty());
    QVERIFY(dialog.bilgi()->text().startsWith(QStringLiteral("Bilgi: %100")));
    QVERIFY(dialog.ProgressBar1()->maximum() > 0);
    QCOMPARE(dialog.ProgressBar1()->value(), dialog.ProgressBar1()->maximum());
    QVERIFY(!dialog.isVisible());

    dialog.Download();
    QCOMPARE(m_started.size(), 1);
    QCOMPARE(m_exitCodes.size(), 1);
}

void tst_SelfUpdate::refusedDownload_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("errorStart");
    QTest::newRow("not found") << QStringLiteral("<web>/yok") << QStringLiteral("HTTP 404");
    QTest::newRow("no server") << QStringLiteral("http://127.0.0.1:<free>") << QString();
}

// An answer that is not a success is an error page, not an installer: nothing is saved or
// started, the error is shown and the program ends as after any failed download.
void tst_SelfUpdate::refusedDownload()
{
    QFETCH(QString, host);
    QFETCH(QString, errorStart);
    host.replace(QStringLiteral("<web>"), m_server.httpBase());
    host.replace(QStringLiteral("<free>"), QString::number(unusedPort()));
    setDownloadHost(host);
    const QString path = Tdosyaindir::localFilePath();
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski kurulum");
    }
    Tdosyaindir dialog(5);
    dialog.show();
    QTRY_COMPARE(m_exitCodes, QList<int>{0});
    QVERIFY(m_started.isEmpty());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().type, mtError);
    const QString text = m_messages.first().text;
    QVERIFY2(text.startsWith(QStringLiteral("Hata Oluştu !\r\nHata: ") + errorStart),
             qPrintable(text));
    QVERIFY(text.size() > QStringLiteral("Hata Oluştu !\r\nHata: ").size());
}

QTEST_MAIN(tst_SelfUpdate)
#include "tst_selfupdate.moc"
