// SPDX-License-Identifier: LicenseRef-Mervak
// The item entry dialog by itself: whole boxes, limits, refused input, the total shown.
#include "currencyedit.h"
#include "messagedialog.h"
#include "quantitybox.h"
#include "tstokayarinti.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Mervak;

class tst_ItemEntryDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    // A quantity always becomes the next whole number of boxes; a box of 0 or less is a
    // box of 1 (the server may send an empty or zero box quantity).
    void roundUpToBox_data();
    void roundUpToBox();
    // Leaving the quantity box and pressing Enter in it settle the quantity the same way,
    // and Enter then confirms at once.
    void settledWhenLeavingOrConfirming_data();
    void settledWhenLeavingOrConfirming();
    // A box quantity starts the entry at one box and the arrows step by whole boxes.
    void boxQuantityStartsAndSteps();
    // The quantity box holds at most 10000: above it a typed quantity and a huge box are held
    // there.
    void upperLimit_data();
    void upperLimit();
    // An empty quantity box is refused with a warning; the dialog stays open and sends nothing.
    void emptyQuantityRefused();
    // The total follows the quantity: VAT-inclusive unit price times quantity, to the cent.
    void totalFollowsQuantity();
    // Enter in an amount box neither confirms nor changes anything.
    void enterInPriceBoxDoesNothing();

private:
    QList<ShownMessage> m_messages;
};

void tst_ItemEntryDialog::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

void tst_ItemEntryDialog::init()
{
    m_messages.clear();
    setMessageDialogHook([this](const ShownMessage &m) {
        m_messages << m;
        return int(mrOk);
    });
}

void tst_ItemEntryDialog::cleanup()
{
    setMessageDialogHook({});
}

void tst_ItemEntryDialog::roundUpToBox_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("box 6: 7 -> 12") << 6 << 7 << 12;
    QTest::newRow("box 6: 12 stays") << 6 << 12 << 12;
    QTest::newRow("box 6: 1 -> 6") << 6 << 1 << 6;
    QTest::newRow("box 10: 15 -> 20") << 10 << 15 << 20;
    QTest::newRow("box 1: 7 stays") << 1 << 7 << 7;
    QTest::newRow("box 0 counts as 1") << 0 << 7 << 7;
    QTest::newRow("negative box counts as 1") << -4 << 3 << 3;
}

void tst_ItemEntryDialog::roundUpToBox()
{
    QFETCH(int, box);
    QFETCH(int, typed);
    QFETCH(int, expected);
    QCOMPARE(RoundUpToBox(typed, box), expected);
}

void tst_ItemEntryDialog::settledWhenLeavingOrConfirming_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<int>("expected");
    QTest::newRow("box 6, 7, leaving") << 6 << "7" << false << 12;
    QTest::newRow("box 6, 7, Enter") << 6 << "7" << true << 12;
    QTest::newRow("box 10, 15, leaving") << 10 << "15" << false << 20;
    QTest::newRow("box 10, 15, Enter") << 10 << "15" << true << 20;
    QTest::newRow("box 6, 1 lifted to a box") << 6 << "1" << true << 6;
    QTest::newRow("box 6, 0 lifted to a box") << 6 << "0" << true << 6;
    QTest::newRow("box 0, 5 stays") << 0 << "5" << true << 5;
}

void tst_ItemEntryDialog::settledWhenLeavingOrConfirming()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(int, expected);

    Tstokayarinti dialog;
    dialog.setKoliadet(box);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QuantityBox *adet = dialog.adet();
    adet->setFocus();
    adet->selectAll();
    QTest::keyClicks(adet, typed);
    QCOMPARE(adet->text(), typed);

    if (byEnter) {
        QTest::keyClick(adet, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    } else {
        dialog.ParcaliTus2()->setFocus();   // the focus leaves the box
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(dialog.quantity(), std::optional<int>(expected));
    QVERIFY(m_messages.isEmpty());
}

void tst_ItemEntryDialog::boxQuantityStartsAndSteps()
{
    Tstokayarinti dialog;
    dialog.setKoliadet(10);
    QCOMPARE(dialog.koliadet(), 10);
    QCOMPARE(dialog.quantity(), std::optional<int>(10));
    QCOMPARE(dialog.adet()->minimum(), 10);
    dialog.adet()->stepBy(1);
    QCOMPARE(dialog.quantity(), std::optional<int>(20));
    dialog.adet()->stepBy(1);
    QCOMPARE(dialog.quantity(), std::optional<int>(30));
    dialog.adet()->stepBy(-5);   // never below one box
    QCOMPARE(dialog.quantity(), std::optional<int>(10));
}

void tst_ItemEntryDialog::upperLimit_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("typed above the limit") << 1 << "15000" << 10000;
    QTest::newRow("box 10, typed above") << 10 << "99999" << 10000;
    QTest::newRow("box above the limit starts at it") << 12000 << "" << 10000;
}

void tst_ItemEntryDialog::upperLimit()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(int, expected);

    Tstokayarinti dialog;
    dialog.setKoliadet(box);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QuantityBox *adet = dialog.adet();
    adet->setFocus();
    if (!typed.isEmpty()) {
        adet->selectAll();
        QTest::keyClicks(adet, typed);
    }
    QTest::keyClick(adet, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.quantity(), std::optional<int>(expected));
    QCOMPARE(adet->maximum(), 10000);
}

void tst_ItemEntryDialog::emptyQuantityRefused()
{
    Tstokayarinti dialog;
    dialog.setKoliadet(6);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QuantityBox *adet = dialog.adet();
    adet->setFocus();
    adet->selectAll();
    QTest::keyClick(adet, Qt::Key_Delete);
    QCOMPARE(adet->text(), QString());

    QTest::keyClick(adet, Qt::Key_Return);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().type, mtWarning);
    QCOMPARE(m_messages.first().text, QStringLiteral("Lütfen sipariş adedini giriniz !"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.quantity().has_value());

    // "Sipariş ekle" refuses it the same way.
    QTest::mouseClick(dialog.ParcaliTus1(), Qt::LeftButton);
    QCOMPARE(m_messages.size(), 2);
    QVERIFY(dialog.isVisible());
}

void tst_ItemEntryDialog::totalFollowsQuantity()
{
    Tstokayarinti dialog;
    dialog.kdvlifiyat = 12.345;
    dialog.kdvdahiltutar()->setValue(12.345);
    dialog.setKoliadet(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.geneltutar()->value(), 24.69);
    QCOMPARE(dialog.geneltutar()->text(), QStringLiteral("24,69"));

    dialog.adet()->stepBy(1);   // 4 pieces
    QCOMPARE(dialog.geneltutar()->value(), 49.38);
    dialog.adet()->setFocus();
    dialog.adet()->selectAll();
    QTest::keyClicks(dialog.adet(), QStringLiteral("1000"));
    QCOMPARE(dialog.geneltutar()->value(), 12345.0);
    QCOMPARE(dialog.geneltutar()->text(), QStringLiteral("12.345,00"));
}

void tst_ItemEntryDialog::enterInPriceBoxDoesNothing()
{
    Tstokayarinti dialog;
    dialog.birimfiyat()->setReadOnly(false);
    dialog.birimfiyat()->setValue(10.0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.birimfiyat()->setFocus();
    QTest::keyClick(dialog.birimfiyat(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_ItemEntryDialog)
#include "tst_itementrydialog.moc"
