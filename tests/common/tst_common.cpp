// SPDX-License-Identifier: LicenseRef-Mervak
#include "datasetroutines.h"
#include "dataset.h"
#include "displayformat.h"
#include "machineidentity.h"
#include "messagedialog.h"
#include "systempaths.h"
#include "textrules.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace Mervak;

class tst_Common : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

    // Amounts are read by dealers in a Turkish locale: dot groups, comma decimals.
    void moneyFormat_data();
    void moneyFormat();
    // Every total is summed through RoundToCents; halves must go away from zero and a
    // value must never pick up a thousands separator on its way back.
    void roundToCents_data();
    void roundToCents();

    void tabCaption_data();
    void tabCaption();
    // The stock search sends unaccented capitals whatever the keyboard produced.
    void searchFolding_data();
    void searchFolding();
    // Mail bodies reach the server as one comma-text line.
    void commaText_data();
    void commaText();
    // Announcement pictures arrive as hexadecimal text.
    void hexText_data();
    void hexText();
    void urlEncode_data();
    void urlEncode();

    // The server knows an installation by its computer ID; a wrong fallback would lock a
    // dealer out after a disk change.
    void macAddressRules_data();
    void macAddressRules();
    void computerIdRules_data();
    void computerIdRules();
    void diskSerialRules();

    void applyMoneyFormatOnlyFloats();
    void hasSelectedRows();
    void settingsFolderIsCreated();

    // Tests and the connect-check of workers rely on the hook seeing exactly what a person
    // would see.
    void messageDialogDescribesWhatIsShown_data();
    void messageDialogDescribesWhatIsShown();
    void messageDialogFromWorkerRunsOnUiThread();
    void realMessageBoxHasTurkishButtons();
};

void tst_Common::moneyFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped") << "#,###,##0.00" << 1234.5 << "1.234,50";
    QTest::newRow("millions") << "#,###,##0.00" << 1234567.891 << "1.234.567,89";
    QTest::newRow("zero") << "#,###,##0.00" << 0.0 << "0,00";
    QTest::newRow("negative") << "#,###,##0.00" << -1234.5 << "-1.234,50";
    QTest::newRow("negative rounds to zero") << "#,###,##0.00" << -0.001 << "0,00";
    QTest::newRow("half up") << "#,###,##0.00" << 0.125 << "0,13";
    QTest::newRow("binary half") << "#,###,##0.00" << 1.005 << "1,01";
    QTest::newRow("carry") << "#,###,##0.00" << 999.999 << "1.000,00";
    QTest::newRow("two digits") << "#,###,##00.00" << 5.0 << "05,00";
    QTest::newRow("two digits large") << "#,###,##00.00" << 12345.0 << "12.345,00";
    QTest::newRow("no leading zero") << "#,###,##.00" << 0.5 << ",50";
    QTest::newRow("no leading zero whole") << "#,###,##.00" << 7.0 << "7,00";
}

void tst_Common::moneyFormat()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatFloat(format, value), expected);
}

void tst_Common::roundToCents_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("half") << 0.125 << 0.13;
    QTest::newRow("negative half") << -0.125 << -0.13;
    QTest::newRow("thousands") << 1234.567 << 1234.57;
    QTest::newRow("million") << 1234567.891 << 1234567.89;
    QTest::newRow("binary half") << 1.005 << 1.01;
    QTest::newRow("sum of thirds") << (0.1 + 0.2) << 0.3;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("already cents") << 19.99 << 19.99;
}

void tst_Common::roundToCents()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(RoundToCents(value), expected);
}

void tst_Common::tabCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("title");
    QTest::newRow("count") << "12=Sepet" << 12 << "Sepet";
    QTest::newRow("no equals") << "Sipariş Geçmişi" << 0 << "Sipariş Geçmişi";
    QTest::newRow("zero") << "0=Stok Listesi" << 0 << "Stok Listesi";
    QTest::newRow("fraction") << "2.5=Sepet" << 0 << "Sepet";
    QTest::newRow("not a number") << "abc=Sepet" << 0 << "Sepet";
    QTest::newRow("second equals stays in title") << "3=a=b" << 3 << "a=b";
    QTest::newRow("long title cut") << QString("1=" + QString(120, 'x')) << 1 << QString(100, 'x');
}

void tst_Common::tabCaption()
{
    QFETCH(QString, caption);
    QFETCH(int, count);
    QFETCH(QString, title);
    const TSonuc split = SplitTabCaption(caption);
    QCOMPARE(split.sayi, count);
    QCOMPARE(split.baslik, title);
}

void tst_Common::searchFolding_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lower turkish") << "ğüşöçı" << "GUSOCI";
    QTest::newRow("upper turkish") << "ĞÜŞİÖÇ" << "GUSIOC";
    QTest::newRow("dotted i stays plain") << "filtre" << "FILTRE";
    QTest::newRow("mixed") << "Şanzıman yağı 5w" << "SANZIMAN YAGI 5W";
}

void tst_Common::searchFolding()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(SearchText(typed), expected);
}

void tst_Common::commaText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");
    QTest::newRow("word then two words") << QStringList{"Merhaba", "iyi günler"}
                                         << "Merhaba,\"iyi günler\"";
    QTest::newRow("quote doubled") << QStringList{"a\"b"} << "\"a\"\"b\"";
    QTest::newRow("comma quoted") << QStringList{"1,2", "x"} << "\"1,2\",x";
    QTest::newRow("empty line") << QStringList{"a", "", "b"} << "a,,b";
    QTest::newRow("tab quoted") << QStringList{"a\tb"} << "\"a\tb\"";
}

void tst_Common::commaText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    QCOMPARE(CommaText(lines), expected);
}

void tst_Common::hexText_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("jpeg start") << "FFD8FFE0" << true << QByteArray("\xFF\xD8\xFF\xE0");
    QTest::newRow("lower case") << "ffd8" << true << QByteArray("\xFF\xD8");
    QTest::newRow("odd length") << "ABC" << true << QByteArray("\xAB\x0C");
    QTest::newRow("empty") << "" << true << QByteArray();
    QTest::newRow("not hex") << "FFZZ" << false << QByteArray();
    QTest::newRow("odd not hex") << "FFG" << false << QByteArray();
}

void tst_Common::hexText()
{
    QFETCH(QString, hex);
    QFETCH(bool, valid);
    QFETCH(QByteArray, bytes);
    const auto decoded = HexToBytes(hex);
    QCOMPARE(decoded.has_value(), valid);
    if (valid)
        QCOMPARE(*decoded, bytes);
}

void tst_Common::urlEncode_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "http://host/a.html?x=1&y=2" << "http://host/a.html?x=1&y=2";
    QTest::newRow("space") << "http://host/p?firmasi=Oto Parça" << "http://host/p?firmasi=Oto%20Par%C3%A7a";
    QTest::newRow("turkish") << "http://host/ş" << "http://host/%C5%9F";
}

void tst_Common::urlEncode()
{
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QCOMPARE(UrlEncode(url), expected);
}

void tst_Common::macAddressRules_data()
{
    QTest::addColumn<QList<AdapterStatus>>("adapters");
    QTest::addColumn<QString>("expected");
    const QByteArray zeros(6, '\0');
    const QByteArray real("\x00\x1A\x2B\x3C\x4D\x5E", 6);
    const QByteArray other("\xAA\xBB\xCC\xDD\xEE\xFF", 6);
    QTest::newRow("first answers") << QList<AdapterStatus>{{true, real}, {true, other}}
                                   << "00-1A-2B-3C-4D-5E";
    QTest::newRow("zeros ask next") << QList<AdapterStatus>{{true, zeros}, {true, other}}
                                    << "AA-BB-CC-DD-EE-FF";
    QTest::newRow("only zeros") << QList<AdapterStatus>{{true, zeros}} << "00-00-00-00-00-00";
    QTest::newRow("first fails") << QList<AdapterStatus>{{false, {}}, {true, other}} << "";
    QTest::newRow("none") << QList<AdapterStatus>{} << "";
}

void tst_Common::macAddressRules()
{
    QFETCH(QList<AdapterStatus>, adapters);
    QFETCH(QString, expected);
    QCOMPARE(MacFromAdapters(adapters), expected);
}

void tst_Common::computerIdRules_data()
{
    QTest::addColumn<QString>("disk");      // "!" = reading the disk fails
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("expected");
    QTest::newRow("disk serial") << "WD-ABC123" << "00-11-22-33-44-55" << "WD-ABC123";
    QTest::newRow("spaces inside removed") << "  WD ABC 123 " << "" << "WDABC123";
    QTest::newRow("null serial falls back to mac") << "!" << "00-11-22-33-44-55" << "00-11-22-33-44-55";
    QTest::newRow("blank serial falls back") << "   " << "00-11-22-33-44-55" << "00-11-22-33-44-55";
    QTest::newRow("nothing at all") << "!" << "" << "";
    QTest::newRow("replaced serial") << "SERIALONE000001" << "" << "123456789012";
    QTest::newRow("second replaced serial") << "SERIAL TWO00002" << "" << "123456789012";
}

void tst_Common::computerIdRules()
{
    QFETCH(QString, disk);
    QFETCH(QString, mac);
    QFETCH(QString, expected);
    const ComputerIdConfig config{QStringLiteral("SERIALONE000001"), QStringLiteral("SERIALTWO00002"),
                                  QStringLiteral("123456789012")};
    auto diskReader = [&]() -> QString {
        if (disk == QLatin1String("!"))
            throw IdentityError("no serial");
        return disk;
    };
    QCOMPARE(ComputerIdFrom(diskReader, [&] { return mac; }, config), expected);
}

void tst_Common::diskSerialRules()
{
    QCOMPARE(DiskSerialFrom({{QStringLiteral("sda"), true, QStringLiteral("wd-abc")},
                             {QStringLiteral("sdb"), true, QStringLiteral("zzz")}}),
             QStringLiteral("WD-ABC"));
    QVERIFY_THROWS_EXCEPTION(IdentityError, DiskSerialFrom({}));
    QVERIFY_THROWS_EXCEPTION(IdentityError,
                             DiskSerialFrom({{QStringLiteral("sda"), false, QString()}}));
}

void tst_Common::applyMoneyFormatOnlyFloats()
{
    DataSet ds;
    ds.addField(QStringLiteral("ADET"), FieldType::Integer);
    ds.addField(QStringLiteral("FIYAT"), FieldType::Float);
    ds.addField(QStringLiteral("KUR"), FieldType::Currency);
    ds.addField(QStringLiteral("ORAN"), FieldType::Bcd);
    const int row = ds.appendRow();
    ds.setInt(row, 0, 1234);
    ds.setDouble(row, 1, 1234.5);
    ApplyMoneyFormat(ds);
    QCOMPARE(ds.field(0).displayFormat, QString());
    QCOMPARE(ds.field(1).displayFormat, QStringLiteral("#,###,##0.00"));
    QCOMPARE(ds.field(2).displayFormat, QString());
    QCOMPARE(ds.field(3).displayFormat, QString());
    QCOMPARE(ds.displayText(row, 1), QStringLiteral("1.234,50"));
    QCOMPARE(ds.displayText(row, 0), QStringLiteral("1234"));
}

void tst_Common::hasSelectedRows()
{
    DataSet ds;
    QVERIFY(!HasRows(ds));
    QVERIFY(!HasSelectedRows(ds));
    ds.addField(QStringLiteral("SEC"), FieldType::Integer);
    for (int i = 0; i < 3; ++i)
        ds.setInt(ds.appendRow(), 0, 0);
    QVERIFY(HasRows(ds));
    QVERIFY(!HasSelectedRows(ds));
    QVERIFY(ds.eof());
    ds.setInt(1, 0, 1);
    ds.setInt(2, 0, 1);
    QVERIFY(HasSelectedRows(ds));
    QCOMPARE(ds.recNo(), 1);
    ds.close();
    QVERIFY(!HasSelectedRows(ds));
}

void tst_Common::settingsFolderIsCreated()
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString folder = SettingsFolder();
    QCOMPARE(folder, home.path() + QStringLiteral("/mervak"));
    QVERIFY(QDir(folder).exists());
    QCOMPARE(SettingsFolder(), folder);   // an existing folder is fine too
}

void tst_Common::messageDialogDescribesWhatIsShown_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<uint>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("warning") << int(mtWarning) << uint(mbOKOnly) << int(mbOK) << "Uyarı"
                             << QStringList{"Tamam"};
    QTest::newRow("error") << int(mtError) << uint(mbOKOnly) << int(mbOK) << "Hata"
                           << QStringList{"Tamam"};
    QTest::newRow("info") << int(mtInformation) << uint(mbOKOnly) << int(mbOK) << "Bilgi"
                          << QStringList{"Tamam"};
    QTest::newRow("question no first") << int(mtConfirmation) << uint(mbYesNo) << int(mbNo) << "Soru"
                                       << QStringList{"Hayır", "Evet"};
    QTest::newRow("question yes first") << int(mtConfirmation) << uint(mbYesNo) << int(mbYes) << "Soru"
                                        << QStringList{"Evet", "Hayır"};
    QTest::newRow("all turkish") << int(mtWarning)
                                 << uint(buttonBit(mbCancel) | buttonBit(mbAbort) | buttonBit(mbRetry)
                                         | buttonBit(mbIgnore) | buttonBit(mbHelp))
                                 << int(mbRetry) << "Uyarı"
                                 << QStringList{"Tekrar", "Vazgeç", "İptal", "Atla", "Yardım"};
}

void tst_Common::messageDialogDescribesWhatIsShown()
{
    QFETCH(int, type);
    QFETCH(uint, buttons);
    QFETCH(int, defaultButton);
    QFETCH(QString, caption);
    QFETCH(QStringList, captions);
    ShownMessage seen;
    setMessageDialogHook([&](const ShownMessage &m) { seen = m; return int(mrNo); });
    const int result = ShowMessageDialog(QStringLiteral("Metin"), MsgDlgType(type), buttons,
                                         MsgDlgBtn(defaultButton));
    setMessageDialogHook({});
    QCOMPARE(result, int(mrNo));
    QCOMPARE(seen.text, QStringLiteral("Metin"));
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.buttonCaptions, captions);
    QCOMPARE(int(seen.defaultButton), defaultButton);
}

void tst_Common::messageDialogFromWorkerRunsOnUiThread()
{
    QThread *uiThread = QThread::currentThread();
    QThread *seenOn = nullptr;
    setMessageDialogHook([&](const ShownMessage &) { seenOn = QThread::currentThread(); return int(mrYes); });
    int result = 0;
    QThread *worker = QThread::create([&] {
        result = ShowMessageDialog(QStringLiteral("?"), mtConfirmation, mbYesNo, mbYes);
    });
    worker->start();
    QTRY_VERIFY(worker->isFinished());
    delete worker;
    setMessageDialogHook({});
    QCOMPARE(result, int(mrYes));
    QCOMPARE(seenOn, uiThread);
}

void tst_Common::realMessageBoxHasTurkishButtons()
{
    // Without a hook the real dialog runs; press its default button as a person would.
    QStringList texts;
    QString title;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        for (QAbstractButton *b : box->buttons())
            texts << b->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    const int result = ShowMessageDialog(QStringLiteral("Silinsin mi ?"), mtConfirmation, mbYesNo, mbNo);
    QCOMPARE(result, int(mrNo));
    QCOMPARE(title, QStringLiteral("Soru"));
    texts.sort();
    QCOMPARE(texts, (QStringList{"Evet", "Hayır"}));
}

QTEST_MAIN(tst_Common)
#include "tst_common.moc"
