// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

// The texts the catalogue shows, word for word, in one place.
namespace Mervak::CatalogueTexts {

inline constexpr char StockListTitle[] = "Stok Listesi";
inline constexpr char StockListCount[] = "%1=Stok Listesi";
inline constexpr char NewProductsTitle[] = "Yeni Stoklar";
inline constexpr char NewProductsCount[] = "%1=Yeni Stoklar";
inline constexpr char CampaignCount[] = "%1=Kampanyalı";

inline constexpr char AtLeastThreeLetters[] = "Lütfen en az 3 harf giriniz !";
inline constexpr char ConnectionFailed[] = "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!";

// popstok
inline constexpr char AddToBasketEntry[] = "Sepete Ekle";
inline constexpr char OrderBalancesEntry[] = "Sipariş Bakiyeleriniz";
inline constexpr char ShowOrdersEntry[] = "Siparişleri Göster";

// The price block of the narrow stock list.
inline constexpr char PriceListLine[] = "Liste Fiyatı: ";
inline constexpr char PriceCampaignLine[] = "Kampanyalı Fiyat: ";
inline constexpr char PriceNetLine[] = "NetFiyat: ";
inline constexpr char PriceVatLine[] = "KDV li Fiyat: ";

// Item entry dialog.
inline constexpr char ItemEntryCaption[] = "Sepete Ekle";
inline constexpr char BarcodeLabel[] = "Barkod:";
inline constexpr char NameLabel[] = "Açıklama:";
inline constexpr char FinishCodeLabel[] = "Finish Kod:";
inline constexpr char BrandLabel[] = "Marka:";
inline constexpr char ModelLabel[] = "Model:";
inline constexpr char QuantityLabel[] = "Adet:";
inline constexpr char PriceLabel[] = "Fiyat:";
inline constexpr char CampaignPriceLabel[] = "Kampanyalı Fiyat:";
inline constexpr char DiscountLabel[] = "İndirim:";
inline constexpr char VatIncludedLabel[] = "KDV Dahil:";
inline constexpr char TotalLabel[] = "Tutar:";
inline constexpr char NetPriceLabel[] = "Net Fiyat:";
inline constexpr char BoxQuantityLabel[] = "Koli Adet:";
inline constexpr char AddOrderButton[] = "Sipariş ekle";
inline constexpr char CancelButton[] = "Vazgeç";
inline constexpr char NoPicture[] = "Resim Yok";

// Discount texts of the flows, spaces as they are.
inline constexpr char StockDiscountPrefix[] = "İndirim: %";
inline constexpr char NewProductsDiscountPrefix[] = "İndirim:  % ";
inline constexpr char CampaignDiscountPrefix[] = "Kampanyalı ";

// Refused input in the quantity box.
inline constexpr char EnterQuantity[] = "Lütfen sipariş adedini giriniz !";

} // namespace Mervak::CatalogueTexts
