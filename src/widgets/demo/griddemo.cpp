// SPDX-License-Identifier: LicenseRef-Mervak
// A window with one grid of each kind, filled with made-up rows, to look at the grid
// component by itself: grid-demo [--tab N] [--rows N] [--screenshot file.png]

#include "datagrid.h"
#include "displayformat.h"
#include "excelexport.h"
#include "gridpictures.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Mervak;

namespace {

const QStringList kBrands = {"BOSCH", "VALEO", "MAHLE", "SACHS", "FEBI", "LEMFÖRDER", "NGK",
                             "GATES", "SKF", "TRW"};
const QStringList kParts = {"FREN BALATASI ÖN", "YAĞ FİLTRESİ", "HAVA FİLTRESİ",
                            "AMORTİSÖR ARKA SOL", "DEBRİYAJ SETİ", "BUJİ TAKIMI",
                            "TRİGER SETİ DEVİRDAİM POMPALI", "ROTİL SAĞ", "SU POMPASI",
                            "POLEN FİLTRESİ AKTİF KARBONLU"};
const QStringList kModels = {"DOBLO 1.3 MJET", "CLIO IV 1.5 DCI", "GOLF VII 1.6 TDI",
                             "FOCUS III 1.6 TDCI", "CORSA D 1.3 CDTI", "EGEA 1.4 FIRE"};
const QStringList kReps = {"AHMET YILMAZ", "AYŞE KAYA", "MEHMET DEMİR", "ZEYNEP ŞAHİN"};

QString code(QRandomGenerator &rnd, int digits)
{
    QString s;
    for (int i = 0; i < digits; ++i)
        s += QChar('0' + rnd.bounded(10));
    return s;
}

// --- stock list: status pictures, wrapped text, picture mark, yes/no, drawn price block

DataGrid *stockGrid(QWidget *parent, int rows)
{
    auto *ds = new DataSet(parent);
    for (const char *name : {"STOK_STOKNO", "DURUM", "OEM1", "BARKOD", "ADI", "RESIM",
                             "OZELKOD1", "MARKA", "PKOD", "Y", "K"})
        ds->addField(QString::fromLatin1(name),
                     QByteArray(name) == "STOK_STOKNO" || QByteArray(name) == "DURUM"
                             || QByteArray(name) == "RESIM" || QByteArray(name) == "OZELKOD1"
                             || QByteArray(name) == "Y" || QByteArray(name) == "K"
                         ? FieldType::Integer
                         : FieldType::String);
    for (const char *name : {"LISTEFIYAT1", "KAMPFIYAT", "NETFIYAT", "KDVDAHIL"})
        ds->setDisplayFormat(ds->addField(QString::fromLatin1(name), FieldType::Float),
                             QString::fromLatin1(MoneyFormat));
    ds->addField(QStringLiteral("INDIRIMYAZI"), FieldType::String);

    QRandomGenerator rnd(7);
    ds->disableControls();
    ds->reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const int r = ds->appendRow();
        const double list = 40 + rnd.bounded(4000) + rnd.bounded(100) / 100.0;
        const bool campaign = rnd.bounded(5) == 0;
        const double net = roundDecimal(list * 0.55, 2);
        ds->setInt(r, 0, 10000 + i);
        ds->setInt(r, 1, rnd.bounded(6));
        ds->setString(r, 2, code(rnd, 10));
        ds->setString(r, 3, QStringLiteral("%1-%2").arg(kBrands.at(i % 10).left(3), code(rnd, 7)));
        ds->setString(r, 4, kParts.at(rnd.bounded(10)) + QLatin1Char(' ')
                                + kModels.at(rnd.bounded(6)));
        ds->setInt(r, 5, rnd.bounded(3) == 0 ? 0 : 1);
        ds->setInt(r, 6, 1 + rnd.bounded(24));
        ds->setString(r, 7, kBrands.at(rnd.bounded(10)));
        ds->setString(r, 8, QStringLiteral("P") + code(rnd, 4));
        ds->setInt(r, 9, rnd.bounded(8) == 0 ? 1 : 0);
        ds->setInt(r, 10, campaign ? 1 : 0);
        ds->setDouble(r, 11, list);
        ds->setDouble(r, 12, campaign ? roundDecimal(list * 0.8, 2) : 0.0);
        ds->setDouble(r, 13, net);
        ds->setDouble(r, 14, roundDecimal(net * 1.2, 2));
        ds->setString(r, 15, QStringLiteral("%%1 + %%2").arg(40 + rnd.bounded(3) * 5).arg(10));
    }
    ds->enableControls();

    auto *grid = new DataGrid(parent);
    CellText priceText = [](const GridRow &row) {
        QString text = QStringLiteral("Liste Fiyatı: ") + row.text("LISTEFIYAT1");
        if (row.doubleValue("KAMPFIYAT") > 0)
            text += QStringLiteral("\nKampanyalı Fiyat: ") + row.text("KAMPFIYAT");
        text += QStringLiteral("\nNetFiyat: ") + row.text("NETFIYAT");
        text += QStringLiteral("\nKDV li Fiyat: ") + row.text("KDVDAHIL");
        return text;
    };
    CellPainter pricePainter = [priceText](QPainter *p, const GridCell &cell) {
        p->setPen(cell.textColour);
        p->drawText(cell.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                    priceText(cell.row));
    };
    grid->setColumns({
        {.field = "DURUM", .caption = "Durum", .weight = 1, .kind = ColumnKind::StatusPicture,
         .width = 60},
        {.field = "OEM1", .caption = "Oem1", .weight = 2, .kind = ColumnKind::WrappedText},
        {.field = "BARKOD", .caption = "Barkod", .weight = 2, .kind = ColumnKind::WrappedText},
        {.field = "ADI", .caption = "Açıklama", .weight = 3, .kind = ColumnKind::WrappedText},
        {.field = "STOK_STOKNO", .weight = 1, .shown = false, .offered = false},
        {.field = "RESIM", .caption = "Resim", .weight = 1, .kind = ColumnKind::PictureMark},
        {.field = "OZELKOD1", .caption = "Koli Adet", .weight = 1,
         .headerAlignment = Qt::AlignLeft | Qt::AlignVCenter},
        {.field = "MARKA", .caption = "Marka", .weight = 2, .kind = ColumnKind::WrappedText},
        {.field = "PKOD", .caption = "Özel Kod", .weight = 2, .kind = ColumnKind::WrappedText},
        {.field = "LISTEFIYAT1", .caption = "Liste Fiyatı", .weight = 2, .shown = false},
        {.field = "Y", .caption = "Yeni", .weight = 1, .kind = ColumnKind::YesNoPicture},
        {.field = "K", .caption = "Kampanyalı", .weight = 1, .kind = ColumnKind::YesNoPicture},
        {.field = "INDIRIMYAZI", .caption = "İndirim Oran", .weight = 2,
         .kind = ColumnKind::CentredLabel},
        {.field = "KDVDAHIL", .caption = "KDV Dahil Fiyat", .weight = 3, .shown = false,
         .kind = ColumnKind::WrappedText},
        {.caption = "Fiyat Bilgisi", .weight = 2, .kind = ColumnKind::Drawn, .width = 150,
         .headerAlignment = Qt::AlignLeft | Qt::AlignVCenter, .name = "FiyatBilgisi",
         .paint = pricePainter, .text = priceText},
    });
    grid->setRowHeight(100);
    grid->setFooterVisible(true);
    grid->setFooterSummaries({{.column = "OEM1", .kind = SummaryKind::Count}});
    grid->setDataSet(ds);
    // Wide windows show the VAT-inclusive price column, narrow ones the drawn price block.
    QObject::connect(grid, &DataGrid::resized, grid, [grid](int) {
        const bool narrow = grid->window()->width() < 1153;
        grid->beginUpdate();
        grid->setColumnShown(QStringLiteral("KDVDAHIL"), !narrow);
        grid->setColumnShown(QStringLiteral("FiyatBilgisi"), narrow);
        grid->setRowHeight(narrow ? 100 : 80);
        grid->layoutByWeights();
        if (narrow) {
            grid->setColumnWidth(QStringLiteral("OEM1"), 80);
            grid->setColumnWidth(QStringLiteral("FiyatBilgisi"), 190);
        }
        grid->endUpdate();
    });
    return grid;
}

// --- basket: check boxes the owner stores, footer sums

DataGrid *basketGrid(QWidget *parent)
{
    auto *ds = new DataSet(parent);
    ds->addField(QStringLiteral("SEC"), FieldType::Integer);
    ds->addField(QStringLiteral("VERILISTARIHI"), FieldType::Date);
    ds->addField(QStringLiteral("BARKOD"), FieldType::String);
    ds->addField(QStringLiteral("STOKADI"), FieldType::String);
    ds->addField(QStringLiteral("MIKTAR"), FieldType::Float);
    ds->addField(QStringLiteral("BIRIMFIYAT"), FieldType::Float);
    ds->addField(QStringLiteral("NETTUTAR"), FieldType::Float);
    ds->addField(QStringLiteral("DURUM"), FieldType::Integer);
    for (int f = 4; f <= 6; ++f)
        ds->setDisplayFormat(f, QString::fromLatin1(MoneyFormat));
    QRandomGenerator rnd(11);
    ds->disableControls();
    for (int i = 0; i < 14; ++i) {
        const int r = ds->appendRow();
        const double qty = 1 + rnd.bounded(12);
        const double price = 25 + rnd.bounded(900) + rnd.bounded(100) / 100.0;
        ds->setInt(r, 0, i % 3 == 0 ? 0 : 1);
        ds->setValue(r, 1, QDate(2024, 5, 2).addDays(i / 3));
        ds->setString(r, 2, QStringLiteral("%1-%2").arg(kBrands.at(i % 10).left(3), code(rnd, 7)));
        ds->setString(r, 3, kParts.at(i % 10));
        ds->setDouble(r, 4, qty);
        ds->setDouble(r, 5, price);
        ds->setDouble(r, 6, roundDecimal(qty * price * 0.6, 2));
        ds->setInt(r, 7, rnd.bounded(6));
    }
    ds->enableControls();

    auto *grid = new DataGrid(parent);
    grid->setColumns({
        {.field = "SEC", .caption = "Seç", .offered = false, .kind = ColumnKind::CheckBox,
         .width = 54},
        {.field = "VERILISTARIHI", .caption = "Sipariş Tarihi", .width = 110},
        {.field = "BARKOD", .caption = "Barkod", .weight = 2, .width = 150},
        {.field = "STOKADI", .caption = "Stok Açıklama", .weight = 3, .width = 280},
        {.field = "MIKTAR", .caption = "Miktar", .width = 90},
        {.field = "BIRIMFIYAT", .caption = "Birim Fiyat", .width = 110},
        {.field = "NETTUTAR", .caption = "Net Tutar", .width = 120},
        {.field = "DURUM", .caption = "Durum", .kind = ColumnKind::StatusPicture, .width = 64},
    });
    grid->setRowHeight(40);
    grid->setFooterVisible(true);
    grid->setFooterSummaries({{.column = "VERILISTARIHI", .kind = SummaryKind::Count},
                              {.column = "MIKTAR", .kind = SummaryKind::Sum},
                              {.column = "NETTUTAR", .kind = SummaryKind::Sum}});
    grid->setDataSet(ds);
    QObject::connect(grid, &DataGrid::checkToggled, grid,
                     [ds](const GridRow &row, const QString &, int value) {
                         ds->setInt(row.row(), ds->fieldIndex(QStringLiteral("SEC")), value);
                     });
    return grid;
}

// --- reports: grouping with group footers, the product skin

DataGrid *reportGrid(QWidget *parent)
{
    auto *ds = new DataSet(parent);
    ds->addField(QStringLiteral("SATICIADI"), FieldType::String);
    ds->addField(QStringLiteral("TARIH"), FieldType::Date);
    ds->addField(QStringLiteral("CARIKOD"), FieldType::String);
    ds->addField(QStringLiteral("CARIADI"), FieldType::String);
    ds->setDisplayFormat(ds->addField(QStringLiteral("NETTUTAR"), FieldType::Float),
                         QString::fromLatin1(MoneyFormat));
    ds->setDisplayFormat(ds->addField(QStringLiteral("TUTAR"), FieldType::Float),
                         QString::fromLatin1(MoneyFormat));
    const QStringList firms = {"ÖZGÜR OTO YEDEK PARÇA", "KARDEŞLER OTOMOTİV", "YILDIZ MOTOR",
                               "ERCİYES OTO", "MARMARA YEDEK PARÇA", "ÇAĞDAŞ OTOMOTİV"};
    QRandomGenerator rnd(5);
    ds->disableControls();
    for (int i = 0; i < 40; ++i) {
        const int r = ds->appendRow();
        const double net = 500 + rnd.bounded(20000) + rnd.bounded(100) / 100.0;
        ds->setString(r, 0, kReps.at(rnd.bounded(4)));
        ds->setValue(r, 1, QDate(2024, 6, 1).addDays(rnd.bounded(30)));
        ds->setString(r, 2, QStringLiteral("120.%1").arg(code(rnd, 3)));
        ds->setString(r, 3, firms.at(rnd.bounded(6)));
        ds->setDouble(r, 4, net);
        ds->setDouble(r, 5, roundDecimal(net * 1.2, 2));
    }
    ds->enableControls();

    auto *grid = new DataGrid(parent);
    grid->setGridStyle(GridStyle::skin());
    grid->setIndicatorWidth(12);
    grid->setColumns({
        {.field = "SATICIADI", .shown = false, .fieldCaption = true},
        {.field = "TARIH", .width = 110, .fieldCaption = true},
        {.field = "CARIKOD", .width = 110, .fieldCaption = true},
        {.field = "CARIADI", .width = 300, .fieldCaption = true},
        {.field = "NETTUTAR", .width = 140, .fieldCaption = true},
        {.field = "TUTAR", .width = 140, .fieldCaption = true},
    });
    grid->setRowHeight(30);
    grid->setFooterVisible(true);
    const QList<GridSummary> sums = {{.column = "TUTAR", .kind = SummaryKind::Sum},
                                     {.column = "TARIH", .kind = SummaryKind::Count}};
    grid->setFooterSummaries(sums);
    grid->setGroupSummaries(sums);
    grid->setDataSet(ds);
    grid->setGroupColumn(QStringLiteral("SATICIADI"));
    grid->collapseAllGroups();
    grid->setGroupCollapsed(1, false);
    return grid;
}

// --- announcements: unbound rows holding picture bytes

QByteArray announcementPicture(int index)
{
    static const QColor colours[] = {QColor(98, 52, 145), QColor(30, 115, 200),
                                     QColor(218, 120, 0)};
    static const char *titles[] = {"KAMPANYA: Fren Balatalarında %20 İndirim",
                                   "Yeni Gelen Ürünler Listede", "Triger Setlerinde Fırsat"};
    QImage image(605, 190, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 605, 190);
    g.setColorAt(0, colours[index % 3]);
    g.setColorAt(1, colours[index % 3].darker(160));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.drawText(image.rect().adjusted(30, 0, -30, 0), Qt::AlignVCenter | Qt::TextWordWrap,
               QString::fromUtf8(titles[index % 3]));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

DataGrid *announcementGrid(QWidget *parent)
{
    auto *grid = new DataGrid(parent);
    grid->setColumns({
        {.field = "duyuru", .kind = ColumnKind::Picture, .width = 640},
        {.field = "baslik", .shown = false, .offered = false},
        {.field = "arama", .shown = false, .offered = false},
    });
    grid->setUnboundFields({{"duyuru", FieldType::Blob, 0, {}},
                            {"baslik", FieldType::String, 0, {}},
                            {"arama", FieldType::String, 0, {}}});
    grid->setHeaderVisible(false);
    grid->setIndicatorWidth(0);
    grid->setRowHeight(200);
    grid->setScrollPerPixel(true);
    grid->setSortingEnabled(false);
    grid->setFilterButtons(false);
    grid->setGridStyle(GridStyle::skin());
    grid->setAlternatingRows(false);
    for (int i = 0; i < 3; ++i)
        grid->appendRow({{"duyuru", announcementPicture(i)}, {"baslik", i}, {"arama", "#YENİ#"}});
    return grid;
}

// --- statement: no sorting, alignments by column

DataGrid *statementGrid(QWidget *parent)
{
    auto *ds = new DataSet(parent);
    ds->addField(QStringLiteral("TARIH"), FieldType::Date);
    ds->addField(QStringLiteral("TURADI"), FieldType::String);
    ds->addField(QStringLiteral("EVRAK"), FieldType::String);
    for (const char *name : {"BORC", "ALACAK", "BAKIYE"})
        ds->setDisplayFormat(ds->addField(QString::fromLatin1(name), FieldType::Float),
                             QString::fromLatin1(MoneyFormat));
    ds->addField(QStringLiteral("D"), FieldType::String);
    ds->addField(QStringLiteral("ACIKLAMA"), FieldType::String);
    const QStringList kinds = {"Satış Faturası", "Tahsilat", "İade Faturası", "Tediye"};
    QRandomGenerator rnd(3);
    double balance = 0;
    ds->disableControls();
    for (int i = 0; i < 30; ++i) {
        const int r = ds->appendRow();
        const int kind = i % 4;
        const double amount = 200 + rnd.bounded(9000) + rnd.bounded(100) / 100.0;
        const double debit = kind == 0 || kind == 3 ? amount : 0.0;
        const double credit = debit == 0 ? amount : 0.0;
        balance += debit - credit;
        ds->setValue(r, 0, QDate(2024, 1, 3).addDays(i * 4));
        ds->setString(r, 1, kinds.at(kind));
        ds->setString(r, 2, QStringLiteral("A-%1").arg(code(rnd, 6)));
        ds->setDouble(r, 3, debit);
        ds->setDouble(r, 4, credit);
        ds->setDouble(r, 5, balance);
        ds->setString(r, 6, balance > 0 ? QStringLiteral("B")
                            : balance < 0 ? QStringLiteral("A") : QStringLiteral(" "));
        ds->setString(r, 7, kind == 1 ? QStringLiteral("Havale ile ödeme") : QString());
    }
    ds->enableControls();

    auto *grid = new DataGrid(parent);
    grid->setColumns({
        {.field = "TARIH", .caption = "Tarih", .width = 100},
        {.field = "TURADI", .caption = "Tür Adı", .width = 200},
        {.field = "EVRAK", .caption = "Evrak No", .width = 140},
        {.field = "BORC", .caption = "Borç", .width = 130, .alignment = Qt::AlignRight},
        {.field = "ALACAK", .caption = "Alacak", .width = 130, .alignment = Qt::AlignRight},
        {.field = "BAKIYE", .caption = "Bakiye", .width = 130, .alignment = Qt::AlignRight},
        {.field = "D", .width = 51, .alignment = Qt::AlignHCenter, .fieldCaption = true},
        {.field = "ACIKLAMA", .caption = "Açıklama", .width = 300},
    });
    grid->setSortingEnabled(false);
    grid->setFooterVisible(true);
    grid->setFooterSummaries({{.column = "BORC", .kind = SummaryKind::Sum},
                              {.column = "ALACAK", .kind = SummaryKind::Sum}});
    grid->setDataSet(ds);
    return grid;
}

QWidget *statusLegend(QWidget *parent)
{
    auto *legend = new QWidget(parent);
    auto *layout = new QHBoxLayout(legend);
    layout->setContentsMargins(8, 2, 8, 2);
    auto *caption = new QLabel(QStringLiteral("Durum Açıklaması:    "), legend);
    layout->addWidget(caption);
    const std::pair<int, const char *> entries[] = {
        {1, " Stok mevcut  "}, {2, " Telefon Açınız  "}, {3, " Yolda  "},
        {5, " Tedarik Sürecinde "}, {4, " Özel Sipariş  "}, {0, " Yok  "}};
    for (const auto &[status, text] : entries) {
        auto *picture = new QLabel(legend);
        picture->setPixmap(statusPixmap(status, 20));
        layout->addWidget(picture);
        layout->addWidget(new QLabel(QString::fromUtf8(text), legend));
    }
    layout->addStretch();
    legend->setStyleSheet(QStringLiteral("QLabel { color: rgb(67,76,88); font-weight: bold; }"));
    legend->setFixedHeight(27);
    return legend;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("grid-demo"));
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setBold(true);
    app.setFont(font);

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption tabOption(QStringLiteral("tab"), QStringLiteral("Tab to show."),
                                 QStringLiteral("index"), QStringLiteral("0"));
    QCommandLineOption rowsOption(QStringLiteral("rows"), QStringLiteral("Stock rows."),
                                  QStringLiteral("count"), QStringLiteral("100000"));
    QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                  QStringLiteral("Save the window to a PNG and quit."),
                                  QStringLiteral("file"));
    QCommandLineOption widthOption(QStringLiteral("width"), QStringLiteral("Window width."),
                                   QStringLiteral("pixels"), QStringLiteral("1350"));
    QCommandLineOption popupOption(QStringLiteral("filter-popup"),
                                   QStringLiteral("Open the header filter of a stock column."),
                                   QStringLiteral("column"));
    parser.addOptions({tabOption, rowsOption, shotOption, widthOption, popupOption});
    parser.process(app);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Mervak B2B - Liste Örnekleri"));
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 0);
    auto *tabs = new QTabWidget(central);
    DataGrid *stock = stockGrid(tabs, parser.value(rowsOption).toInt());
    tabs->addTab(stock, QStringLiteral("Stok Listesi"));
    DataGrid *basket = basketGrid(tabs);
    auto *basketPage = new QWidget(tabs);
    auto *basketLayout = new QVBoxLayout(basketPage);
    basketLayout->setContentsMargins(0, 0, 0, 0);
    basketLayout->addWidget(basket);
    auto *excel = new QPushButton(QStringLiteral("Excel Kaydet"), basketPage);
    QObject::connect(excel, &QPushButton::clicked, basket, [basket] {
        saveGridToExcel(basket, *basket, QStringLiteral("Excel Kaydet"));
    });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(excel);
    basketLayout->addLayout(buttons);
    tabs->addTab(basketPage, QStringLiteral("Sepet"));
    tabs->addTab(reportGrid(tabs), QStringLiteral("Raporlar"));
    tabs->addTab(announcementGrid(tabs), QStringLiteral("Duyurular"));
    tabs->addTab(statementGrid(tabs), QStringLiteral("Cari Ekstre"));
    tabs->setCurrentIndex(parser.value(tabOption).toInt());
    layout->addWidget(tabs, 1);
    layout->addWidget(statusLegend(central));
    window.setCentralWidget(central);
    window.resize(parser.value(widthOption).toInt(), 760);
    window.show();

    if (parser.isSet(popupOption)) {
        QTimer::singleShot(300, stock, [stock, &parser, &popupOption] {
            stock->setColumnFilter(QStringLiteral("DURUM"), {QStringLiteral("1"), QStringLiteral("3")});
            stock->sortBy(QStringLiteral("ADI"));
            stock->showFilterPopup(parser.value(popupOption));
        });
    }
    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(800, &window, [&window, file] {
            window.grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
