// SPDX-License-Identifier: LicenseRef-Mervak
#include "mobilstokunit.h"

namespace Mervak {

std::span<const TMobilStok::Field> TMobilStok::fields()
{
    using T = TMobilStok;
    static const Field table[] = {
        {u"FStokNo", &T::FStokNo},
        {u"FResimVar", &T::FResimVar},
        {u"FResim", &T::FResim},
        {u"FYeni", &T::FYeni},
        {u"FDepartman", &T::FDepartman},
        {u"FVerilenSiparis", &T::FVerilenSiparis},
        {u"FAltGrup", &T::FAltGrup},
        {u"FDurum", &T::FDurum},
        {u"FRenk", &T::FRenk},
        {u"FBirim", &T::FBirim},
        {u"FKDV", &T::FKDV},
        {u"FAlinanSiparis", &T::FAlinanSiparis},
        {u"FIsk2", &T::FIsk2},
        {u"FAnaGrup", &T::FAnaGrup},
        {u"FKod", &T::FKod},
        {u"FIsk3", &T::FIsk3},
        {u"FListeFiyati", &T::FListeFiyati},
        {u"FBeden", &T::FBeden},
        {u"FNetFiyat", &T::FNetFiyat},
        {u"FIsk1", &T::FIsk1},
        {u"FKDVliFiyat", &T::FKDVliFiyat},
        {u"FIsk4", &T::FIsk4},
        {u"FOzelKod", &T::FOzelKod},
        {u"FKampnayali", &T::FKampnayali},
        {u"FBarkod", &T::FBarkod},
        {u"FIndirimOran", &T::FIndirimOran},
        {u"FKalan", &T::FKalan},
        {u"FUreticiKod", &T::FUreticiKod},
        {u"FKampanyaliFiyat", &T::FKampanyaliFiyat},
        {u"FOemNo", &T::FOemNo},
        {u"FBarkodNo", &T::FBarkodNo},
        {u"FPKod", &T::FPKod},
        {u"FDpKod", &T::FDpKod},
        {u"FAdi", &T::FAdi},
        {u"FFiyat", &T::FFiyat},
    };
    return table;
}

std::span<const TMobilStoklar::Field> TMobilStoklar::fields()
{
    using T = TMobilStoklar;
    static const Field table[] = {
        {u"FItems", &T::FItems},
    };
    return table;
}

std::span<const TMobilSepet::Field> TMobilSepet::fields()
{
    using T = TMobilSepet;
    static const Field table[] = {
        {u"FKARGOID", &T::FKARGOID},
        {u"FStokNo", &T::FStokNo},
        {u"FTARIH", &T::FTARIH},
        {u"FSIRANO", &T::FSIRANO},
        {u"FCARIADI", &T::FCARIADI},
        {u"FVERILISTARIHI", &T::FVERILISTARIHI},
        {u"FDurum", &T::FDurum},
        {u"FMIKTAR", &T::FMIKTAR},
        {u"FVERENIDNO", &T::FVERENIDNO},
        {u"FNETTUTAR", &T::FNETTUTAR},
        {u"FKDVLITUTAR", &T::FKDVLITUTAR},
        {u"FKDV", &T::FKDV},
        {u"FAKTAR", &T::FAKTAR},
        {u"FSAAT", &T::FSAAT},
        {u"FVERGITUTARI", &T::FVERGITUTARI},
        {u"FPKod", &T::FPKod},
        {u"FMODEL", &T::FMODEL},
        {u"FINDIRIMTUTAR", &T::FINDIRIMTUTAR},
        {u"FSTOK_STOKNO", &T::FSTOK_STOKNO},
        {u"FBIRIMFIYAT", &T::FBIRIMFIYAT},
        {u"FSEC", &T::FSEC},
        {u"FOEM2", &T::FOEM2},
        {u"FOEM3", &T::FOEM3},
        {u"FAnaGrup", &T::FAnaGrup},
        {u"FMARKA", &T::FMARKA},
        {u"FVEREN", &T::FVEREN},
        {u"FSTOKADI", &T::FSTOKADI},
        {u"FOEM1", &T::FOEM1},
        {u"FCARINO", &T::FCARINO},
        {u"FVERENSIRANO", &T::FVERENSIRANO},
        {u"FACIKLAMA", &T::FACIKLAMA},
        {u"FINDIRIMORANI2", &T::FINDIRIMORANI2},
        {u"FOEM4", &T::FOEM4},
        {u"FKUR", &T::FKUR},
        {u"FINDIRIMORANI3", &T::FINDIRIMORANI3},
        {u"FSIPARISNO", &T::FSIPARISNO},
        {u"FIDNO", &T::FIDNO},
        {u"FOzelKod", &T::FOzelKod},
        {u"FDpKod", &T::FDpKod},
        {u"FKURTL", &T::FKURTL},
        {u"FINDIRIMORANI1", &T::FINDIRIMORANI1},
        {u"FDIGERADI", &T::FDIGERADI},
        {u"FBarkod", &T::FBarkod},
        {u"FTUTAR", &T::FTUTAR},
        {u"FURETICIKODU", &T::FURETICIKODU},
        {u"FKalan", &T::FKalan},
        {u"FFINISHKOD", &T::FFINISHKOD},
        {u"FCARIKOD", &T::FCARIKOD},
        {u"FNETBIRIMFIYAT", &T::FNETBIRIMFIYAT},
        {u"FOemNo", &T::FOemNo},
        {u"FTESLIMID", &T::FTESLIMID},
        {u"FResimVar", &T::FResimVar},
        {u"FResim", &T::FResim},
    };
    return table;
}

std::span<const TMobilSepetler::Field> TMobilSepetler::fields()
{
    using T = TMobilSepetler;
    static const Field table[] = {
        {u"FItems", &T::FItems},
    };
    return table;
}

std::span<const TMobilCariBilgisi::Field> TMobilCariBilgisi::fields()
{
    using T = TMobilCariBilgisi;
    static const Field table[] = {
        {u"FBILGISAYARID", &T::FBILGISAYARID},
        {u"FSEHIR", &T::FSEHIR},
        {u"FFAX1", &T::FFAX1},
        {u"FSATICIMAIL", &T::FSATICIMAIL},
        {u"FSATICIADI", &T::FSATICIADI},
        {u"FCARIADI", &T::FCARIADI},
        {u"FEMAIL", &T::FEMAIL},
        {u"FVERGIDAIRESI", &T::FVERGIDAIRESI},
        {u"FYETKILI", &T::FYETKILI},
        {u"FAltGrup", &T::FAltGrup},
        {u"FTEL2", &T::FTEL2},
        {u"FSIFRE", &T::FSIFRE},
        {u"FGSM", &T::FGSM},
        {u"FTEL1", &T::FTEL1},
        {u"FADRES2", &T::FADRES2},
        {u"FTLBORC", &T::FTLBORC},
        {u"FTLALACAK", &T::FTLALACAK},
        {u"FADRES1", &T::FADRES1},
        {u"FULKE", &T::FULKE},
        {u"FAnaGrup", &T::FAnaGrup},
        {u"FCARINO", &T::FCARINO},
        {u"FTLBAKIYE", &T::FTLBAKIYE},
        {u"FVERGINO", &T::FVERGINO},
        {u"FMAIL", &T::FMAIL},
        {u"FOzelKod", &T::FOzelKod},
        {u"FKULLANICIADI", &T::FKULLANICIADI},
        {u"FSATICITELEFON", &T::FSATICITELEFON},
        {u"FCARIKOD", &T::FCARIKOD},
        {u"FFAX2", &T::FFAX2},
        {u"FILCE", &T::FILCE},
    };
    return table;
}

std::span<const TAcilisEkran::Field> TAcilisEkran::fields()
{
    using T = TAcilisEkran;
    static const Field table[] = {
        {u"FSiraNo", &T::FSiraNo},
        {u"FResim", &T::FResim},
        {u"FBaslik", &T::FBaslik},
        {u"FArama", &T::FArama},
    };
    return table;
}

std::span<const TAcilisEkranlar::Field> TAcilisEkranlar::fields()
{
    using T = TAcilisEkranlar;
    static const Field table[] = {
        {u"FItems", &T::FItems},
    };
    return table;
}

std::span<const TAcilisEkranlariki::Field> TAcilisEkranlariki::fields()
{
    using T = TAcilisEkranlariki;
    static const Field table[] = {
        {u"FEkranlar", &T::FEkranlar},
    };
    return table;
}

} // namespace Mervak
