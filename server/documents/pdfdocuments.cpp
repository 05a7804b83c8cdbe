// SPDX-License-Identifier: LicenseRef-Mervak
#include "pdfdocuments.h"

#include "displayformat.h"

#include <QBuffer>
#include <QDateTime>
#include <QFont>
#include <QMutex>
#include <QMutexLocker>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace Mervak::Server {

namespace {

constexpr int Dpi = 150;

// Font handling of QPainter is not guaranteed to be reentrant on every platform plugin;
// documents are small, so they are drawn one at a time.
QMutex g_drawing;

QLocale turkish()
{
    return QLocale(QLocale::Turkish, QLocale::Turkey);
}

QString money(double value)
{
    return formatFloat(QString::fromLatin1(MoneyFormat), value, turkish());
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QFont font(int points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// One PDF being drawn: page head, running y position, new pages when full.
class Page
{
public:
    Page(QBuffer *buffer, const QString &company, const QString &title, bool landscape)
        : m_writer(buffer), m_company(company), m_title(title)
    {
        m_writer.setResolution(Dpi);
        m_writer.setPageSize(QPageSize(QPageSize::A4));
        m_writer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        m_writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        m_writer.setTitle(title);
        m_writer.setCreator(QStringLiteral("Mervak B2B Sunucusu"));
        m_painter.begin(&m_writer);
        head();
    }

    ~Page() { m_painter.end(); }

    QPainter &painter() { return m_painter; }
    int width() const { return m_writer.width(); }
    int y() const { return m_y; }
    void skip(int pixels) { m_y += pixels; }

    // Makes room for the next pixels; starts a new page when they do not fit.
    bool ensure(int pixels)
    {
        if (m_y + pixels <= m_writer.height() - footerHeight())
            return false;
        footer();
        m_writer.newPage();
        ++m_page;
        head();
        return true;
    }

    void line(const QString &text, int points = 10, bool bold = false, int flags = Qt::AlignLeft)
    {
        m_painter.setFont(font(points, bold));
        const int h = m_painter.fontMetrics().height() + 6;
        ensure(h);
        m_painter.drawText(QRect(0, m_y, width(), h), flags | Qt::AlignVCenter, text);
        m_y += h;
    }

    void pair(const QString &caption, const QString &value)
    {
        m_painter.setFont(font(10, true));
        const int h = m_painter.fontMetrics().height() + 6;
        ensure(h);
        m_painter.drawText(QRect(0, m_y, width() / 3, h), Qt::AlignLeft | Qt::AlignVCenter,
                           caption);
        m_painter.setFont(font(10));
        m_painter.drawText(QRect(width() / 3, m_y, width() * 2 / 3, h),
                           Qt::AlignLeft | Qt::AlignVCenter, value);
        m_y += h;
    }

    void rule()
    {
        ensure(10);
        m_painter.setPen(QPen(QColor(22, 24, 99), 2));
        m_painter.drawLine(0, m_y + 4, width(), m_y + 4);
        m_painter.setPen(Qt::black);
        m_y += 12;
    }

    void finish() { footer(); }

private:
    int footerHeight() const { return 40; }

    void head()
    {
        m_y = 0;
        m_painter.setPen(QColor(22, 24, 99));
        m_painter.setFont(font(14, true));
        const int h = m_painter.fontMetrics().height() + 8;
        m_painter.drawText(QRect(0, 0, width(), h), Qt::AlignLeft | Qt::AlignVCenter, m_company);
        m_painter.setFont(font(9));
        m_painter.drawText(QRect(0, 0, width(), h), Qt::AlignRight | Qt::AlignVCenter,
                           QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        m_y = h;
        m_painter.setFont(font(13, true));
        const int t = m_painter.fontMetrics().height() + 10;
        m_painter.drawText(QRect(0, m_y, width(), t), Qt::AlignCenter, m_title);
        m_y += t;
        m_painter.setPen(QPen(QColor(22, 24, 99), 3));
        m_painter.drawLine(0, m_y, width(), m_y);
        m_painter.setPen(Qt::black);
        m_y += 14;
    }

    void footer()
    {
        m_painter.setFont(font(8));
        m_painter.setPen(Qt::darkGray);
        m_painter.drawText(QRect(0, m_writer.height() - footerHeight() + 10, width(), 30),
                           Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Sayfa %1").arg(m_page));
        m_painter.setPen(Qt::black);
    }

    QPdfWriter m_writer;
    QPainter m_painter;
    QString m_company;
    QString m_title;
    int m_y = 0;
    int m_page = 1;
};

QString cellText(const DataSet &rows, int row, int column, bool amount)
{
    if (rows.isNull(row, column))
        return QString();
    if (amount)
        return money(rows.doubleAt(row, column));
    switch (rows.field(column).type) {
    case FieldType::Date:
        return dateText(fromDayCount(rows.doubleAt(row, column)).date());
    case FieldType::Float:
        return turkish().toString(rows.doubleAt(row, column), 'g', 12);
    default:
        return rows.stringAt(row, column);
    }
}

void drawTable(Page &page, const QList<PdfColumn> &columns, const DataSet &rows)
{
    QPainter &p = page.painter();
    int weights = 0;
    for (const PdfColumn &c : columns)
        weights += c.weight;
    QList<int> x{0};
    for (const PdfColumn &c : columns)
        x << x.last() + page.width() * c.weight / qMax(1, weights);
    QList<int> fieldOf;
    for (const PdfColumn &c : columns)
        fieldOf << rows.fieldIndex(c.field);

    auto header = [&] {
        p.setFont(font(8, true));
        const int h = p.fontMetrics().height() * 2 + 6;
        page.ensure(h);
        p.fillRect(QRect(0, page.y(), page.width(), h), QColor(225, 228, 240));
        for (int i = 0; i < columns.size(); ++i) {
            p.drawText(QRect(x[i] + 3, page.y(), x[i + 1] - x[i] - 6, h),
                       Qt::AlignVCenter | Qt::TextWordWrap
                           | (columns[i].amount ? Qt::AlignRight : Qt::AlignLeft),
                       columns[i].caption);
        }
        page.skip(h);
    };
    header();
    std::vector<double> totals(std::size_t(columns.size()), 0.0);
    p.setFont(font(8));
    const int h = p.fontMetrics().height() + 6;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (page.ensure(h)) {
            header();
            p.setFont(font(8));
        }
        if (r % 2)
            p.fillRect(QRect(0, page.y(), page.width(), h), QColor(245, 245, 245));
        for (int i = 0; i < columns.size(); ++i) {
            if (fieldOf[i] < 0)
                continue;
            if (columns[i].total)
                totals[std::size_t(i)] = roundDecimal(totals[std::size_t(i)]
                                                      + rows.doubleAt(r, fieldOf[i]), 2);
            const QString text = cellText(rows, r, fieldOf[i], columns[i].amount);
            p.drawText(QRect(x[i] + 3, page.y(), x[i + 1] - x[i] - 6, h),
                       Qt::AlignVCenter | (columns[i].amount ? Qt::AlignRight : Qt::AlignLeft),
                       p.fontMetrics().elidedText(text, Qt::ElideRight, x[i + 1] - x[i] - 6));
        }
        page.skip(h);
    }
    bool anyTotal = false;
    for (const PdfColumn &c : columns)
        anyTotal = anyTotal || c.total;
    if (!anyTotal)
        return;
    page.ensure(h + 4);
    p.setFont(font(8, true));
    p.drawLine(0, page.y() + 1, page.width(), page.y() + 1);
    page.skip(4);
    for (int i = 0; i < columns.size(); ++i) {
        const QString text = i == 0 ? QStringLiteral("Toplam")
                           : columns[i].total ? money(totals[std::size_t(i)]) : QString();
        p.drawText(QRect(x[i] + 3, page.y(), x[i + 1] - x[i] - 6, h),
                   Qt::AlignVCenter | (columns[i].amount ? Qt::AlignRight : Qt::AlignLeft), text);
    }
    page.skip(h);
}

} // namespace

QByteArray tablePdf(const PdfTable &table)
{
    QMutexLocker lock(&g_drawing);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        Page page(&buffer, table.company, table.title, table.landscape);
        for (const QString &line : table.headerLines)
            page.line(line);
        page.skip(10);
        if (table.rows && table.rows->rowCount() > 0)
            drawTable(page, table.columns, *table.rows);
        else
            page.line(QStringLiteral("Bu dönem için kayıt bulunmamaktadır."), 10, false,
                      Qt::AlignCenter);
        page.skip(10);
        for (const QString &line : table.footerLines)
            page.line(line, 9);
        page.finish();
    }
    return bytes;
}

QByteArray customerSummaryPdf(const QString &company, const CustomerSummary &s)
{
    QMutexLocker lock(&g_drawing);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        const TMobilCariBilgisi &c = s.info;
        Page page(&buffer, company, QStringLiteral("Cari Özeti"), false);
        page.line(QStringLiteral("%1 tarihi itibarıyla").arg(dateText(s.date)), 10, false,
                  Qt::AlignCenter);
        page.rule();
        page.pair(QStringLiteral("Cari Kod:"), c.FCARIKOD);
        page.pair(QStringLiteral("Cari Adı:"), c.FCARIADI);
        page.pair(QStringLiteral("Yetkili:"), c.FYETKILI);
        page.pair(QStringLiteral("Adres:"), QStringList{c.FADRES1, c.FADRES2}.join(u' ').trimmed());
        page.pair(QStringLiteral("İlçe/Şehir:"), c.FILCE + u'/' + c.FSEHIR);
        page.pair(QStringLiteral("Telefon:"), c.FTEL1);
        page.pair(QStringLiteral("Vergi D./No:"), c.FVERGIDAIRESI + u'/' + c.FVERGINO);
        page.pair(QStringLiteral("Satış Temsilcisi:"), c.FSATICIADI);
        page.rule();
        page.pair(QStringLiteral("Toplam Borç:"), money(s.debit) + QStringLiteral(" TL"));
        page.pair(QStringLiteral("Toplam Alacak:"), money(s.credit) + QStringLiteral(" TL"));
        page.pair(QStringLiteral("Bakiye:"),
                  money(qAbs(s.balance)) + QStringLiteral(" TL")
                      + (s.balance > 0 ? QStringLiteral(" (B)")
                         : s.balance < 0 ? QStringLiteral(" (A)") : QString()));
        page.pair(QStringLiteral("Vadesi Geçen:"),
                  s.overdue > 0 ? QStringLiteral("%1 TL (en eski %2 gün)")
                                      .arg(money(s.overdue)).arg(s.oldestOverdueDays)
                                : QStringLiteral("Yok"));
        page.pair(QStringLiteral("Açık Sipariş:"),
                  QStringLiteral("%1 sipariş, %2 TL (KDV dahil)")
                      .arg(s.openOrders).arg(money(s.openOrderAmount)));
        page.rule();
        page.line(QStringLiteral("Son Hareketler"), 11, true);
        if (s.lastMovements)
            drawTable(page,
                      {{QStringLiteral("TARIH"), QStringLiteral("Tarih"), 2},
                       {QStringLiteral("TURADI"), QStringLiteral("Tür"), 3},
                       {QStringLiteral("EVRAK"), QStringLiteral("Evrak No"), 3},
                       {QStringLiteral("BORC"), QStringLiteral("Borç"), 2, true},
                       {QStringLiteral("ALACAK"), QStringLiteral("Alacak"), 2, true}},
                      *s.lastMovements);
        page.finish();
    }
    return bytes;
}

QByteArray cardReceiptPdf(const QString &company, const CardPayment &payment)
{
    QMutexLocker lock(&g_drawing);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        Page page(&buffer, company, QStringLiteral("Sanal Pos Ödeme Dekontu"), false);
        page.pair(QStringLiteral("Dekont No:"), QString::number(payment.sirano));
        page.pair(QStringLiteral("İşlem Tarihi:"),
                  payment.paidAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        page.pair(QStringLiteral("Tahsilat Fişi:"), payment.documentNo);
        page.rule();
        page.pair(QStringLiteral("Cari Kod:"), payment.customerCode);
        page.pair(QStringLiteral("Cari Adı:"), payment.customerName);
        page.rule();
        page.pair(QStringLiteral("Kart Sahibi:"), payment.cardHolder);
        page.pair(QStringLiteral("Kart No:"), payment.cardMasked);
        page.pair(QStringLiteral("Banka:"), payment.bank);
        page.pair(QStringLiteral("Taksit:"), payment.installments > 1
                                                 ? QString::number(payment.installments)
                                                 : QStringLiteral("Tek Çekim"));
        page.pair(QStringLiteral("Onay Kodu:"), payment.authCode);
        page.pair(QStringLiteral("Referans:"), payment.reference);
        page.rule();
        page.line(QStringLiteral("Tutar: %1 TL").arg(money(payment.amount)), 14, true,
                  Qt::AlignRight);
        page.skip(20);
        page.line(QStringLiteral("Bu dekont ödemenizin alındığını gösterir."), 9);
        page.finish();
    }
    return bytes;
}

} // namespace Mervak::Server
