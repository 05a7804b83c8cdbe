// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "gridcolumn.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

namespace Mervak {

class BasketLink;
class DataSet;
class ShellWindow;
class Tstokayarinti;

// The row values an item entry sends, taken before the dialog is shown so that a reload of
// the list meanwhile cannot change what is sent.
struct ProductLine
{
    int stokno = 0;
    QString barkod;
    QString adi;
    QString finishkod;
    QString marka;
    QString model;
    double kdv = 0.0;
    double fiyat = 0.0;
    double netfiyat = 0.0;
    double kdvdahil = 0.0;
    QString indirimyazi;
    std::optional<qint64> k;     // empty when the row has no K
    double ind[4] = {0, 0, 0, 0};
    int koliadet = 1;            // OZELKOD1, or 1 when missing or unreadable
};

struct BasketLine
{
    int sirano = 0;
    int stokno = 0;
    QString barkod;
    QString stokadi;
    QString finishkod;
    QString marka;
    QString model;
    double kdv = 0.0;
    double birimfiyat = 0.0;
    double netbirimfiyat = 0.0;
    double miktar = 0.0;
    double indirimorani[4] = {0, 0, 0, 0};
};

ProductLine ReadProductLine(const DataSet &list, int row);
BasketLine ReadBasketLine(const DataSet &sepet, int row);
// The row of a data set whose integer field holds value; -1 when none does.
int FindRow(const DataSet &dataSet, const QString &field, qint64 value);

/*!
    The way every item reaches the basket: from a row of the stock, new-product or campaign
    list, or from a basket line, through the item entry dialog, then SepetEkle2 or
    SepetGuncelle2 and a reload of the basket.
*/
class ItemEntry : public QObject
{
    Q_OBJECT

public:
    enum class Source { StockList, NewProducts, Campaign };

    explicit ItemEntry(ShellWindow &shell, QObject *parent = nullptr);

    void setBasketLink(BasketLink *link) { m_basket = link; }
    BasketLink *basketLink() const { return m_basket; }

    // Double-click (or "Sepete Ekle") on a product list: edits the item's basket line when it
    // is in the basket, else adds it. Nothing happens without a focused row.
    void OpenItemEntry(Source source, const GridRow &focused);

    void AddFromStockList(int stokno);
    void AddFromNewProducts(int stokno);
    void AddFromCampaignList(int stokno);
    // Edits the basket line SIRANO = sirano (double-click or "Satır Değiştir" in the basket).
    void EditBasketLine(int sirano);

    void LoadItemPicture(int stokno, Tstokayarinti &dialog);
    // Sends a new line; answers true when the server took it (result 1).
    bool AddToBasket(const ProductLine &line, int quantity);
    // Sends a changed line; answers true when the server took it (result 1).
    bool UpdateBasketLine(const BasketLine &line, int quantity, double unitPrice);

    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    // The filled dialog, right before it is shown modally (for tests and screenshots).
    void dialogAboutToShow(Mervak::Tstokayarinti *dialog);

private:
    void addFrom(Source source, int stokno);
    DataSet *listOf(Source source) const;
    int boxQuantityOf(int stokno) const;
    bool reloadBasket();
    // SepetGuncelle2 for the line; empty when the connection could not be opened.
    std::optional<int> sendBasketLine(const BasketLine &line, int quantity, double unitPrice);

    ShellWindow &m_shell;
    BasketLink *m_basket = nullptr;
    bool m_busy = false;
};

} // namespace Mervak
