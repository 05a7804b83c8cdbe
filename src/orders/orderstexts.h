// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

// The texts the basket and the order confirmation show, word for word, in one place.
namespace Mervak::OrdersTexts {

inline constexpr char BasketTitle[] = "Sepet";
inline constexpr char BasketCount[] = "%1=Sepet";

// PopupMenu1
inline constexpr char ChangeLineEntry[] = "Satır Değiştir";
inline constexpr char DeleteLineEntry[] = "Satır Sil";
inline constexpr char DeleteAllEntry[] = "Hepsini Sil";

inline constexpr char SelectAllButton[] = "Hepsini Seç";
inline constexpr char ClearSelectionButton[] = "Seçimleri Kaldır";
inline constexpr char SendButton[] = "Gönder";
inline constexpr char ExcelButton[] = "Excel Kaydet";
inline constexpr char MessageGroup[] = "Mesaj";

inline constexpr char GrossCaption[] = "Toplam:";
inline constexpr char DiscountCaption[] = "İndirim Toplam:";
inline constexpr char SubtotalCaption[] = "Ara Toplam:";
inline constexpr char TaxCaption[] = "Vergi:";
inline constexpr char GrandCaption[] = "Genel Toplam:";

inline constexpr char SelectColumnCaption[] = "Seç";

inline constexpr char DeleteLineQuestion[] = "Satırı silmek istiyor musunuz ";
inline constexpr char LineDeleted[] = "Satır silindi !";
inline constexpr char DeleteAllQuestion[] = "Tüm Sepeti Silmek İstiyor musunuz ";
inline constexpr char BasketDeleted[] = "Sepet Silindi !";
inline constexpr char SelectionNotSaved[] =
    "Seçiminiz kaydedilemedi, sepet yeniden yüklendi !";
inline constexpr char SelectionNotSavedNoReload[] = "Seçiminiz kaydedilemedi !";
inline constexpr char ExcelFilter[] = "Excel|*.xls*";
inline constexpr char ExcelSaveFailed[] = "Excel dosyası kaydedilemedi: %1";

// Order submission.
inline constexpr char NothingToSend[] = "Gönderilecek Parça Yok ";
inline constexpr char OrderSent[] = "Siparişiniz Gönderildi !";
inline constexpr char OrderFailed[] = "Sipariş Göndermede Hata";

// TONAYSIP
inline constexpr char ConfirmCaption[] = "Sipariş Onay";
inline constexpr char DeliveryGroup[] = "Teslim Durumu";
inline constexpr char CargoTypeGroup[] = "Kargo Türleri";
inline constexpr char CargoGroup[] = "Kargo";
inline constexpr char ConfirmQuestion[] = "Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?";
inline constexpr char YesButton[] = "Evet";
inline constexpr char NoButton[] = "Hayır";
inline constexpr char SummaryUser[] = "Kullanıcı: ";
inline constexpr char SummaryCustomer[] = "Cari     : ";
inline constexpr char SummaryAmount[] = "Tutar    : ";
inline constexpr char ChooseDelivery[] = "Lütfen Teslim Durumu Seçiniz !";
inline constexpr char ChooseCargoType[] = "Lütfen Kargo Türünü Seçiniz !";
inline constexpr char ChooseCargo[] = "Lütfen Kargo  Seçiniz !";

} // namespace Mervak::OrdersTexts
