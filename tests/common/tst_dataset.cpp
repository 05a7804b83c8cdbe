// SPDX-License-Identifier: LicenseRef-Mervak
#include "dataset.h"

#include <QSignalSpy>
#include <QTest>

using namespace Mervak;

class tst_DataSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Values read back in their own class; nulls stay distinguishable from zero.
    void typedValuesRoundTrip();
    // Dates travel as day counts since 30 December 1899.
    void dayCounts_data();
    void dayCounts();
    // The basket's tick toggling edits one row through the cursor.
    void cursorEditAndPost();
    void locateFindsFirstMatch();
    // A background load fills the data set with its views detached: they hear nothing until
    // the load hands it back, then reload once.
    void disabledControlsHoldBackSignals();
    void compareOrdersNullsFirst();
};

void tst_DataSet::typedValuesRoundTrip()
{
    DataSet ds;
    const int s = ds.addField(QStringLiteral("STOKADI"), FieldType::String, 60);
    const int i = ds.addField(QStringLiteral("STOKNO"), FieldType::Integer);
    const int l = ds.addField(QStringLiteral("BUYUK"), FieldType::LargeInt);
    const int d = ds.addField(QStringLiteral("FIYAT"), FieldType::Float);
    const int b = ds.addField(QStringLiteral("VAR"), FieldType::Boolean);
    const int t = ds.addField(QStringLiteral("TARIH"), FieldType::Date);
    const int bl = ds.addField(QStringLiteral("RESIM"), FieldType::Blob);
    const int r = ds.appendRow();
    ds.setString(r, s, QStringLiteral("Fren balatası"));
    ds.setInt(r, i, 42);
    ds.setInt(r, l, 5000000000LL);
    ds.setDouble(r, d, 12.5);
    ds.setBool(r, b, true);
    ds.setValue(r, t, QDate(2026, 12, 11));
    ds.setBlob(r, bl, QByteArray("\x00\x01", 2));
    const int empty = ds.appendRow();

    QCOMPARE(ds.value(r, s).toString(), QStringLiteral("Fren balatası"));
    QCOMPARE(ds.value(r, i).toInt(), 42);
    QCOMPARE(ds.value(r, l).toLongLong(), 5000000000LL);
    QCOMPARE(ds.value(r, d).toDouble(), 12.5);
    QCOMPARE(ds.value(r, b).toBool(), true);
    QCOMPARE(ds.value(r, t).toDate(), QDate(2026, 12, 11));
    QCOMPARE(ds.blobAt(r, bl), QByteArray("\x00\x01", 2));
    for (int c = 0; c < ds.fieldCount(); ++c) {
        QVERIFY(ds.isNull(empty, c));
        QVERIFY(!ds.value(empty, c).isValid());
    }
    QCOMPARE(ds.fieldIndex(QStringLiteral("fiyat")), d);
    QCOMPARE(ds.fieldIndex(QStringLiteral("YOK")), -1);
}

void tst_DataSet::dayCounts_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<double>("days");
    QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("first day of 1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
    QTest::newRow("noon") << QDateTime(QDate(2026, 12, 11), QTime(12, 0)) << 46367.5;
    QTest::newRow("before day zero") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
}

void tst_DataSet::dayCounts()
{
    QFETCH(QDateTime, when);
    QFETCH(double, days);
    QCOMPARE(toDayCount(when), days);
    QCOMPARE(fromDayCount(days), when);
}

void tst_DataSet::cursorEditAndPost()
{
    DataSet ds;
    ds.addField(QStringLiteral("SEC"), FieldType::Integer);
    ds.addField(QStringLiteral("MIKTAR"), FieldType::Float);
    for (int k = 0; k < 3; ++k) {
        const int r = ds.appendRow();
        ds.setInt(r, 0, 0);
        ds.setDouble(r, 1, k);
    }
    QSignalSpy changed(&ds, &DataSet::rowChanged);
    QVERIFY(ds.first());
    QVERIFY(ds.next());
    ds.edit();
    ds.setFieldValue(QStringLiteral("SEC"), 1);
    QCOMPARE(ds.fieldValue(QStringLiteral("SEC")).toInt(), 1);   // the edit buffer is visible
    QCOMPARE(ds.intAt(1, 0), 0);                                 // not yet stored
    ds.post();
    QCOMPARE(ds.intAt(1, 0), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), 1);

    ds.edit();
    ds.setFieldValue(QStringLiteral("SEC"), 0);
    ds.cancel();
    QCOMPARE(ds.intAt(1, 0), 1);
    QVERIFY(ds.next());
    QVERIFY(!ds.next());
    QVERIFY(ds.eof());
}

void tst_DataSet::locateFindsFirstMatch()
{
    DataSet ds;
    ds.addField(QStringLiteral("STOKNO"), FieldType::Integer);
    for (int v : {7, 9, 9})
        ds.setInt(ds.appendRow(), 0, v);
    QVERIFY(ds.locate(QStringLiteral("STOKNO"), 9));
    QCOMPARE(ds.recNo(), 1);
    QVERIFY(!ds.locate(QStringLiteral("STOKNO"), 8));
    QVERIFY(!ds.locate(QStringLiteral("YOK"), 9));
}

void tst_DataSet::disabledControlsHoldBackSignals()
{
    DataSet ds;
    ds.addField(QStringLiteral("A"), FieldType::String);
    QSignalSpy resets(&ds, &DataSet::reset);
    QSignalSpy rows(&ds, &DataSet::rowChanged);
    ds.disableControls();
    ds.disableControls();   // nested brackets
    for (int k = 0; k < 100; ++k)
        ds.setString(ds.appendRow(), 0, QStringLiteral("x"));
    ds.enableControls();
    QCOMPARE(resets.count(), 0);
    ds.enableControls();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(rows.count(), 0);
    QVERIFY(!ds.controlsDisabled());
}

void tst_DataSet::compareOrdersNullsFirst()
{
    DataSet ds;
    ds.addField(QStringLiteral("F"), FieldType::Float);
    ds.setDouble(ds.appendRow(), 0, 2.0);
    ds.appendRow();
    ds.setDouble(ds.appendRow(), 0, 1.0);
    QVERIFY(ds.compare(1, 0, 0) < 0);
    QVERIFY(ds.compare(2, 0, 0) < 0);
    QVERIFY(ds.compare(0, 2, 0) > 0);
    QCOMPARE(ds.compare(1, 1, 0), 0);
}

QTEST_GUILESS_MAIN(tst_DataSet)
#include "tst_dataset.moc"
