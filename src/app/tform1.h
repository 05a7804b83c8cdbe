// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "shellwindow.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace Mervak {

class BasketPage;
class BusyIndicator;
class DataSet;
class ItemEntry;
class PageControl;
class ProductListPage;
class StockListPage;
class ServerConnection;
class TSonucBilgisi;

/*!
    The main window. Building it lays out the controls; Start() runs what the window's
    creation does before the user sees it: session record and machine identity, the
    connection settings, the login, the adjustment to the user type and the start-up load.
*/
class TForm1;

/*!
    What a step of the start-up load works with on the worker: its own copy of the session,
    and the window, reached only through handOver.
*/
struct StartUpStep
{
    std::shared_ptr<const TSonucBilgisi> session;
    QPointer<TForm1> window;   // read on the user-interface thread only

    // Runs \a change on the user-interface thread while the window exists, and waits.
    void handOver(const std::function<void(TForm1 &window)> &change) const;
};

class TForm1 : public QMainWindow, public ShellWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    /*!
        Runs the creation steps. Answers false when the program ends here (login cancelled or
        refused, no public address); the exit routine has been called by then.
    */
    bool Start();

    // Adjusts columns, tabs and menu entries to sbilgi's user type.
    void ApplyUserType();
    // The start-up load: header labels, scrolling text, banners, advert count, balloons.
    void StartUpLoad();
    // Fills the header labels from the session record (user-interface thread).
    void AnaBilgiAl();

    // --- ShellWindow
    QWidget *window() override { return this; }
    PageControl *pageControl() const override { return m_sPageControl1; }
    QWidget *page(TabPage page) const override;
    BusyIndicator *busyIndicator(BusyGif gif) const override;
    QLineEdit *searchEdit() const override { return m_araedit; }
    TSonucBilgisi &session() override { return *m_sbilgi; }
    ServerConnection &connection() override { return *m_bagc; }
    DataSet *dataSet(TabPage page) const override;
    void setTabCaption(TabPage page, const QString &caption) override;
    QHash<QString, ColumnSwitch> columnSwitches() const override { return m_columnSwitches; }

    // --- fields other parts use
    ServerConnection &bagc() { return *m_bagc; }
    TSonucBilgisi &sbilgi() { return *m_sbilgi; }
    int _acilisadet = 0;
    bool _acilisgoruldu = false;

    // --- controls
    QLabel *kullanicilbl() const { return m_kullanicilbl; }
    QLabel *cariadilbl() const { return m_cariadilbl; }
    QLabel *saticilbl() const { return m_saticilbl; }
    QPushButton *musteritus() const { return m_musteritus; }
    QToolButton *SpeedButton1() const { return m_SpeedButton1; }   // "Temizle"
    QToolButton *SpeedButton2() const { return m_SpeedButton2; }   // "Ara"
    QLabel *Image3() const { return m_Image3; }
    StockListPage *stockListPage() const { return m_stockListPage; }
    BasketPage *basketPage() const { return m_basketPage; }
    QToolButton *Button3() const { return m_Button3; }
    QMenu *Genelmenu() const { return m_Genelmenu; }
    QAction *raporlarAction() const { return m_Raporlar; }
    QAction *webSiteAction() const { return m_websitesi; }
    QLabel *headerBanner() const { return m_RxGIFAnimator1; }
    QLabel *upperBanner() const { return m_RxGIFAnimator2; }
    QWidget *scrollingTextPlace() const { return m_kayanyazi; }
    QWidget *lowerBannerPlace() const { return m_RealTimeMarquee1; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildHeader(QFrame *panel);
    void buildSearchBar(QFrame *panel);
    void buildPages();
    void buildLegend(QFrame *panel);
    void buildFooter(QFrame *panel);
    void buildMenu();

    bool Login();
    void switchColumn(const QString &name, bool visible);

    // Start-up load steps that the promotions part fills. They run one after another on the
    // worker; each makes its own server calls and hands its display changes over.
    static void KayanYaziGetir(const StartUpStep &step);
    static void BannerREsimAl(const StartUpStep &step);
    static void BannerREsimAlUst(const StartUpStep &step);
    static void BannerREsimAlAlt(const StartUpStep &step);
    static void AcilisReklamAdetAl(const StartUpStep &step);
    static void BalonYaz(const StartUpStep &step);
    void AcilisReklamGoster();

    // Handlers.
    void araeditEdited(const QString &text);
    void musteritusClick();
    void MailGonder1Click();
    void N4Click();
    void websitesiClick();
    void Raporlar1Click();
    void pageShown(int index);
    void pageHidden(int index);

    std::unique_ptr<ServerConnection> m_bagc;
    std::unique_ptr<TSonucBilgisi> m_sbilgi;
    QHash<QString, ColumnSwitch> m_columnSwitches;

    // header
    QLabel *m_Image1 = nullptr;
    QLabel *m_kullanicilbl = nullptr;
    QLabel *m_cariadilbl = nullptr;
    QLabel *m_saticilbl = nullptr;
    QLabel *m_RxGIFAnimator1 = nullptr;
    QToolButton *m_Button3 = nullptr;
    QMenu *m_Genelmenu = nullptr;
    QAction *m_MailGonder1 = nullptr;
    QAction *m_N4 = nullptr;
    QAction *m_websitesi = nullptr;
    QAction *m_Cikis1 = nullptr;
    QAction *m_Raporlar = nullptr;
    // search bar
    QLineEdit *m_araedit = nullptr;
    QToolButton *m_SpeedButton1 = nullptr;
    QToolButton *m_SpeedButton2 = nullptr;
    QPushButton *m_musteritus = nullptr;
    std::array<BusyIndicator *, BusyGifCount> m_gifs{};
    // banners, pages, legend, footer
    QLabel *m_RxGIFAnimator2 = nullptr;
    PageControl *m_sPageControl1 = nullptr;
    std::array<QWidget *, TabPageCount> m_pages{};
    std::array<DataSet *, TabPageCount> m_dataSets{};
    QWidget *m_kayanyazi = nullptr;
    QWidget *m_RealTimeMarquee1 = nullptr;
    QLabel *m_Image3 = nullptr;
    // the ordering pages
    ItemEntry *m_itemEntry = nullptr;
    StockListPage *m_stockListPage = nullptr;
    BasketPage *m_basketPage = nullptr;
    ProductListPage *m_newProductsPage = nullptr;
    ProductListPage *m_campaignPage = nullptr;
};

} // namespace Mervak
