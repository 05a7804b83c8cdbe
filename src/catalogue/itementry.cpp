// SPDX-License-Identifier: LicenseRef-Mervak
#include "itementry.h"

#include "baglantiu.h"
#include "basketlink.h"
#include "cataloguetexts.h"
#include "currencyedit.h"
#include "dataset.h"
#include "datasetroutines.h"
#include "messagedialog.h"
#include "quantitybox.h"
#include "remotecall.h"
#include "remoteerror.h"
#include "serverconnection.h"
#include "shellwindow.h"
#include "streamreading.h"
#include "tstokayarinti.h"

#include <QImage>
#include <QLabel>
#include <QScopeGuard>

#include <limits>

namespace Mervak {

namespace {

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString textOf(const DataSet &ds, int row, const char *field)
{
    const int f = ds.fieldIndex(QString::fromLatin1(field));
    return f < 0 ? QString() : ds.displayText(row, f);
}

double doubleOf(const DataSet &ds, int row, const char *field)
{
    const int f = ds.fieldIndex(QString::fromLatin1(field));
    if (f < 0 || ds.isNull(row, f))
        return 0.0;
    bool ok = false;
    const double value = ds.value(row, f).toDouble(&ok);
    return ok ? value : 0.0;
}

std::optional<qint64> intOf(const DataSet &ds, int row, const char *field)
{
    const int f = ds.fieldIndex(QString::fromLatin1(field));
    if (f < 0 || ds.isNull(row, f))
        return std::nullopt;
    const QVariant value = ds.value(row, f);
    bool ok = false;
    const qint64 whole = value.toLongLong(&ok);
    if (ok)
        return whole;
    const double real = value.toDouble(&ok);
    if (ok)
        return qRound64(real);
    return std::nullopt;
}

} // namespace

int FindRow(const DataSet &dataSet, const QString &field, qint64 value)
{
    const int f = dataSet.fieldIndex(field);
    if (f < 0)
        return -1;
    for (int row = 0; row < dataSet.rowCount(); ++row) {
        if (!dataSet.isNull(row, f) && dataSet.intAt(row, f) == value)
            return row;
    }
    return -1;
}

ProductLine ReadProductLine(const DataSet &list, int row)
{
    ProductLine p;
    p.stokno = int(intOf(list, row, "STOK_STOKNO").value_or(0));
    p.barkod = textOf(list, row, "BARKOD");
    p.adi = textOf(list, row, "ADI");
    p.finishkod = textOf(list, row, "FINISHKOD");
    p.marka = textOf(list, row, "MARKA");
    p.model = textOf(list, row, "MODEL");
    p.kdv = doubleOf(list, row, "KDV");
    p.fiyat = doubleOf(list, row, "FIYAT");
    p.netfiyat = doubleOf(list, row, "NETFIYAT");
    p.kdvdahil = doubleOf(list, row, "KDVDAHIL");
    p.indirimyazi = textOf(list, row, "INDIRIMYAZI");
    p.k = intOf(list, row, "K");
    p.ind[0] = doubleOf(list, row, "IND1");
    p.ind[1] = doubleOf(list, row, "IND2");
    p.ind[2] = doubleOf(list, row, "IND3");
    p.ind[3] = doubleOf(list, row, "IND4");
    const auto box = intOf(list, row, "OZELKOD1");
    p.koliadet = box && *box > 0 && *box <= std::numeric_limits<int>::max() ? int(*box) : 1;
    return p;
}

BasketLine ReadBasketLine(const DataSet &sepet, int row)
{
    BasketLine b;
    b.sirano = int(intOf(sepet, row, "SIRANO").value_or(0));
    b.stokno = int(intOf(sepet, row, "STOKNO").value_or(0));
    b.barkod = textOf(sepet, row, "BARKOD");
    b.stokadi = textOf(sepet, row, "STOKADI");
    b.finishkod = textOf(sepet, row, "FINISHKOD");
    b.marka = textOf(sepet, row, "MARKA");
    b.model = textOf(sepet, row, "MODEL");
    b.kdv = doubleOf(sepet, row, "KDV");
    b.birimfiyat = doubleOf(sepet, row, "BIRIMFIYAT");
    b.netbirimfiyat = doubleOf(sepet, row, "NETBIRIMFIYAT");
    b.miktar = doubleOf(sepet, row, "MIKTAR");
    b.indirimorani[0] = doubleOf(sepet, row, "INDIRIMORANI1");
    b.indirimorani[1] = doubleOf(sepet, row, "INDIRIMORANI2");
    b.indirimorani[2] = doubleOf(sepet, row, "INDIRIMORANI3");
    b.indirimorani[3] = doubleOf(sepet, row, "INDIRIMORANI4");
    return b;
}

ItemEntry::ItemEntry(ShellWindow &shell, QObject *parent)
    : QObject(parent)
    , m_shell(shell)
{
}

DataSet *ItemEntry::listOf(Source source) const
{
    switch (source) {
    case Source::StockList: return m_shell.dataSet(TabPage::StokListesi);
    case Source::NewProducts: return m_shell.dataSet(TabPage::YeniStoklar);
    case Source::Campaign: return m_shell.dataSet(TabPage::Kampanyali);
    }
    return nullptr;
}

void ItemEntry::OpenItemEntry(Source source, const GridRow &focused)
{
    // A second double-click while the first entry still waits for the basket is ignored.
    if (m_busy || !m_basket || !focused.isValid())
        return;
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });

    DataSet *list = listOf(source);
    const qint64 stokno = focused.intValue(QStringLiteral("STOK_STOKNO"));
    if (!list || !list->locate(QStringLiteral("STOK_STOKNO"), stokno))
        return;

    DataSet *sepet = m_basket->settledBasket();
    if (!sepet || !sepet->isOpen()) {
        if (!m_basket->LoadBasket())
            return;
        sepet = m_basket->settledBasket();
        if (!sepet || !sepet->isOpen())
            return;
    }
    const int line = FindRow(*sepet, QStringLiteral("STOKNO"), stokno);
    if (line >= 0) {
        sepet->setRecNo(line);
        EditBasketLine(int(sepet->intAt(line, sepet->fieldIndex(QStringLiteral("SIRANO")))));
        return;
    }
    addFrom(source, int(stokno));
}

void ItemEntry::AddFromStockList(int stokno)
{
    addFrom(Source::StockList, stokno);
}

void ItemEntry::AddFromNewProducts(int stokno)
{
    addFrom(Source::NewProducts, stokno);
}

void ItemEntry::AddFromCampaignList(int stokno)
{
    addFrom(Source::Campaign, stokno);
}

void ItemEntry::addFrom(Source source, int stokno)
{
    DataSet *list = listOf(source);
    if (!list)
        return;
    const int row = list->recNo() >= 0 && !list->eof()
                            && list->intAt(list->recNo(),
                                           list->fieldIndex(QStringLiteral("STOK_STOKNO")))
                                   == stokno
                        ? list->recNo()
                        : FindRow(*list, QStringLiteral("STOK_STOKNO"), stokno);
    if (row < 0)
        return;
    const ProductLine p = ReadProductLine(*list, row);

    Tstokayarinti dialog(m_shell.window());
    LoadItemPicture(p.stokno, dialog);
    dialog.kdvoran = p.kdv;
    dialog.barkod()->setText(p.barkod);
    dialog.adi()->setText(p.adi);
    dialog.finishkod()->setText(p.finishkod);
    dialog.marka()->setText(p.marka);
    dialog.model()->setText(p.model);
    dialog.setKoliadet(p.koliadet);

    const bool campaign = source == Source::Campaign || (p.k && *p.k > 0);
    // A stock row whose K is negative or missing shows no amounts.
    const bool amounts = source != Source::StockList || (p.k && *p.k >= 0);
    if (amounts) {
        dialog.birimfiyat()->setValue(p.fiyat);
        dialog.indtutar()->setValue(p.netfiyat);
        dialog.kdvdahiltutar()->setValue(p.kdvdahil);
        dialog.kdvlifiyat = p.kdvdahil;
        if (campaign) {
            dialog.Label2()->setText(str(CatalogueTexts::CampaignPriceLabel));
            dialog.indirimoran()->setText(str(CatalogueTexts::CampaignDiscountPrefix)
                                          + p.indirimyazi);
        } else if (source == Source::NewProducts) {
            dialog.kdvdahiltutar()->setValue(RoundToCents(p.netfiyat * (p.kdv / 100.0 + 1.0)));
            dialog.Label2()->setText(str(CatalogueTexts::PriceLabel));
            dialog.indirimoran()->setText(str(CatalogueTexts::NewProductsDiscountPrefix)
                                          + p.indirimyazi);
        } else {
            dialog.Label2()->setText(str(CatalogueTexts::PriceLabel));
            dialog.indirimoran()->setText(str(CatalogueTexts::StockDiscountPrefix)
                                          + p.indirimyazi);
        }
    }
    if (source == Source::StockList && campaign) {
        dialog.ind1 = p.ind[0];
        dialog.ind2 = p.ind[1];
        dialog.ind3 = p.ind[2];
        dialog.ind4 = p.ind[3];
    }
    const int type = m_shell.session().MusteriTipi();
    if ((type == 1 || type == 2) && source != Source::Campaign)
        dialog.birimfiyat()->setReadOnly(false);

    Q_EMIT dialogAboutToShow(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto quantity = dialog.quantity();
    if (!quantity)
        return;
    AddToBasket(p, *quantity);
}

int ItemEntry::boxQuantityOf(int stokno) const
{
    // The item's own stock row, in whichever product list holds it and is not being loaded.
    for (Source source : {Source::StockList, Source::NewProducts, Source::Campaign}) {
        const DataSet *list = listOf(source);
        if (!list || !list->isOpen() || list->controlsDisabled())
            continue;
        const int row = FindRow(*list, QStringLiteral("STOK_STOKNO"), stokno);
        if (row >= 0)
            return ReadProductLine(*list, row).koliadet;
    }
    return 1;
}

void ItemEntry::EditBasketLine(int sirano)
{
    if (!m_basket)
        return;
    DataSet *sepet = m_basket->settledBasket();
    if (!sepet || !sepet->isOpen())
        return;
    const int row = FindRow(*sepet, QStringLiteral("SIRANO"), sirano);
    if (row < 0)
        return;
    sepet->setRecNo(row);
    const BasketLine b = ReadBasketLine(*sepet, row);

    Tstokayarinti dialog(m_shell.window());
    LoadItemPicture(b.stokno, dialog);
    dialog.kdvoran = b.kdv;
    dialog.barkod()->setText(b.barkod);
    dialog.adi()->setText(b.stokadi);
    dialog.finishkod()->setText(b.finishkod);
    dialog.marka()->setText(b.marka);
    dialog.model()->setText(b.model);
    dialog.setKoliadet(boxQuantityOf(b.stokno));
    dialog.birimfiyat()->setValue(b.birimfiyat);
    dialog.indtutar()->setValue(b.netbirimfiyat);
    const double withVat = RoundToCents(b.netbirimfiyat * (b.kdv / 100.0 + 1.0));
    dialog.kdvdahiltutar()->setValue(withVat);
    dialog.kdvlifiyat = withVat;
    dialog.Label2()->setText(str(CatalogueTexts::PriceLabel));
    dialog.indirimoran()->setText(str(CatalogueTexts::DiscountLabel));
    dialog.setQuantity(int(b.miktar));

    Q_EMIT dialogAboutToShow(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto quantity = dialog.quantity();
    if (!quantity)
        return;
    // The basket is reloaded once after a line was sent, whatever the server answered.
    if (sendBasketLine(b, *quantity, dialog.birimfiyat()->value()))
        reloadBasket();
}

bool ItemEntry::reloadBasket()
{
    return m_basket && m_basket->LoadBasket();
}

void ItemEntry::LoadItemPicture(int stokno, Tstokayarinti &dialog)
{
    try {
        RemoteCall::run(m_shell.connection(), nullptr, 1, [&](TServerMethods1Client &client, TSonucBilgisi *) {
            qint64 boy = 0;
            QIODevice *stream = client.ResimVer5(stokno, boy);
            if (boy == 0 || !stream)
                return;
            const std::optional<QByteArray> bytes = readAnnouncedStream(stream, boy);
            if (!bytes)
                return;
            QImage picture;
            if (picture.loadFromData(*bytes, "JPEG"))
                dialog.setPicture(picture);
        }, RemoteCall::Use::Itself);
    } catch (const RemoteError &e) {
        // The entry goes on without the picture.
        ShowPlainMessage(QStringLiteral("RemoteError: ") + e.message());
    } catch (const std::exception &e) {
        ShowPlainMessage(QStringLiteral("Exception: ") + QString::fromLocal8Bit(e.what()));
    }
}

bool ItemEntry::AddToBasket(const ProductLine &line, int quantity)
{
    const TSonucBilgisi &session = m_shell.session();
    int result = 0;
    const bool sent = RemoteCall::run(
        m_shell.connection(), &session, 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *copy) {
            // The price sent is always the row's list price, whatever the dialog showed.
            result = client.SepetEkle2(copy, session.CARINO(), line.stokno, line.barkod,
                                       line.adi, double(quantity), double(qRound(line.kdv)),
                                       line.fiyat, line.ind[0], session.Sirano(),
                                       int(line.k.value_or(0)), line.ind[1], line.ind[2],
                                       line.ind[3]);
        },
        RemoteCall::Use::Itself);
    if (!sent || result != 1)
        return false;
    reloadBasket();
    return true;
}

std::optional<int> ItemEntry::sendBasketLine(const BasketLine &line, int quantity,
                                             double unitPrice)
{
    const TSonucBilgisi &session = m_shell.session();
    int result = 0;
    const bool sent = RemoteCall::run(
        m_shell.connection(), &session, 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *copy) {
            // The line is known by its number; the stock number goes as 0.
            result = client.SepetGuncelle2(copy, session.CARINO(), 0, line.barkod, line.stokadi,
                                           double(quantity), double(qRound(line.kdv)),
                                           unitPrice, line.indirimorani[0], session.Sirano(),
                                           line.sirano, line.indirimorani[1],
                                           line.indirimorani[2], line.indirimorani[3]);
        },
        RemoteCall::Use::Itself);
    if (!sent)
        return std::nullopt;
    return result;
}

bool ItemEntry::UpdateBasketLine(const BasketLine &line, int quantity, double unitPrice)
{
    const std::optional<int> result = sendBasketLine(line, quantity, unitPrice);
    if (result != 1)
        return false;
    reloadBasket();
    return true;
}

} // namespace Mervak
