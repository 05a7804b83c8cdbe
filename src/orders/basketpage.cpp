// SPDX-License-Identifier: LicenseRef-Mervak
#include "basketpage.h"

#include "await.h"
#include "busyindicator.h"
#include "datagrid.h"
#include "dataset.h"
#include "datasetroutines.h"
#include "displayformat.h"
#include "excelexport.h"
#include "itementry.h"
#include "messagedialog.h"
#include "orderstexts.h"
#include "remotecall.h"
#include "remoteerror.h"
#include "serverconnection.h"
#include "shellwindow.h"
#include "tabload.h"
#include "tonaysip.h"

#include <QAction>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace Mervak {

namespace {

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QFont tahoma(int pixels, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

GridColumn col(const char *field, const char *caption, bool shown, bool offered, int weight,
               int width, ColumnKind kind = ColumnKind::Text)
{
    return {.field = QString::fromLatin1(field), .caption = QString::fromUtf8(caption),
            .weight = weight, .shown = shown, .offered = offered, .kind = kind, .width = width,
            .name = QStringLiteral("cxGridDBTableView1") + QString::fromLatin1(field)};
}

// The basket grid (cxGridDBTableView1), keyed by its column names so that the user-type
// switches ("cxGridDBTableView1KALAN", "cxGridDBTableView1DURUM") find them.
QList<GridColumn> BasketColumns()
{
    constexpr bool Shown = true;
    constexpr bool Hidden = false;
    constexpr bool Offered = true;
    constexpr bool Fixed = false;
    GridColumn kdv = col("KDV", "", Shown, Offered, 1, 84);
    kdv.fieldCaption = true;
    GridColumn indirimYazi = col("INDIRIMYAZI", "İndirim Oran", Shown, Offered, 2, 84,
                                 ColumnKind::CentredLabel);
    return {
        col("SEC", "Seç", Shown, Fixed, 1, 74, ColumnKind::CheckBox),
        col("VERILISTARIHI", "Sipariş Tarihi", Shown, Offered, 1, 84),
        col("SIRANO", "", Hidden, Fixed, 0, 84),
        col("SIPARISNO", "Sipariş No", Hidden, Offered, 0, 84),
        col("CARINO", "", Hidden, Fixed, 0, 84),
        col("TARIH", "Tarih", Hidden, Offered, 1, 84),
        col("AKTAR", "", Hidden, Fixed, 0, 84),
        col("STOKNO", "", Hidden, Fixed, 0, 84),
        col("BARKOD", "Barkod", Shown, Offered, 2, 196, ColumnKind::WrappedText),
        col("FINISHKOD", "FinishKod", Shown, Offered, 2, 169, ColumnKind::WrappedText),
        col("OEMNO", "OEMNo", Shown, Offered, 2, 178, ColumnKind::WrappedText),
        col("STOKADI", "Stok Açıklama", Shown, Offered, 3, 291, ColumnKind::WrappedText),
        col("MIKTAR", "Miktar", Shown, Offered, 1, 84),
        col("BIRIMFIYAT", "Birim Fiyat", Shown, Offered, 1, 84),
        col("TUTAR", "Tutar", Shown, Offered, 1, 84),
        indirimYazi,
        col("INDIRIMORANI1", "İndirim Oranı %", Hidden, Fixed, 1, 84),
        col("INDIRIMORANI2", "", Hidden, Fixed, 1, 84),
        col("INDIRIMORANI3", "", Hidden, Fixed, 1, 84),
        col("INDIRIMTUTAR", "İndirim Tutar", Hidden, Fixed, 1, 84),
        col("NETBIRIMFIYAT", "Net Fiyat", Shown, Offered, 1, 84),
        kdv,
        col("VERGITUTARI", "Vergi Tutarı", Shown, Offered, 1, 84),
        col("NETTUTAR", "Net Tutar", Shown, Offered, 1, 84),
        col("KUR", "Kur", Hidden, Offered, 1, 44),
        col("KURTL", "", Hidden, Fixed, 1, 84),
        col("VERENIDNO", "", Hidden, Fixed, 1, 84),
        col("SAAT", "Saat", Hidden, Offered, 1, 84),
        col("TESLIMID", "", Hidden, Fixed, 1, 84),
        col("KARGOID", "", Hidden, Fixed, 1, 84),
        col("ACIKLAMA", "Açıklama", Hidden, Offered, 1, 84),
        col("IDNO", "", Hidden, Fixed, 1, 84),
        col("VERENSIRANO", "", Hidden, Fixed, 1, 84),
        col("VEREN", "Veren", Shown, Offered, 1, 133),
        col("CARIKOD", "Cari Kod", Hidden, Fixed, 1, 204),
        col("CARIADI", "Cari Adı", Hidden, Fixed, 1, 404),
        col("OEM1", "", Hidden, Offered, 1, 244),
        col("OEM2", "", Hidden, Offered, 1, 244),
        col("OEM3", "", Hidden, Offered, 1, 244),
        col("OEM4", "", Hidden, Offered, 1, 244),
        col("STOK_STOKNO", "", Hidden, Fixed, 1, 84),
        col("URETICIKODU", "", Hidden, Fixed, 1, 404),
        col("DIGERADI", "", Hidden, Offered, 1, 404),
        col("DPKOD", "", Hidden, Offered, 1, 404),
        col("MARKA", "Marka", Hidden, Offered, 1, 404),
        col("MODEL", "Model", Hidden, Offered, 1, 404),
        col("ANAGRUP", "Ana Grup", Hidden, Offered, 1, 404),
        col("OZELKOD", "Özel Kod", Hidden, Offered, 1, 204),
        col("PKOD", "", Hidden, Offered, 1, 404),
        col("DURUM", "Durum", Shown, Offered, 1, 74, ColumnKind::StatusPicture),
        col("KALAN", "Kalan", Hidden, Fixed, 1, 74),
        col("INDIRIMORANI4", "", Hidden, Offered, 0, 84),
    };
}

QLabel *totalCaption(const char *utf8, QWidget *parent, bool bold = false)
{
    auto label = new QLabel(str(utf8), parent);
    label->setFont(tahoma(bold ? 16 : 14, true));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel *totalValue(const char *name, QWidget *parent, bool bold = false)
{
    auto label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(tahoma(bold ? 16 : 14, bold));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(140);
    return label;
}

} // namespace

BasketPage::BasketPage(ShellWindow &shell, ItemEntry &itemEntry, QWidget *parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_itemEntry(itemEntry)
{
    setObjectName(QStringLiteral("basketPage"));
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    m_cxGrid2 = new DataGrid(this);
    m_cxGrid2->setObjectName(QStringLiteral("cxGrid2"));
    m_cxGrid2->setColumns(BasketColumns());
    m_cxGrid2->setRowHeight(60);
    m_cxGrid2->setHeaderHeight(40);
    m_cxGrid2->setFilterButtons(true);
    m_cxGrid2->setIncrementalSearch(true);
    m_cxGrid2->setFooterVisible(true);
    m_cxGrid2->setFooterSummaries(
        {{.column = QStringLiteral("cxGridDBTableView1VERILISTARIHI"), .kind = SummaryKind::Count},
         {.column = QStringLiteral("cxGridDBTableView1MIKTAR"), .kind = SummaryKind::Sum},
         {.column = QStringLiteral("cxGridDBTableView1NETTUTAR"), .kind = SummaryKind::Sum}});
    m_cxGrid2->setDataSet(sepet());
    layout->addWidget(m_cxGrid2, 1);

    // Selection bar with the overdue-balance warning.
    auto panelsec = new QFrame(this);
    panelsec->setObjectName(QStringLiteral("panelsec"));
    auto sec = new QHBoxLayout(panelsec);
    sec->setContentsMargins(2, 2, 2, 2);
    sec->setSpacing(6);
    m_Button4 = new QPushButton(str(OrdersTexts::SelectAllButton), panelsec);
    m_Button4->setObjectName(QStringLiteral("Button4"));
    m_Button5 = new QPushButton(str(OrdersTexts::ClearSelectionButton), panelsec);
    m_Button5->setObjectName(QStringLiteral("Button5"));
    for (QPushButton *b : {m_Button4, m_Button5}) {
        b->setMinimumSize(140, 30);
        sec->addWidget(b);
    }
    m_lbluyarbakiye = new QLabel(panelsec);
    m_lbluyarbakiye->setObjectName(QStringLiteral("lbluyarbakiye"));
    m_lbluyarbakiye->setFont(tahoma(16, true));
    m_lbluyarbakiye->setStyleSheet(QStringLiteral("color: #d01010;"));
    m_lbluyarbakiye->setWordWrap(true);
    m_lbluyarbakiye->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    sec->addWidget(m_lbluyarbakiye, 1);
    layout->addWidget(panelsec);

    // Totals and the two actions.
    auto bottom = new QFrame(this);
    bottom->setObjectName(QStringLiteral("Panel4"));
    auto bl = new QHBoxLayout(bottom);
    bl->setContentsMargins(2, 0, 2, 2);
    bl->setSpacing(12);
    m_mesaj = new QGroupBox(str(OrdersTexts::MessageGroup), bottom);
    m_mesaj->setObjectName(QStringLiteral("Mesaj"));
    auto totals = new QGridLayout(m_mesaj);
    totals->setContentsMargins(12, 6, 12, 6);
    totals->setHorizontalSpacing(10);
    totals->setVerticalSpacing(1);
    m_aratoplaml = totalValue("aratoplaml", m_mesaj);
    m_indiriml = totalValue("indiriml", m_mesaj);
    m_nettutarl = totalValue("nettutarl", m_mesaj);
    m_vergil = totalValue("vergil", m_mesaj);
    m_geneltoplaml = totalValue("geneltoplaml", m_mesaj, true);
    // Two columns of totals side by side keep the block low.
    totals->addWidget(totalCaption(OrdersTexts::GrossCaption, m_mesaj), 0, 0);
    totals->addWidget(m_aratoplaml, 0, 1);
    totals->addWidget(totalCaption(OrdersTexts::DiscountCaption, m_mesaj), 1, 0);
    totals->addWidget(m_indiriml, 1, 1);
    totals->addWidget(totalCaption(OrdersTexts::SubtotalCaption, m_mesaj), 2, 0);
    totals->addWidget(m_nettutarl, 2, 1);
    totals->addWidget(totalCaption(OrdersTexts::TaxCaption, m_mesaj), 0, 2);
    totals->addWidget(m_vergil, 0, 3);
    totals->addWidget(totalCaption(OrdersTexts::GrandCaption, m_mesaj, true), 1, 2, 2, 1);
    totals->addWidget(m_geneltoplaml, 1, 3, 2, 1);
    totals->setColumnMinimumWidth(2, 150);
    bl->addWidget(m_mesaj);
    bl->addStretch(1);

    m_Button2 = new QPushButton(str(OrdersTexts::ExcelButton), bottom);
    m_Button2->setObjectName(QStringLiteral("Button2"));
    m_Button1 = new QPushButton(str(OrdersTexts::SendButton), bottom);
    m_Button1->setObjectName(QStringLiteral("Button1"));
    m_Button2->setFont(tahoma(15, true));
    m_Button1->setFont(tahoma(18, true));
    m_Button2->setMinimumSize(150, 56);
    m_Button1->setMinimumSize(190, 56);
    m_Button1->setStyleSheet(QStringLiteral(
        "QPushButton#Button1 { background: #6a358e; color: white; border-radius: 6px; }"
        "QPushButton#Button1:hover { background: #7d45a3; }"
        "QPushButton#Button1:disabled { background: #b8a7c8; }"));
    bl->addWidget(m_Button2, 0, Qt::AlignVCenter);
    bl->addWidget(m_Button1, 0, Qt::AlignVCenter);
    layout->addWidget(bottom);

    m_PopupMenu1 = new QMenu(this);
    m_PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_Deitir1 = m_PopupMenu1->addAction(str(OrdersTexts::ChangeLineEntry));
    m_Deitir1->setObjectName(QStringLiteral("Deitir1"));
    m_PopupMenu1->addSeparator();
    m_SatrSil1 = m_PopupMenu1->addAction(str(OrdersTexts::DeleteLineEntry));
    m_SatrSil1->setObjectName(QStringLiteral("SatrSil1"));
    m_PopupMenu1->addSeparator();
    m_HepsiniSil1 = m_PopupMenu1->addAction(str(OrdersTexts::DeleteAllEntry));
    m_HepsiniSil1->setObjectName(QStringLiteral("HepsiniSil1"));
    m_cxGrid2->setContextMenu(m_PopupMenu1);

    auto guarded = [this](void (BasketPage::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(m_Deitir1, &QAction::triggered, this, guarded(&BasketPage::Deitir1Click));
    connect(m_SatrSil1, &QAction::triggered, this, guarded(&BasketPage::SatrSil1Click));
    connect(m_HepsiniSil1, &QAction::triggered, this, guarded(&BasketPage::HepsiniSil1Click));
    connect(m_Button4, &QPushButton::clicked, this, guarded(&BasketPage::Button4Click));
    connect(m_Button5, &QPushButton::clicked, this, guarded(&BasketPage::Button5Click));
    connect(m_Button2, &QPushButton::clicked, this, guarded(&BasketPage::Button2Click));
    connect(m_Button1, &QPushButton::clicked, this, guarded(&BasketPage::Button1Click));
    connect(m_cxGrid2, &DataGrid::rowDoubleClicked, this,
            guarded(&BasketPage::cxGridDBTableView1DblClick));
    connect(m_cxGrid2, &DataGrid::checkToggled, this,
            [this](const GridRow &row, const QString &, int wanted) {
                const int sirano = int(row.intValue(QStringLiteral("SIRANO")));
                RunGuarded([this, sirano, wanted] { setLineSelection(sirano, wanted); });
            });
    connect(m_cxGrid2, &DataGrid::resized, this, [this] {
        if (m_cxGrid2->isEnabled())
            LayoutBasketColumns();
    });

    m_load = new TabLoad(this);
    m_load->setBusyIndicator(m_shell.busyIndicator(BusyGif::Sepet));
    m_load->setGrid(m_cxGrid2);
    m_load->setDataSet(sepet());
    // The connect-check of the basket load reports its own failure.
    m_load->setReportFailure(false);
    m_load->setPrepare([this] { return prepareLoad(); });
    m_load->setFinish([this](bool) {
        m_lastLoadOk = m_loadSucceeded && *m_loadSucceeded;
        DataSet *ds = sepet();
        // The count always follows the basket shown; a basket never loaded shows none.
        m_shell.setTabCaption(TabPage::Sepet,
                              ds->isOpen() ? str(OrdersTexts::BasketCount).arg(ds->rowCount())
                                           : str(OrdersTexts::BasketTitle));
        ComputeBasketTotals();
        LayoutBasketColumns();
    });
    connect(m_load, &TabLoad::started, this, [this] { setActionsEnabled(false); });
    connect(m_load, &TabLoad::finished, this, [this](bool failed) {
        setActionsEnabled(true);
        Q_EMIT basketLoaded(failed || !m_lastLoadOk);
    });

    ComputeBasketTotals();
    ApplyColumnSwitches(m_shell.columnSwitches());
}

BasketPage::~BasketPage() = default;

DataSet *BasketPage::sepet() const
{
    return m_shell.dataSet(TabPage::Sepet);
}

void BasketPage::ApplyColumnSwitches(const QHash<QString, ColumnSwitch> &switches)
{
    Mervak::ApplyColumnSwitches(*m_cxGrid2, switches);
}

TabLoad::Work BasketPage::prepareLoad()
{
    std::shared_ptr<ServerConnection> connection = m_shell.connection().clone();
    const int carino = m_shell.session().CARINO();
    DataSet *ds = sepet();
    auto succeeded = std::make_shared<std::atomic<bool>>(false);
    m_loadSucceeded = succeeded;
    // No failure answer of its own: the connect-check reports, and an error of SepetVer2
    // reaches the default error display after the completion.
    return [connection, carino, ds, succeeded]() -> bool {
        RemoteCall::run(
            *connection, nullptr, 1,
            [&](TServerMethods1Client &client, TSonucBilgisi *) {
                client.SepetVer2(carino, ds);
                ApplyMoneyFormat(*ds);
                *succeeded = true;
            },
            RemoteCall::Use::Itself);
        return false;
    };
}

void BasketPage::setActionsEnabled(bool on)
{
    // While a load fills the basket nothing may walk or change it.
    for (QWidget *w : {static_cast<QWidget *>(m_Button1), static_cast<QWidget *>(m_Button4),
                       static_cast<QWidget *>(m_Button5)})
        w->setEnabled(on);
    m_PopupMenu1->setEnabled(on);
}

void BasketPage::waitForLoad()
{
    auto settled = [this] { return !m_load->isRunning() && !m_load->isQueued(); };
    if (settled())
        return;
    QEventLoop loop;
    connect(m_load, &TabLoad::finished, &loop, [&] {
        if (settled())
            loop.quit();
    });
    // A queued follow-up starts from the event loop, and a load whose preparation failed
    // ends without a finish: look again now and then as well.
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (settled())
            loop.quit();
    });
    poll.start(50);
    loop.exec();
}

DataSet *BasketPage::settledBasket()
{
    waitForLoad();
    return sepet();
}

bool BasketPage::LoadBasket()
{
    StartBasketLoad();
    waitForLoad();
    return m_lastLoadOk;
}

void BasketPage::StartBasketLoad()
{
    m_load->trigger();
}

void BasketPage::ssepetShow()
{
    m_lbluyarbakiye->clear();
    CariBakiyeUyariBak();
    StartBasketLoad();
}

void BasketPage::CariBakiyeUyariBak()
{
    const int run = ++m_warningRun;
    auto text = std::make_shared<QString>();
    std::shared_ptr<ServerConnection> connection = m_shell.connection().clone();
    const int carino = m_shell.session().CARINO();
    BeginAsync([connection, carino, text] {
        // Quiet: no connection or an error of the call leaves the label blank.
        try {
            RemoteCall::run(
                *connection, nullptr, 0,
                [&](TServerMethods1Client &client, TSonucBilgisi *) {
                    *text = client.CariVadeGunGecmismiBul(carino);
                },
                RemoteCall::Use::Itself);
        } catch (...) {
            text->clear();
        }
    })->Await([this, run, text] {
        // A later show of the tab has started its own check; its text wins.
        if (run == m_warningRun)
            m_lbluyarbakiye->setText(*text);
        Q_EMIT warningChecked();
    }, this);
}

BasketTotals BasketPage::ComputeBasketTotals()
{
    DataSet *ds = sepet();
    const BasketTotals t = ds ? SumBasketTotals(*ds) : BasketTotals();
    const QString format = QString::fromLatin1(MoneyFormat);
    m_aratoplaml->setText(formatFloat(format, t.gross));
    m_indiriml->setText(formatFloat(format, t.discount));
    m_vergil->setText(formatFloat(format, t.tax));
    m_nettutarl->setText(formatFloat(format, t.subtotal));
    m_geneltoplaml->setText(formatFloat(format, t.grand));
    return t;
}

void BasketPage::LayoutBasketColumns()
{
    m_cxGrid2->beginUpdate();
    if (m_shell.window()->width() >= WideWindowWidth)
        m_cxGrid2->layoutByWeights();
    else
        m_cxGrid2->bestFit();
    m_cxGrid2->endUpdate();
}

bool BasketPage::isSelectColumn(const GridRow &row) const
{
    const int c = m_cxGrid2->columnIndex(row.column());
    return c >= 0
           && m_cxGrid2->columns().at(c).caption == str(OrdersTexts::SelectColumnCaption);
}

void BasketPage::cxGridDBTableView1DblClick()
{
    Deitir1Click();
}

void BasketPage::Deitir1Click()
{
    const GridRow row = m_cxGrid2->focusedRow();
    if (!row.isValid() || m_load->isRunning())
        return;
    const int sirano = int(row.intValue(QStringLiteral("SIRANO")));
    if (!sepet()->locate(QStringLiteral("SIRANO"), sirano))
        return;
    if (isSelectColumn(row)) {
        const int was = int(row.intValue(QStringLiteral("SEC")));
        setLineSelection(sirano, was == 0 ? 1 : 0);
        return;
    }
    m_itemEntry.EditBasketLine(sirano);
}

void BasketPage::setLineSelection(int sirano, int secim)
{
    DataSet *ds = sepet();
    if (m_load->isRunning() || !ds->isOpen() || !ds->locate(QStringLiteral("SIRANO"), sirano))
        return;
    const int was = int(ds->fieldValue(QStringLiteral("SEC")).toInt());
    ds->edit();
    ds->setFieldValue(QStringLiteral("SEC"), secim);
    ds->post();
    if (!SaveLineSelection(sirano, secim)) {
        // The server did not keep the mark: do not show it.
        if (ds->locate(QStringLiteral("SIRANO"), sirano)) {
            ds->edit();
            ds->setFieldValue(QStringLiteral("SEC"), was);
            ds->post();
        }
        selectionFailed();
        return;
    }
    ComputeBasketTotals();
}

void BasketPage::selectionFailed()
{
    const bool reloaded = LoadBasket();
    ComputeBasketTotals();
    ShowMessageDialog(reloaded ? str(OrdersTexts::SelectionNotSaved)
                               : str(OrdersTexts::SelectionNotSavedNoReload),
                      mtWarning, mbOKOnly, mbOK);
}

bool BasketPage::SaveLineSelection(int sirano, int secim)
{
    try {
        return RemoteCall::run(
            m_shell.connection(), nullptr, 1,
            [&](TServerMethods1Client &client, TSonucBilgisi *) {
                client.SepetSecimGuncelle(sirano, secim);
            },
            RemoteCall::Use::Clone);
    } catch (const RemoteError &) {
        return false;
    }
}

void BasketPage::selectAll(int secim)
{
    DataSet *ds = sepet();
    if (m_load->isRunning() || !ds->isOpen())
        return;
    const int sec = ds->fieldIndex(QStringLiteral("SEC"));
    const int siraField = ds->fieldIndex(QStringLiteral("SIRANO"));
    if (sec < 0 || siraField < 0)
        return;
    for (int row = 0; row < ds->rowCount(); ++row) {
        const int was = int(ds->intAt(row, sec));
        ds->setRecNo(row);
        ds->edit();
        ds->setFieldValue(QStringLiteral("SEC"), secim);
        ds->post();
        if (!SaveLineSelection(int(ds->intAt(row, siraField)), secim)) {
            // Stop at the first line the server did not take; the reload shows its state.
            ds->setRecNo(row);
            ds->edit();
            ds->setFieldValue(QStringLiteral("SEC"), was);
            ds->post();
            selectionFailed();
            return;
        }
    }
    ComputeBasketTotals();
    QLineEdit *araedit = m_shell.searchEdit();
    if (araedit && araedit->isEnabled()) {
        araedit->selectAll();
        araedit->setFocus();
    }
}

void BasketPage::Button4Click()
{
    selectAll(1);
}

void BasketPage::Button5Click()
{
    selectAll(0);
}

void BasketPage::SatrSil1Click()
{
    const GridRow row = m_cxGrid2->focusedRow();
    if (!row.isValid() || m_load->isRunning())
        return;
    const int sirano = int(row.intValue(QStringLiteral("SIRANO")));
    if (!sepet()->locate(QStringLiteral("SIRANO"), sirano))
        return;
    const QString aciklama = row.text(QStringLiteral("BARKOD")) + QLatin1Char('-')
                             + row.text(QStringLiteral("STOKADI"));
    if (ShowMessageDialog(str(OrdersTexts::DeleteLineQuestion), mtConfirmation, mbYesNo, mbNo)
        != mrYes)
        return;
    const bool deleted = RemoteCall::run(
        m_shell.connection(), &m_shell.session(), 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *copy) {
            client.SepetSatirSil(copy, sirano, aciklama);
        },
        RemoteCall::Use::Itself);
    if (!deleted)
        return;
    LoadBasket();
    ShowMessageDialog(str(OrdersTexts::LineDeleted), mtInformation, mbOKOnly, mbOK);
}

void BasketPage::HepsiniSil1Click()
{
    DataSet *ds = sepet();
    if (m_load->isRunning() || !ds->isOpen() || ds->rowCount() == 0)
        return;
    if (ShowMessageDialog(str(OrdersTexts::DeleteAllQuestion), mtConfirmation, mbYesNo, mbNo)
        != mrYes)
        return;
    const bool deleted = RemoteCall::run(
        m_shell.connection(), &m_shell.session(), 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *copy) {
            client.SepetHepsiniSil(copy);
        },
        RemoteCall::Use::Itself);
    if (!deleted)
        return;
    ShowMessageDialog(str(OrdersTexts::BasketDeleted), mtInformation, mbOKOnly, mbOK);
    LoadBasket();
}

void BasketPage::Button2Click()
{
    const QString file = askExcelFileName(this, str(OrdersTexts::ExcelButton));
    if (file.isEmpty())
        return;
    QString error;
    if (!m_cxGrid2->exportToExcel(file, &error))
        ShowMessageDialog(error, mtError, mbOKOnly, mbOK);
}

void BasketPage::Button1Click()
{
    DataSet *ds = sepet();
    if (m_load->isRunning() || !HasSelectedRows(*ds)) {
        ShowMessageDialog(str(OrdersTexts::NothingToSend), mtWarning, mbOKOnly, mbOK);
        return;
    }
    TONAYSIP dialog(m_shell.window(), m_shell.connection(), m_lbluyarbakiye->text(), m_shell.session(),
                    m_geneltoplaml->text());
    dialog.setWarning(m_lbluyarbakiye->text());
    Q_EMIT confirmationAboutToShow(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (SendOrder(dialog.td, dialog.kt, dialog.KN, dialog.aciklama())) {
        ShowMessageDialog(str(OrdersTexts::OrderSent), mtInformation, mbOKOnly, mbOK);
        LoadBasket();
    } else {
        ShowMessageDialog(str(OrdersTexts::OrderFailed), mtError, mbOKOnly, mbOK);
    }
}

bool BasketPage::SendOrder(int teslim, int kargo, int kargoFirma, const QString &aciklama)
{
    const TSonucBilgisi &session = m_shell.session();
    bool stored = false;
    const bool sent = RemoteCall::run(
        m_shell.connection(), &session, 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *copy) {
            stored = client.SiparisKaydet(copy, session.CARINO(), teslim, kargo, aciklama,
                                          session.Sirano(), kargoFirma);
        },
        RemoteCall::Use::Itself);
    return sent && stored;
}

} // namespace Mervak
