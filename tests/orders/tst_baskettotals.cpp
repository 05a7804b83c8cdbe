// SPDX-License-Identifier: LicenseRef-Mervak
// The totals of the ticked basket lines, as the basket tab and the order confirmation show them.
#include "baskettotals.h"
#include "dataset.h"

#include <QTest>

using namespace Mervak;

namespace {

struct Line
{
    int sec;
    double tutar;
    double indirim;
    double vergi;
};

void fill(DataSet &sepet, const QList<Line> &lines)
{
    sepet.clear();
    const int sec = sepet.addField(QStringLiteral("SEC"), FieldType::Integer);
    const int tutar = sepet.addField(QStringLiteral("TUTAR"), FieldType::Float);
    const int indirim = sepet.addField(QStringLiteral("INDIRIMTUTAR"), FieldType::Float);
    const int vergi = sepet.addField(QStringLiteral("VERGITUTARI"), FieldType::Float);
    for (const Line &l : lines) {
        const int row = sepet.appendRow();
        sepet.setInt(row, sec, l.sec);
        sepet.setDouble(row, tutar, l.tutar);
        sepet.setDouble(row, indirim, l.indirim);
        sepet.setDouble(row, vergi, l.vergi);
    }
    sepet.open();
}

} // namespace

Q_DECLARE_METATYPE(QList<Line>)

class tst_BasketTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Only ticked lines count; the grand total is the subtotal plus the tax, and every
    // addition is rounded to cents so the totals add up to the amounts shown.
    void totals_data();
    void totals();
    // A basket that was never loaded shows zeros, and the walk leaves the cursor at the end.
    void neverLoaded();
};

void tst_BasketTotals::totals_data()
{
    QTest::addColumn<QList<Line>>("lines");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("discount");
    QTest::addColumn<double>("subtotal");
    QTest::addColumn<double>("tax");
    QTest::addColumn<double>("grand");

    QTest::newRow("nothing ticked") << QList<Line>{{0, 100, 10, 18}, {0, 50, 5, 9}}
                                    << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("one ticked adds exactly its amounts")
        << QList<Line>{{0, 100, 10, 18}, {1, 50.5, 5.25, 8.15}} << 50.5 << 5.25 << 45.25
        << 8.15 << 53.4;
    QTest::newRow("all ticked") << QList<Line>{{1, 100, 10, 16.2}, {1, 50, 5, 8.1}}
                                << 150.0 << 15.0 << 135.0 << 24.3 << 159.3;
    // 0.125 + 0.125 is 0.25, but what is shown is 0.13 + 0.13.
    QTest::newRow("rounded after every addition")
        << QList<Line>{{1, 0.125, 0, 0.125}, {1, 0.125, 0, 0.125}} << 0.26 << 0.0 << 0.26
        << 0.26 << 0.52;
    QTest::newRow("SEC other than 1 is not ticked")
        << QList<Line>{{2, 100, 0, 0}, {-1, 100, 0, 0}, {1, 1, 0, 0}} << 1.0 << 0.0 << 1.0
        << 0.0 << 1.0;
}

void tst_BasketTotals::totals()
{
    QFETCH(QList<Line>, lines);
    DataSet sepet;
    fill(sepet, lines);
    QFETCH(double, gross);
    QFETCH(double, discount);
    QFETCH(double, subtotal);
    QFETCH(double, tax);
    QFETCH(double, grand);
    const BasketTotals t = SumBasketTotals(sepet);
    QCOMPARE(t.gross, gross);
    QCOMPARE(t.discount, discount);
    QCOMPARE(t.subtotal, subtotal);
    QCOMPARE(t.tax, tax);
    QCOMPARE(t.grand, grand);
    QVERIFY(sepet.eof());
}

void tst_BasketTotals::neverLoaded()
{
    DataSet sepet;
    const BasketTotals t = SumBasketTotals(sepet);
    QCOMPARE(t.grand, 0.0);
    QCOMPARE(t.gross, 0.0);
}

QTEST_GUILESS_MAIN(tst_BasketTotals)
#include "tst_baskettotals.moc"
