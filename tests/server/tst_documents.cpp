// SPDX-License-Identifier: LicenseRef-Mervak
// The pictures and PDF files the server writes itself.
#include "tst_documents.h"

#include "artwork.h"
#include "gifwriter.h"
#include "pdfdocuments.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace Mervak;
using namespace Mervak::Server;

Q_DECLARE_METATYPE(QList<QImage>)

namespace {

QImage pattern(const QSize &size, int kind, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            switch (kind) {
            case 0: image.setPixel(x, y, qRgb(200, 30, 90)); break;
            case 1: image.setPixel(x, y, qRgb(x % 256, (y * 4) % 256, 128)); break;
            default: image.setPixel(x, y, rng.generate() | 0xFF000000u); break;
            }
        }
    }
    return image;
}

} // namespace

// Qt reads GIF but cannot write it; our encoder must give files any reader accepts, with
// the colours of the fixed palette. Noise makes the LZW dictionary fill and restart.
void TestDocuments::gifRoundTrip_data()
{
    QTest::addColumn<QList<QImage>>("frames");
    QTest::newRow("one colour") << QList<QImage>{pattern(QSize(64, 32), 0, 1)};
    QTest::newRow("gradient") << QList<QImage>{pattern(QSize(256, 64), 1, 1)};
    QTest::newRow("noise, dictionary restarts") << QList<QImage>{pattern(QSize(300, 200), 2, 7)};
    QTest::newRow("one pixel") << QList<QImage>{pattern(QSize(1, 1), 2, 3)};
    QTest::newRow("animation") << QList<QImage>{pattern(QSize(120, 40), 0, 1),
                                                pattern(QSize(120, 40), 1, 1),
                                                pattern(QSize(120, 40), 2, 5)};
}

void TestDocuments::gifRoundTrip()
{
    QFETCH(QList<QImage>, frames);
    QByteArray bytes = writeGif(frames, 100);
    QVERIFY(bytes.startsWith("GIF89a"));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    QVERIFY(reader.canRead());
    QCOMPARE(reader.imageCount(), int(frames.size()));
    for (const QImage &source : frames) {
        QImage decoded = reader.read();
        QVERIFY2(!decoded.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(decoded.size(), source.size());
        decoded = decoded.convertToFormat(QImage::Format_RGB32);
        int worst = 0;
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QRgb a = source.pixel(x, y);
                const QRgb b = decoded.pixel(x, y);
                worst = std::max({worst, qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                              qAbs(qBlue(a) - qBlue(b))});
            }
        }
        // The palette is a 6-level colour cube: no channel is off by more than half a step.
        QVERIFY2(worst <= 26, qPrintable(QString::number(worst)));
    }
}

// The three banners: two GIFs (the first animated) and a Windows bitmap.
void TestDocuments::bannersAreReadable()
{
    QByteArray header = headerBannerGif(QStringLiteral("MERVAK"),
                                        {QStringLiteral("Bir"), QStringLiteral("İki"),
                                         QStringLiteral("Üç")});
    QBuffer buffer(&header);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.imageCount(), 3);
    QCOMPARE(reader.read().size(), QSize(409, 100));

    const QByteArray lower = lowerBannerBmp(QStringLiteral("Şoför ğüşıöç"), 800);
    QVERIFY(lower.startsWith("BM"));
    QImage image;
    QVERIFY(image.loadFromData(lower, "BMP"));
    QCOMPARE(image.size(), QSize(800, 36));
}

// A report longer than a page goes on over further pages instead of off the paper.
void TestDocuments::longTablesContinueOnNewPages()
{
    DataSet rows;
    rows.addField(QStringLiteral("KOD"), FieldType::String);
    rows.addField(QStringLiteral("TUTAR"), FieldType::Float);
    rows.open();
    for (int i = 0; i < 300; ++i) {
        const int r = rows.appendRow();
        rows.setString(r, 0, QStringLiteral("KOD-%1 ĞÜŞİÖÇ").arg(i));
        rows.setDouble(r, 1, 1.25 * i);
    }
    PdfTable table;
    table.company = QStringLiteral("MERVAK");
    table.title = QStringLiteral("Uzun Liste");
    table.columns = {{QStringLiteral("KOD"), QStringLiteral("Kod"), 3},
                     {QStringLiteral("TUTAR"), QStringLiteral("Tutar"), 2, true, true}};
    table.rows = &rows;
    const QByteArray pdf = tablePdf(table);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QVERIFY(pdf.count("/Type /Page") - pdf.count("/Type /Pages") > 1);
}
