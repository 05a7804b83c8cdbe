// SPDX-License-Identifier: LicenseRef-Mervak
#include "cataloguecolumns.h"

#include "priceblock.h"

namespace Mervak {

namespace {

constexpr Qt::Alignment HeaderLeft = Qt::AlignLeft | Qt::AlignVCenter;

GridColumn wrapped(const char *name, const char *field, const char *caption, int weight,
                   bool shown, bool offered = true)
{
    return {.field = QString::fromLatin1(field), .caption = QString::fromUtf8(caption),
            .weight = weight, .shown = shown, .offered = offered,
            .kind = ColumnKind::WrappedText, .name = QString::fromLatin1(name)};
}

GridColumn plain(const char *name, const char *field, const char *caption, int weight,
                 bool shown, bool offered = true)
{
    GridColumn c = wrapped(name, field, caption, weight, shown, offered);
    c.kind = ColumnKind::Text;
    return c;
}

GridColumn picture(const char *name, const char *field, const char *caption, int weight,
                   ColumnKind kind, PictureMap pictures = {})
{
    return {.field = QString::fromLatin1(field), .caption = QString::fromUtf8(caption),
            .weight = weight, .kind = kind, .name = QString::fromLatin1(name),
            .pictures = std::move(pictures)};
}

GridColumn centred(const char *name, const char *field, const char *caption, int weight)
{
    GridColumn c = plain(name, field, caption, weight, true);
    c.kind = ColumnKind::CentredLabel;
    return c;
}

// Y of the campaign list: the no picture for 0 and for any value other than 1.
PictureMap yesElseNo()
{
    PictureMap map = PictureMap::yesNo();
    map.otherValues = GridPicture::No;
    return map;
}

} // namespace

QList<GridColumn> StockListColumns()
{
    GridColumn koliAdet = plain("cxGrid1DBTableView1KoliAdet", "OZELKOD1", "Koli Adet", 1, true);
    koliAdet.headerAlignment = HeaderLeft;

    GridColumn fiyatBilgisi{.caption = QStringLiteral("Fiyat Bilgisi"), .weight = 2,
                            .kind = ColumnKind::Drawn, .width = 150,
                            .headerAlignment = HeaderLeft,
                            .name = QString::fromLatin1(StockColumn::PriceBlock),
                            .paint = PaintPriceBlock,
                            .text = [](const GridRow &row) {
                                return PriceBlockLines(row).join(QLatin1Char('\n'));
                            }};

    return {
        picture("cxGrid1DBTableView1DURUM", "DURUM", "Durum", 1, ColumnKind::StatusPicture),
        wrapped(StockColumn::Oem1, "OEM1", "Oem1", 2, false),
        wrapped(StockColumn::Oem2, "OEM2", "Oem2", 2, false),
        wrapped(StockColumn::Oem3, "OEM3", "Oem3", 2, false),
        wrapped("cxGrid1DBTableView1BARKOD", "BARKOD", "Barkod", 2, true),
        wrapped(StockColumn::Name, "ADI", "Açıklama", 3, true),
        wrapped("cxGrid1DBTableView1OEM4", "OEM4", "Oem4", 2, false),
        wrapped("cxGrid1DBTableView1STOK_STOKNO", "STOK_STOKNO", "", 1, false, false),
        wrapped("cxGrid1DBTableView1FINISHKOD", "FINISHKOD", "Finish Kod", 2, false),
        wrapped("cxGrid1DBTableView1URETICIKODU", "URETICIKODU", "Üretici Kod", 2, false),
        picture("cxGrid1DBTableView1RESIM", "RESIM", "Resim", 1, ColumnKind::PictureMark),
        wrapped("cxGrid1DBTableView1BARKOD_BARKODNO", "BARKOD_BARKODNO", "", 1, false, false),
        koliAdet,
        wrapped("cxGrid1DBTableView1DIGERADI", "DIGERADI", "Diğer Adı", 3, false),
        wrapped("cxGrid1DBTableView1DPKOD", "DPKOD", "", 2, false, false),
        wrapped("cxGrid1DBTableView1OEMNO", "OEMNO", "Oem No", 2, false),
        wrapped("cxGrid1DBTableView1BIRIM", "BIRIM", "Birim", 1, false),
        wrapped("cxGrid1DBTableView1MARKA", "MARKA", "Marka", 2, true),
        wrapped("cxGrid1DBTableView1MODEL", "MODEL", "Model", 2, false),
        wrapped("cxGrid1DBTableView1ANAGRUP", "ANAGRUP", "Ana Grup", 2, false),
        wrapped("cxGrid1DBTableView1OZELKOD", "PKOD", "Özel Kod", 2, true),
        wrapped("cxGrid1DBTableView1KALAN", "KALAN", "", 1, false),
        wrapped("cxGrid1DBTableView1PKOD", "PKOD", "", 1, false, false),
        wrapped("cxGrid1DBTableView1KDV", "KDV", "", 1, false),
        wrapped("cxGrid1DBTableView1ALINANSIPARIS", "ALINANSIPARIS", "", 1, false),
        wrapped("cxGrid1DBTableView1VERILENSIPARIS", "VERILENSIPARIS", "", 1, false),
        plain(StockColumn::ListPrice, "LISTEFIYAT1", "Liste Fiyatı", 2, false),
        plain(StockColumn::CampaignPrice, "KAMPFIYAT", "Kampanyalı Fiyat", 2, false),
        wrapped("cxGrid1DBTableView1FIYAT", "FIYAT", "Liste Fiyatı", 2, false),
        picture("cxGrid1DBTableView1Y", "Y", "Yeni", 1, ColumnKind::YesNoPicture),
        picture("cxGrid1DBTableView1K", "K", "Kampanyalı", 1, ColumnKind::YesNoPicture),
        centred("cxGrid1DBTableView1INDIRIMYAZI", "INDIRIMYAZI", "İndirim Oran", 2),
        wrapped(StockColumn::NetPrice, "NETFIYAT", "Net Fiyatı", 2, false),
        wrapped(StockColumn::VatIncluded, "KDVDAHIL", "KDV Dahil Fiyat", 3, true),
        fiyatBilgisi,
    };
}

QList<GridColumn> NewProductColumns()
{
    return {
        wrapped("cxGridDBTableView5OEM1", "OEM1", "Oem1", 2, false),
        wrapped("cxGridDBTableView5OEM2", "OEM2", "Oem2", 2, false),
        wrapped("cxGridDBTableView5OEM3", "OEM3", "Oem3", 2, false),
        wrapped("cxGridDBTableView5BARKOD", "BARKOD", "Barkod", 2, true),
        wrapped("cxGridDBTableView5ADI", "ADI", "Açıklama", 3, true),
        wrapped("cxGridDBTableView5OEM4", "OEM4", "Oem4", 2, false),
        wrapped("cxGridDBTableView5STOK_STOKNO", "STOK_STOKNO", "", 1, false, false),
        wrapped("cxGridDBTableView5FINISHKOD", "PKOD", "Finish Kod", 2, true),
        wrapped("cxGridDBTableView5URETICIKODU", "URETICIKODU", "Üretici Kod", 2, false),
        wrapped("cxGridDBTableView5BARKOD_BARKODNO", "BARKOD_BARKODNO", "", 1, false, false),
        wrapped("cxGridDBTableView5DIGERADI", "DIGERADI", "Diğer Adı", 3, false),
        wrapped("cxGridDBTableView5DPKOD", "DPKOD", "", 2, false, false),
        wrapped("cxGridDBTableView5OEMNO", "OEMNO", "Oem No", 2, false),
        wrapped("cxGridDBTableView5BIRIM", "BIRIM", "Birim", 1, true),
        wrapped("cxGridDBTableView5MARKA", "MARKA", "Marka", 2, true),
        wrapped("cxGridDBTableView5MODEL", "MODEL", "Model", 2, true),
        wrapped("cxGridDBTableView5ANAGRUP", "ANAGRUP", "Ana Grup", 2, false),
        wrapped("cxGridDBTableView5OZELKOD", "OZELKOD", "Özel Kod", 2, false),
        wrapped("cxGridDBColumn19", "KALAN", "", 1, false, false),
        wrapped("cxGridDBTableView5PKOD", "PKOD", "", 1, false, false),
        wrapped("cxGridDBTableView5KDV", "KDV", "", 1, false),
        wrapped("cxGridDBColumn22", "ALINANSIPARIS", "", 1, false, false),
        wrapped("cxGridDBColumn23", "VERILENSIPARIS", "", 1, false, false),
        wrapped("cxGridDBTableView5FIYAT", "FIYAT", "Liste Fiyatı2", 2, false),
        picture("cxGridDBTableView5K", "K", "Kampanyalı", 1, ColumnKind::YesNoPicture,
                PictureMap::yesOnly()),
        wrapped("cxGridDBTableView5LISTEFIYAT1", "LISTEFIYAT1", "Liste Fiyatı", 2, true),
        wrapped("cxGridDBTableView5KAMPFIYAT", "KAMPFIYAT", "Kampanyalı Fiyatı", 2, true),
        centred("cxGridDBTableView5INDIRIMYAZI", "INDIRIMYAZI", "Indirim Oran", 2),
        wrapped("cxGridDBTableView5INDIRIM", "INDIRIM", "İndirim Oran", 1, false, false),
        wrapped("cxGridDBTableView5NETFIYAT", "NETFIYAT", "Net Fiyatı", 2, true),
        wrapped("cxGridDBTableView5KDVDAHIL", "KDVDAHIL", "KDV Dahil Fiyat", 2, true),
    };
}

QList<GridColumn> CampaignColumns()
{
    return {
        wrapped("cxGridDBTableViewkampanyaliOEM1", "OEM1", "Oem1", 2, false),
        wrapped("cxGridDBTableViewkampanyaliOEM2", "OEM2", "Oem2", 2, false),
        wrapped("cxGridDBTableViewkampanyaliOEM3", "OEM3", "Oem3", 2, false),
        wrapped("cxGridDBTableViewkampanyaliBARKOD", "BARKOD", "Barkod", 2, true),
        wrapped("cxGridDBTableViewkampanyaliADI", "ADI", "Açıklama", 3, true),
        wrapped("cxGridDBTableViewkampanyaliOEM4", "OEM4", "Oem4", 2, false),
        wrapped("cxGridDBTableViewkampanyaliSTOK_STOKNO", "STOK_STOKNO", "", 1, false, false),
        picture("cxGridDBTableViewkampanyaliRESIM", "RESIM", "Resim", 1, ColumnKind::PictureMark),
        wrapped("cxGridDBTableViewkampanyaliFINISHKOD", "PKOD", "Finish Kod", 2, true),
        wrapped("cxGridDBTableViewkampanyaliURETICIKODU", "URETICIKODU", "Üretici Kod", 2, false),
        wrapped("cxGridDBTableViewkampanyaliBARKOD_BARKODNO", "BARKOD_BARKODNO", "", 1, false,
                false),
        wrapped("cxGridDBTableViewkampanyaliDIGERADI", "DIGERADI", "Diğer Adı", 3, false),
        wrapped("cxGridDBTableViewkampanyaliDPKOD", "DPKOD", "", 2, false, false),
        wrapped("cxGridDBTableViewkampanyaliOEMNO", "OEMNO", "Oem No", 2, false),
        wrapped("cxGridDBTableViewkampanyaliBIRIM", "BIRIM", "Birim", 1, true),
        wrapped("cxGridDBTableViewkampanyaliMARKA", "MARKA", "Marka", 2, true),
        wrapped("cxGridDBTableViewkampanyaliMODEL", "MODEL", "Model", 2, true),
        wrapped("cxGridDBTableViewkampanyaliANAGRUP", "ANAGRUP", "Ana Grup", 2, false),
        wrapped("cxGridDBTableViewkampanyaliOZELKOD", "OZELKOD", "Özel Kod", 2, false),
        wrapped("cxGridDBColumnKALAN", "KALAN", "", 1, false, false),
        wrapped("cxGridDBTableViewkampanyaliPKOD", "PKOD", "", 1, false, false),
        wrapped("cxGridDBTableViewkampanyaliKDV", "KDV", "", 1, false),
        wrapped("cxGridDBColumn49", "ALINANSIPARIS", "", 1, false, false),
        wrapped("cxGridDBColumn50", "VERILENSIPARIS", "", 1, false, false),
        wrapped("cxGridDBTableViewkampanyaliESKIFIYAT", "ESKIFIYAT", "Liste Fiyatı", 2, true),
        wrapped("cxGridDBTableViewkampanyaliFIYAT", "FIYAT", "Kampanyalı Fiyatı", 2, true),
        picture("cxGridDBTableViewkampanyaliY", "Y", "Yeni", 1, ColumnKind::YesNoPicture,
                yesElseNo()),
        picture("cxGridDBTableViewkampanyaliK", "K", "Kampanyalı", 1, ColumnKind::YesNoPicture),
        wrapped("cxGridDBTableViewkampanyaliINDIRIM", "INDIRIM", "İndirim Oran", 1, false, false),
        centred("cxGridDBTableViewkampanyaliINDIRIMYAZI", "INDIRIMYAZI", "İndirim Oran", 2),
        wrapped("cxGridDBTableViewkampanyaliNETFIYAT", "NETFIYAT", "Net Fiyatı", 2, true),
        wrapped("cxGridDBTableViewkampanyaliKDVDAHIL", "KDVDAHIL", "KDV Dahil Fiyat", 2, true),
        picture("cxGridDBTableViewkampanyaliDURUM", "DURUM", "Durum", 1, ColumnKind::StatusPicture),
    };
}

} // namespace Mervak
