// SPDX-License-Identifier: LicenseRef-Mervak
#include "tform1.h"

#include "await.h"
#include "baglantiu.h"
#include "basketpage.h"
#include "busyindicator.h"
#include "customerselection.h"
#include "dataset.h"
#include "deploysettings.h"
#include "endprocess.h"
#include "gridpictures.h"
#include "itementry.h"
#include "machineidentity.h"
#include "messagedialog.h"
#include "pagecontrol.h"
#include "pictures.h"
#include "productlistpage.h"
#include "serverconnection.h"
#include "sharedsettings.h"
#include "stocklistpage.h"
#include "tgirisform.h"
#include "textrules.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace Mervak {

namespace {

struct PageInfo {
    const char *name;
    const char *caption;
    int picture;
    const char *dataSet;   // nullptr: the page has no data-bound grid
};

const PageInfo Pages[TabPageCount] = {
    {"sstoklistesi", "Stok Listesi", Pictures::TabStockList, "stok"},
    {"ssepet", "Sepet", Pictures::TabBasket, "sepet"},
    {"sonceki", "Önceki Siparişler", Pictures::TabPreviousOrders, "ONCEKILER"},
    {"sccariekstre", "Cari Ekstre", Pictures::TabStatement, "EKSTRE"},
    {"syeniler", "Yeni Stoklar", Pictures::TabNewStock, "YENILER"},
    {"skampanyali", "Kampanyalı Stoklar", Pictures::TabCampaign, "kampstok"},
    {"sTabSheetduyuru", "Duyurular", Pictures::TabAnnouncements, nullptr},
    {"sTabbakiyeler", "Bakiyeler", Pictures::TabBalances, nullptr},
    {"ss", "Sanal Pos", Pictures::TabCardPayment, nullptr},
};

const char *const GifNames[BusyGifCount] = {
    "gifstokara", "gifyeniler", "gifkampanyali", "gifduyuru", "gifoncekiler", "gifsepet",
    "gifekstre",
};

// Legend: the status code of each picture and its caption, in the order shown.
struct LegendEntry { int status; const char *caption; };
const LegendEntry Legend[] = {
    {1, " Stok mevcut  "}, {2, " Telefon Açınız  "}, {3, " Yolda  "},
    {5, " Tedarik Sürecinde "}, {4, " Özel Sipariş  "}, {0, " Yok  "},
};

const char ExitQuestion[] = "Programdan Çıkmak İstiyor musunuz ?";

QLabel *headerCaption(const char *text, QWidget *parent)
{
    auto label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setProperty("role", QStringLiteral("caption"));
    return label;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , m_bagc(std::make_unique<ServerConnection>())
    , m_sbilgi(std::make_unique<TSonucBilgisi>())
{
    setObjectName(QStringLiteral("Form1"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);
    resize(1350, 652);

    auto central = new QWidget(this);
    auto layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    auto panel1 = new QFrame(central);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(100);
    buildHeader(panel1);
    layout->addWidget(panel1);

    auto panel2 = new QFrame(central);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameShape(QFrame::StyledPanel);
    panel2->setFrameShadow(QFrame::Sunken);
    panel2->setFixedHeight(35);
    buildSearchBar(panel2);
    layout->addWidget(panel2);

    // The upper banner strip takes no room until a banner is loaded.
    m_RxGIFAnimator2 = new QLabel(central);
    m_RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    m_RxGIFAnimator2->setScaledContents(true);
    m_RxGIFAnimator2->setFixedHeight(0);
    layout->addWidget(m_RxGIFAnimator2);

    m_sPageControl1 = new PageControl(central);
    m_sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    m_sPageControl1->setTabSize(QSize(120, 45));
    buildPages();
    layout->addWidget(m_sPageControl1, 1);

    auto panel3 = new QFrame(central);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setFixedHeight(27);
    buildLegend(panel3);
    layout->addWidget(panel3);

    auto panel5 = new QFrame(central);
    panel5->setObjectName(QStringLiteral("Panel5"));
    panel5->setFixedHeight(40);
    buildFooter(panel5);
    layout->addWidget(panel5);

    setCentralWidget(central);
    buildMenu();

    // The ordering pages: stock search, basket, new-product and campaign lists.
    m_itemEntry = new ItemEntry(*this, this);
    m_stockListPage = new StockListPage(*this, *m_itemEntry);
    m_basketPage = new BasketPage(*this, *m_itemEntry);
    m_newProductsPage = new ProductListPage(*this, *m_itemEntry,
                                            ProductListPage::Kind::NewProducts);
    m_campaignPage = new ProductListPage(*this, *m_itemEntry, ProductListPage::Kind::Campaign);
    m_itemEntry->setBasketLink(m_basketPage);
    page(TabPage::StokListesi)->layout()->addWidget(m_stockListPage);
    page(TabPage::Sepet)->layout()->addWidget(m_basketPage);
    page(TabPage::YeniStoklar)->layout()->addWidget(m_newProductsPage);
    page(TabPage::Kampanyali)->layout()->addWidget(m_campaignPage);
    connect(m_SpeedButton2, &QToolButton::clicked, m_stockListPage,
            &StockListPage::SpeedButton2Click);
    connect(m_SpeedButton1, &QToolButton::clicked, m_stockListPage,
            &StockListPage::SpeedButton1Click);
    m_araedit->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::buildHeader(QFrame *panel)
{
    auto row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(8);

    m_Image1 = new QLabel(panel);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setFixedSize(350, 100);
    m_Image1->setPixmap(Pictures::Logo(QSize(350, 100)));
    row->addWidget(m_Image1);

    auto grid = new QFrame(panel);
    grid->setObjectName(QStringLiteral("GridPanel1"));
    auto gl = new QGridLayout(grid);
    gl->setContentsMargins(0, 10, 0, 10);
    gl->setHorizontalSpacing(6);
    gl->setVerticalSpacing(2);
    gl->setColumnStretch(0, 1827);
    gl->setColumnStretch(1, 8173);
    m_kullanicilbl = new QLabel(grid);
    m_kullanicilbl->setObjectName(QStringLiteral("kullanicilbl"));
    m_cariadilbl = new QLabel(grid);
    m_cariadilbl->setObjectName(QStringLiteral("cariadilbl"));
    m_saticilbl = new QLabel(grid);
    m_saticilbl->setObjectName(QStringLiteral("saticilbl"));
    const std::pair<const char *, QLabel *> rows[] = {
        {"Kullanıcı: ", m_kullanicilbl}, {"Firma: ", m_cariadilbl}, {"Temsilci: ", m_saticilbl}};
    int r = 0;
    for (const auto &[caption, value] : rows) {
        gl->addWidget(headerCaption(caption, grid), r, 0);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(10);
        gl->addWidget(value, r, 1);
        ++r;
    }
    row->addWidget(grid, 1);

    m_RxGIFAnimator1 = new QLabel(panel);
    m_RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    m_RxGIFAnimator1->setFixedSize(409, 100);
    m_RxGIFAnimator1->setScaledContents(true);
    row->addWidget(m_RxGIFAnimator1);

    m_Button3 = new QToolButton(panel);
    m_Button3->setObjectName(QStringLiteral("Button3"));
    m_Button3->setFixedSize(84, 94);
    m_Button3->setIcon(QIcon(Pictures::MenuButton()));
    m_Button3->setIconSize(QSize(48, 48));
    m_Button3->setPopupMode(QToolButton::MenuButtonPopup);
    m_Button3->setToolTip(QStringLiteral("Menü"));
    row->addWidget(m_Button3);
}

void TForm1::buildSearchBar(QFrame *panel)
{
    auto row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(6);

    auto image2 = new QLabel(panel);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(Pictures::SearchIcon(24));
    row->addWidget(image2);

    m_araedit = new QLineEdit(panel);
    m_araedit->setObjectName(QStringLiteral("araedit"));
    m_araedit->setFixedWidth(340);
    QFont big(QStringLiteral("Tahoma"));
    big.setPixelSize(20);
    big.setBold(false);
    m_araedit->setFont(big);
    m_araedit->setPlaceholderText(QStringLiteral("Stok kodu, OEM no, barkod veya adı"));
    connect(m_araedit, &QLineEdit::textEdited, this, &TForm1::araeditEdited);
    row->addWidget(m_araedit);

    m_SpeedButton2 = new QToolButton(panel);
    m_SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    m_SpeedButton2->setToolTip(QStringLiteral("Ara"));
    m_SpeedButton2->setIcon(QIcon(Pictures::SearchIcon(22)));
    m_SpeedButton2->setIconSize(QSize(22, 22));
    m_SpeedButton2->setFixedSize(30, 29);
    row->addWidget(m_SpeedButton2);

    m_SpeedButton1 = new QToolButton(panel);
    m_SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    m_SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    m_SpeedButton1->setIcon(QIcon(Pictures::ClearIcon(18)));
    m_SpeedButton1->setIconSize(QSize(18, 18));
    m_SpeedButton1->setFixedSize(30, 29);
    row->addWidget(m_SpeedButton1);

    m_musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), panel);
    m_musteritus->setObjectName(QStringLiteral("musteritus"));
    m_musteritus->setFixedHeight(29);
    m_musteritus->hide();
    connect(m_musteritus, &QPushButton::clicked, this, [this] { RunGuarded([this] {
        musteritusClick(); }); });
    row->addWidget(m_musteritus);

    for (int i = 0; i < BusyGifCount; ++i) {
        auto gif = new BusyIndicator(panel, QSize(28, 27));
        gif->setObjectName(QString::fromLatin1(GifNames[i]));
        gif->hide();
        m_gifs[size_t(i)] = gif;
        row->addWidget(gif);
    }
    row->addStretch(1);
}

void TForm1::buildPages()
{
    for (int i = 0; i < TabPageCount; ++i) {
        const PageInfo &info = Pages[i];
        auto page = new QWidget(m_sPageControl1);
        page->setObjectName(QString::fromLatin1(info.name));
        auto pl = new QVBoxLayout(page);
        pl->setContentsMargins(2, 4, 2, 2);
        pl->setSpacing(2);
        m_pages[size_t(i)] = page;
        m_sPageControl1->addPage(page, QString::fromUtf8(info.caption),
                                 Pictures::TabImage(info.picture));
        if (info.dataSet) {
            auto ds = new DataSet(this);
            ds->setObjectName(QString::fromLatin1(info.dataSet));
            m_dataSets[size_t(i)] = ds;
        }
    }
    // The card-payment page is designed with its tab hidden.
    m_sPageControl1->setTabVisible(int(TabPage::SanalPos), false);
    m_sPageControl1->setCurrentIndex(int(TabPage::StokListesi));
    connect(m_sPageControl1, &PageControl::pageShown, this, &TForm1::pageShown);
    connect(m_sPageControl1, &PageControl::pageHidden, this, &TForm1::pageHidden);
}

void TForm1::buildLegend(QFrame *panel)
{
    auto row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 0, 8, 0);
    row->setSpacing(0);
    auto caption = new QLabel(QStringLiteral("Durum Açıklaması:    "), panel);
    caption->setObjectName(QStringLiteral("Label3"));
    row->addWidget(caption);
    for (const LegendEntry &e : Legend) {
        auto picture = new QLabel(panel);
        picture->setObjectName(QStringLiteral("legend%1").arg(e.status));
        picture->setFixedWidth(24);
        picture->setPixmap(statusPixmap(e.status, 24));
        row->addWidget(picture);
        row->addWidget(new QLabel(QString::fromUtf8(e.caption), panel));
    }
    row->addStretch(1);
}

void TForm1::buildFooter(QFrame *panel)
{
    auto row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    // The places of the scrolling text and the lower scrolling banner; the announcements
    // part puts its marquees into them.
    m_kayanyazi = new QWidget(panel);
    m_kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    auto kl = new QHBoxLayout(m_kayanyazi);
    kl->setContentsMargins(0, 0, 0, 0);
    QFont marquee(QStringLiteral("Arial"));
    marquee.setPixelSize(24);
    m_kayanyazi->setFont(marquee);
    row->addWidget(m_kayanyazi, 1);

    m_RealTimeMarquee1 = new QWidget(panel);
    m_RealTimeMarquee1->setObjectName(QStringLiteral("RealTimeMarquee1"));
    auto ml = new QHBoxLayout(m_RealTimeMarquee1);
    ml->setContentsMargins(0, 0, 0, 0);
    m_RealTimeMarquee1->hide();
    row->addWidget(m_RealTimeMarquee1, 1);

    m_Image3 = new QLabel(panel);
    m_Image3->setObjectName(QStringLiteral("Image3"));
    m_Image3->hide();
}

void TForm1::buildMenu()
{
    m_Genelmenu = new QMenu(this);
    m_Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    m_MailGonder1 = m_Genelmenu->addAction(QStringLiteral("Mail Gönder"));
    m_MailGonder1->setObjectName(QStringLiteral("MailGonder1"));
    m_Genelmenu->addSeparator();
    m_N4 = m_Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
    m_N4->setObjectName(QStringLiteral("N4"));
    m_Genelmenu->addSeparator();
    // The distributor's web address is the entry's caption.
    m_websitesi = m_Genelmenu->addAction(Deployment().webSite);
    m_websitesi->setObjectName(QStringLiteral("websitesi"));
    m_Genelmenu->addSeparator();
    m_Cikis1 = m_Genelmenu->addAction(QStringLiteral("Çıkış"));
    m_Cikis1->setObjectName(QStringLiteral("Cikis1"));
    m_Genelmenu->addSeparator();
    m_Raporlar = m_Genelmenu->addAction(QStringLiteral("Raporlar"));
    m_Raporlar->setObjectName(QStringLiteral("Raporlar1"));
    m_Raporlar->setVisible(false);

    auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(m_MailGonder1, &QAction::triggered, this, guarded(&TForm1::MailGonder1Click));
    connect(m_N4, &QAction::triggered, this, guarded(&TForm1::N4Click));
    connect(m_websitesi, &QAction::triggered, this, guarded(&TForm1::websitesiClick));
    connect(m_Cikis1, &QAction::triggered, this, &QWidget::close);
    connect(m_Raporlar, &QAction::triggered, this, guarded(&TForm1::Raporlar1Click));
    m_Button3->setMenu(m_Genelmenu);
    // The button's own part opens the menu too; it has no other action.
    connect(m_Button3, &QToolButton::clicked, m_Button3, &QToolButton::showMenu);
}

bool TForm1::Start()
{
    _acilisadet = 0;
    _acilisgoruldu = false;
    QApplication::setApplicationDisplayName(QStringLiteral("Mervak B2B"));
    setWindowTitle(QStringLiteral("Mervak B2B Programı"));
    setMessageFontPointSize(15);

    // The session record and the identity of this machine.
    *m_sbilgi = TSonucBilgisi();
    m_sbilgi->setBilgiSayarAdi(LocalComputerName());
    m_sbilgi->setBilgisayarKullanici(LocalUserName());
    m_sbilgi->setIcip(LocalIpAddress());
    m_sbilgi->setBILGISAYARID(ComputerId());

    // The login sets the real host name before its own server call.
    m_bagc->HostName = ServerHost();
    m_bagc->Port = QString::number(Deployment().serverPort);


    if (!Login())
        return false;
    ApplyUserType();
    setMessageDialogOwner(this);
    StartUpLoad();
    return true;
}

bool TForm1::Login()
{
    Tgirisform girisform;
    girisform.setBagim(m_bagc.get());
    girisform.setBilgim(m_sbilgi.get());
    if (girisform.exec() != QDialog::Accepted) {
        EndProcess(0);
        return false;
    }
    if (m_sbilgi->Disip().trimmed().isEmpty()) {
        EndProcess(0);
        return false;
    }
    return true;
}

void TForm1::switchColumn(const QString &name, bool visible)
{
    m_columnSwitches.insert(name, ColumnSwitch{visible, visible});
}

void TForm1::ApplyUserType()
{
    const int type = m_sbilgi->MusteriTipi();
    if (type == 1 || type == 2) {
        m_musteritus->show();
        for (const char *name : {"cxGrid1DBTableView1KALAN", "cxGridDBColumnKALAN",
                                 "cxGridDBTableView1KALAN", "cxGridDBColumn19",
                                 "cxGrid1DBTableView1ALINANSIPARIS",
                                 "cxGrid1DBTableView1VERILENSIPARIS", "cxGridDBColumn22",
                                 "cxGridDBColumn23", "cxGridDBColumn49", "cxGridDBColumn50"})
            switchColumn(QString::fromLatin1(name), true);
        m_Raporlar->setVisible(true);
    } else if (type == 3) {
        switchColumn(QStringLiteral("cxGridDBTableView1DURUM"), false);
        m_Raporlar->setVisible(false);
    } else if (type == 4) {
        m_sPageControl1->setTabVisible(int(TabPage::Kampanyali), false);
        for (const char *name : {"cxGrid1DBTableView1KAMPFIYAT", "cxGrid1DBTableView1K",
                                 "cxGridDBTableView5KAMPFIYAT", "cxGridDBTableView5K"})
            switchColumn(QString::fromLatin1(name), false);
        m_Raporlar->setVisible(false);
    }
    m_stockListPage->ApplyColumnSwitches(m_columnSwitches);
    m_basketPage->ApplyColumnSwitches(m_columnSwitches);
    m_newProductsPage->ApplyColumnSwitches(m_columnSwitches);
    m_campaignPage->ApplyColumnSwitches(m_columnSwitches);
}

void TForm1::AnaBilgiAl()
{
    m_kullanicilbl->setText(m_sbilgi->ADI());
    m_cariadilbl->setText(m_sbilgi->CariAdi());
    m_saticilbl->setText(m_sbilgi->SaticiAdi() + QStringLiteral(" Telefonu: ")
                         + m_sbilgi->SaticiTelefon() + QStringLiteral(" email: ")
                         + m_sbilgi->SaticiMail());
}

void StartUpStep::handOver(const std::function<void(TForm1 &window)> &change) const
{
    const QPointer<TForm1> target = window;
    RunOnUiThread([&target, &change] {
        if (target)
            change(*target);
    });
}

void TForm1::StartUpLoad()
{
    // The steps work on one copy of the session taken here, so that a change of customer
    // meanwhile cannot tear what a worker reads.
    auto copy = std::make_shared<TSonucBilgisi>();
    copy->Kopyala(*m_sbilgi);
    StartUpStep step{copy, QPointer<TForm1>(this)};
    BeginAsync([step] {
        step.handOver([](TForm1 &window) { window.AnaBilgiAl(); });
        KayanYaziGetir(step);
        BannerREsimAl(step);
        BannerREsimAlUst(step);
        BannerREsimAlAlt(step);
        AcilisReklamAdetAl(step);
        BalonYaz(step);
    })->Await([this] {
        if (!_acilisgoruldu && _acilisadet != 0)
            AcilisReklamGoster();
    }, this);
}

void TForm1::KayanYaziGetir(const StartUpStep &)
{
    // The scrolling text comes with the announcements part.
}

void TForm1::BannerREsimAl(const StartUpStep &)
{
    // The header banner comes with the banners part.
}

void TForm1::BannerREsimAlUst(const StartUpStep &)
{
    // The upper banner strip comes with the banners part.
}

void TForm1::BannerREsimAlAlt(const StartUpStep &)
{
    // The lower scrolling banner comes with the banners part.
}

void TForm1::AcilisReklamAdetAl(const StartUpStep &)
{
    // The opening-advert count comes with the opening adverts part.
}

void TForm1::BalonYaz(const StartUpStep &)
{
    // The balloon counters come with the banners part.
}

void TForm1::AcilisReklamGoster()
{
    // The opening adverts window comes with the opening adverts part.
    _acilisgoruldu = true;
}

QWidget *TForm1::page(TabPage page) const
{
    return m_pages[size_t(page)];
}

BusyIndicator *TForm1::busyIndicator(BusyGif gif) const
{
    return m_gifs[size_t(gif)];
}

DataSet *TForm1::dataSet(TabPage page) const
{
    return m_dataSets[size_t(page)];
}

void TForm1::setTabCaption(TabPage page, const QString &caption)
{
    RunOnUiThread([this, page, caption] { m_sPageControl1->setCaption(int(page), caption); });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (ShowMessageDialog(QString::fromUtf8(ExitQuestion), mtConfirmation, mbYesNo, mbYes)
        != mrYes) {
        event->ignore();
        return;
    }
    EndProcess(0);
    event->accept();
}

void TForm1::araeditEdited(const QString &text)
{
    const QString upper = SearchText(text);
    if (upper == text)
        return;
    const int cursor = m_araedit->cursorPosition();
    m_araedit->setText(upper);
    m_araedit->setCursorPosition(qMin(cursor, int(upper.size())));
}

void TForm1::musteritusClick()
{
    RunCustomerSelection(this, *m_bagc, *m_sbilgi);
    AnaBilgiAl();
    m_basketPage->StartBasketLoad();
    DataSet *stok = m_dataSets[size_t(TabPage::StokListesi)];
    if (stok && stok->isOpen())
        stok->clearRows();
    m_sPageControl1->setCaption(int(TabPage::StokListesi), QStringLiteral("0=Stok Listesi"));
    m_sPageControl1->setCurrentIndex(int(TabPage::StokListesi));
    m_araedit->setFocus();
    m_araedit->selectAll();
}

void TForm1::MailGonder1Click()
{
    // Mail to the distributor comes with the messages part.
}

void TForm1::N4Click()
{
    // The password-change request comes with the messages part.
}

void TForm1::websitesiClick()
{
    QDesktopServices::openUrl(QUrl::fromUserInput(Deployment().webSite));
    m_araedit->setFocus();
    m_araedit->selectAll();
}

void TForm1::Raporlar1Click()
{
    // The reports window comes with the sales-staff part.
}

void TForm1::pageShown(int index)
{
    switch (TabPage(index)) {
    case TabPage::Sepet: m_basketPage->ssepetShow(); break;
    case TabPage::YeniStoklar: m_newProductsPage->Show(); break;
    case TabPage::Kampanyali: m_campaignPage->Show(); break;
    default: break;
    }
}

void TForm1::pageHidden(int)
{
}

} // namespace Mervak
