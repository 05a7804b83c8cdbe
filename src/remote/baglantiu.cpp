// SPDX-License-Identifier: LicenseRef-Mervak
#include "baglantiu.h"

namespace Mervak {

std::span<const TSonucBilgisi::Field> TSonucBilgisi::fields()
{
    using T = TSonucBilgisi;
    static const Field table[] = {
        {u"FBILGISAYARID", &T::FBILGISAYARID},
        {u"FSaticiMail", &T::FSaticiMail},
        {u"FSirano", &T::FSirano},
        {u"FCariAdi", &T::FCariAdi},
        {u"FSIFRE", &T::FSIFRE},
        {u"FSaticiNo", &T::FSaticiNo},
        {u"FCARINO", &T::FCARINO},
        {u"FAKTIF", &T::FAKTIF},
        {u"FKullanicimail", &T::FKullanicimail},
        {u"FADI", &T::FADI},
        {u"FSaticiTelefon", &T::FSaticiTelefon},
        {u"Fcarikod", &T::Fcarikod},
        {u"FVarmi", &T::FVarmi},
        {u"FSaticiAdi", &T::FSaticiAdi},
        {u"FBilgiSayarAdi", &T::FBilgiSayarAdi},
        {u"FDisip", &T::FDisip},
        {u"FIcip", &T::FIcip},
        {u"FBilgisayarKullanici", &T::FBilgisayarKullanici},
        {u"FMusteriTipi", &T::FMusteriTipi},
        {u"FVersion", &T::FVersion},
    };
    return table;
}

std::span<const TSiparisDipAyrinti::Field> TSiparisDipAyrinti::fields()
{
    using T = TSiparisDipAyrinti;
    static const Field table[] = {
        {u"FSizinMesaj", &T::FSizinMesaj},
        {u"FDurumu", &T::FDurumu},
        {u"FVeren", &T::FVeren},
        {u"FKargo", &T::FKargo},
        {u"FBizimMesaj", &T::FBizimMesaj},
        {u"FTeslimCinsi", &T::FTeslimCinsi},
        {u"FKargoCinsi", &T::FKargoCinsi},
        {u"FSaticiNotu", &T::FSaticiNotu},
    };
    return table;
}

std::span<const TTusSonuclari::Field> TTusSonuclari::fields()
{
    using T = TTusSonuclari;
    static const Field table[] = {
        {u"FAlindi", &T::FAlindi},
        {u"FOnaylandi", &T::FOnaylandi},
        {u"FParcaliHazirlandi", &T::FParcaliHazirlandi},
        {u"FSevkEdildi", &T::FSevkEdildi},
        {u"FHazirlandi", &T::FHazirlandi},
        {u"FGoruldu", &T::FGoruldu},
    };
    return table;
}

} // namespace Mervak
