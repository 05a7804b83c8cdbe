// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "transferrecord.h"

/*
    Records of the mobile server methods, the customer information and the opening screens.

    The object lists (TMobilStoklar, TMobilSepetler, TAcilisEkranlar) travel as a record with
    one field, "FItems", an array of their elements in the usual record form:
      {"type":"mobilstokunit.TMobilStoklar","id":1,"fields":{"FItems":[{"type":
       "mobilstokunit.TMobilStok","id":2,"fields":{...}},...]}}
    Dates travel as numbers: the day count since 1899-12-30, fraction = time of day.
*/

namespace Mervak {

// One stock item with prices.
class TMobilStok final : public TransferRecordBase<TMobilStok>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TMobilStok";
    static std::span<const Field> fields();

    void Kopyala(const TMobilStok &source) { copyFields(source); }

    MERVAK_RECORD_PROPERTY(int, StokNo)
    MERVAK_RECORD_PROPERTY(int, ResimVar)
    MERVAK_RECORD_PROPERTY(QString, Resim)
    MERVAK_RECORD_PROPERTY(int, Yeni)
    MERVAK_RECORD_PROPERTY(QString, Departman)
    MERVAK_RECORD_PROPERTY(double, VerilenSiparis)
    MERVAK_RECORD_PROPERTY(QString, AltGrup)
    MERVAK_RECORD_PROPERTY(int, Durum)
    MERVAK_RECORD_PROPERTY(QString, Renk)
    MERVAK_RECORD_PROPERTY(QString, Birim)
    MERVAK_RECORD_PROPERTY(double, KDV)
    MERVAK_RECORD_PROPERTY(double, AlinanSiparis)
    MERVAK_RECORD_PROPERTY(double, Isk2)
    MERVAK_RECORD_PROPERTY(QString, AnaGrup)
    MERVAK_RECORD_PROPERTY(QString, Kod)
    MERVAK_RECORD_PROPERTY(double, Isk3)
    MERVAK_RECORD_PROPERTY(double, ListeFiyati)
    MERVAK_RECORD_PROPERTY(QString, Beden)
    MERVAK_RECORD_PROPERTY(double, NetFiyat)
    MERVAK_RECORD_PROPERTY(double, Isk1)
    MERVAK_RECORD_PROPERTY(double, KDVliFiyat)
    MERVAK_RECORD_PROPERTY(double, Isk4)
    MERVAK_RECORD_PROPERTY(QString, OzelKod)
    MERVAK_RECORD_PROPERTY(int, Kampnayali)
    MERVAK_RECORD_PROPERTY(QString, Barkod)
    MERVAK_RECORD_PROPERTY(double, IndirimOran)
    MERVAK_RECORD_PROPERTY(double, Kalan)
    MERVAK_RECORD_PROPERTY(QString, UreticiKod)
    MERVAK_RECORD_PROPERTY(double, KampanyaliFiyat)
    MERVAK_RECORD_PROPERTY(QString, OemNo)
    MERVAK_RECORD_PROPERTY(int, BarkodNo)
    MERVAK_RECORD_PROPERTY(QString, PKod)
    MERVAK_RECORD_PROPERTY(QString, DpKod)
    MERVAK_RECORD_PROPERTY(QString, Adi)
    MERVAK_RECORD_PROPERTY(double, Fiyat)

    int FStokNo = 0;
    int FResimVar = 0;
    QString FResim;
    int FYeni = 0;
    QString FDepartman;
    double FVerilenSiparis = 0.0;
    QString FAltGrup;
    int FDurum = 0;
    QString FRenk;
    QString FBirim = QStringLiteral("ADET");
    double FKDV = 20.0;
    double FAlinanSiparis = 0.0;
    double FIsk2 = 0.0;
    QString FAnaGrup;
    QString FKod;
    double FIsk3 = 0.0;
    double FListeFiyati = 0.0;
    QString FBeden;
    double FNetFiyat = 0.0;
    double FIsk1 = 0.0;
    double FKDVliFiyat = 0.0;
    double FIsk4 = 0.0;
    QString FOzelKod;
    int FKampnayali = 0;
    QString FBarkod;
    double FIndirimOran = 0.0;
    double FKalan = 0.0;
    QString FUreticiKod;
    double FKampanyaliFiyat = 0.0;
    QString FOemNo;
    int FBarkodNo = 0;
    QString FPKod;
    QString FDpKod;
    QString FAdi;
    double FFiyat = 0.0;
};

// List of stock items.
class TMobilStoklar final : public TransferRecordBase<TMobilStoklar, TMobilStok>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TMobilStoklar";
    static std::span<const Field> fields();

    int Count() const { return int(FItems.size()); }
    void Add(const TMobilStok &item) { FItems.append(item); }
    MERVAK_RECORD_PROPERTY(QList<TMobilStok>, Items)

    QList<TMobilStok> FItems;
};

// One basket or order line.
class TMobilSepet final : public TransferRecordBase<TMobilSepet>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TMobilSepet";
    static std::span<const Field> fields();

    void Kopyala(const TMobilSepet &source) { copyFields(source); }

    MERVAK_RECORD_PROPERTY(int, KARGOID)
    MERVAK_RECORD_PROPERTY(int, StokNo)
    MERVAK_RECORD_PROPERTY(double, TARIH)
    MERVAK_RECORD_PROPERTY(int, SIRANO)
    MERVAK_RECORD_PROPERTY(QString, CARIADI)
    MERVAK_RECORD_PROPERTY(double, VERILISTARIHI)
    MERVAK_RECORD_PROPERTY(int, Durum)
    MERVAK_RECORD_PROPERTY(double, MIKTAR)
    MERVAK_RECORD_PROPERTY(int, VERENIDNO)
    MERVAK_RECORD_PROPERTY(double, NETTUTAR)
    MERVAK_RECORD_PROPERTY(double, KDVLITUTAR)
    MERVAK_RECORD_PROPERTY(double, KDV)
    MERVAK_RECORD_PROPERTY(int, AKTAR)
    MERVAK_RECORD_PROPERTY(QString, SAAT)
    MERVAK_RECORD_PROPERTY(double, VERGITUTARI)
    MERVAK_RECORD_PROPERTY(QString, PKod)
    MERVAK_RECORD_PROPERTY(QString, MODEL)
    MERVAK_RECORD_PROPERTY(double, INDIRIMTUTAR)
    MERVAK_RECORD_PROPERTY(int, STOK_STOKNO)
    MERVAK_RECORD_PROPERTY(double, BIRIMFIYAT)
    MERVAK_RECORD_PROPERTY(int, SEC)
    MERVAK_RECORD_PROPERTY(QString, OEM2)
    MERVAK_RECORD_PROPERTY(QString, OEM3)
    MERVAK_RECORD_PROPERTY(QString, AnaGrup)
    MERVAK_RECORD_PROPERTY(QString, MARKA)
    MERVAK_RECORD_PROPERTY(QString, VEREN)
    MERVAK_RECORD_PROPERTY(QString, STOKADI)
    MERVAK_RECORD_PROPERTY(QString, OEM1)
    MERVAK_RECORD_PROPERTY(int, CARINO)
    MERVAK_RECORD_PROPERTY(int, VERENSIRANO)
    MERVAK_RECORD_PROPERTY(int, ACIKLAMA)
    MERVAK_RECORD_PROPERTY(double, INDIRIMORANI2)
    MERVAK_RECORD_PROPERTY(QString, OEM4)
    MERVAK_RECORD_PROPERTY(QString, KUR)
    MERVAK_RECORD_PROPERTY(double, INDIRIMORANI3)
    MERVAK_RECORD_PROPERTY(int, SIPARISNO)
    MERVAK_RECORD_PROPERTY(double, IDNO)
    MERVAK_RECORD_PROPERTY(QString, OzelKod)
    MERVAK_RECORD_PROPERTY(QString, DpKod)
    MERVAK_RECORD_PROPERTY(double, KURTL)
    MERVAK_RECORD_PROPERTY(double, INDIRIMORANI1)
    MERVAK_RECORD_PROPERTY(QString, DIGERADI)
    MERVAK_RECORD_PROPERTY(QString, Barkod)
    MERVAK_RECORD_PROPERTY(double, TUTAR)
    MERVAK_RECORD_PROPERTY(QString, URETICIKODU)
    MERVAK_RECORD_PROPERTY(double, Kalan)
    MERVAK_RECORD_PROPERTY(QString, FINISHKOD)
    MERVAK_RECORD_PROPERTY(QString, CARIKOD)
    MERVAK_RECORD_PROPERTY(double, NETBIRIMFIYAT)
    MERVAK_RECORD_PROPERTY(QString, OemNo)
    MERVAK_RECORD_PROPERTY(int, TESLIMID)
    MERVAK_RECORD_PROPERTY(int, ResimVar)
    MERVAK_RECORD_PROPERTY(QString, Resim)

    int FKARGOID = 0;
    int FStokNo = 0;
    double FTARIH = 0.0;   // day count since 1899-12-30
    int FSIRANO = 0;
    QString FCARIADI;
    double FVERILISTARIHI = 0.0;   // day count since 1899-12-30
    int FDurum = 0;
    double FMIKTAR = 0.0;
    int FVERENIDNO = 0;
    double FNETTUTAR = 0.0;
    double FKDVLITUTAR = 0.0;
    double FKDV = 0.0;
    int FAKTAR = 0;
    QString FSAAT;
    double FVERGITUTARI = 0.0;
    QString FPKod;
    QString FMODEL;
    double FINDIRIMTUTAR = 0.0;
    int FSTOK_STOKNO = 0;
    double FBIRIMFIYAT = 0.0;
    int FSEC = 0;
    QString FOEM2;
    QString FOEM3;
    QString FAnaGrup;
    QString FMARKA;
    QString FVEREN;
    QString FSTOKADI;
    QString FOEM1;
    int FCARINO = 0;
    int FVERENSIRANO = 0;
    int FACIKLAMA = 0;
    double FINDIRIMORANI2 = 0.0;
    QString FOEM4;
    QString FKUR;
    double FINDIRIMORANI3 = 0.0;
    int FSIPARISNO = 0;
    double FIDNO = 0.0;
    QString FOzelKod;
    QString FDpKod;
    double FKURTL = 0.0;
    double FINDIRIMORANI1 = 0.0;
    QString FDIGERADI;
    QString FBarkod;
    double FTUTAR = 0.0;
    QString FURETICIKODU;
    double FKalan = 0.0;
    QString FFINISHKOD;
    QString FCARIKOD;
    double FNETBIRIMFIYAT = 0.0;
    QString FOemNo;
    int FTESLIMID = 0;
    int FResimVar = 0;
    QString FResim;
};

// List of basket lines.
class TMobilSepetler final : public TransferRecordBase<TMobilSepetler, TMobilSepet>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TMobilSepetler";
    static std::span<const Field> fields();

    int Count() const { return int(FItems.size()); }
    void Add(const TMobilSepet &item) { FItems.append(item); }
    MERVAK_RECORD_PROPERTY(QList<TMobilSepet>, Items)

    QList<TMobilSepet> FItems;
};

// The customer account registered for a machine.
class TMobilCariBilgisi final : public TransferRecordBase<TMobilCariBilgisi>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TMobilCariBilgisi";
    static std::span<const Field> fields();

    void Kopyala(const TMobilCariBilgisi &source) { copyFields(source); }

    MERVAK_RECORD_PROPERTY(int, CARINO)
    MERVAK_RECORD_PROPERTY(QString, CARIKOD)
    MERVAK_RECORD_PROPERTY(QString, CARIADI)
    MERVAK_RECORD_PROPERTY(QString, OzelKod)
    MERVAK_RECORD_PROPERTY(QString, AnaGrup)
    MERVAK_RECORD_PROPERTY(QString, AltGrup)
    MERVAK_RECORD_PROPERTY(QString, ADRES1)
    MERVAK_RECORD_PROPERTY(QString, ADRES2)
    MERVAK_RECORD_PROPERTY(QString, ILCE)
    MERVAK_RECORD_PROPERTY(QString, TEL1)
    MERVAK_RECORD_PROPERTY(QString, TEL2)
    MERVAK_RECORD_PROPERTY(QString, FAX1)
    MERVAK_RECORD_PROPERTY(QString, FAX2)
    MERVAK_RECORD_PROPERTY(QString, GSM)
    MERVAK_RECORD_PROPERTY(QString, EMAIL)
    MERVAK_RECORD_PROPERTY(QString, YETKILI)
    MERVAK_RECORD_PROPERTY(QString, SEHIR)
    MERVAK_RECORD_PROPERTY(QString, ULKE)
    MERVAK_RECORD_PROPERTY(QString, SATICIADI)
    MERVAK_RECORD_PROPERTY(QString, SATICITELEFON)
    MERVAK_RECORD_PROPERTY(QString, SATICIMAIL)
    MERVAK_RECORD_PROPERTY(QString, VERGIDAIRESI)
    MERVAK_RECORD_PROPERTY(QString, VERGINO)
    MERVAK_RECORD_PROPERTY(double, TLBORC)
    MERVAK_RECORD_PROPERTY(double, TLALACAK)
    MERVAK_RECORD_PROPERTY(double, TLBAKIYE)
    MERVAK_RECORD_PROPERTY(QString, KULLANICIADI)
    MERVAK_RECORD_PROPERTY(QString, SIFRE)
    MERVAK_RECORD_PROPERTY(QString, MAIL)
    MERVAK_RECORD_PROPERTY(QString, BILGISAYARID)

    QString FBILGISAYARID;
    QString FSEHIR;
    QString FFAX1;
    QString FSATICIMAIL;
    QString FSATICIADI;
    QString FCARIADI;
    QString FEMAIL;
    QString FVERGIDAIRESI;
    QString FYETKILI;
    QString FAltGrup;
    QString FTEL2;
    QString FSIFRE;
    QString FGSM;
    QString FTEL1;
    QString FADRES2;
    double FTLBORC = 0.0;
    double FTLALACAK = 0.0;
    QString FADRES1;
    QString FULKE;
    QString FAnaGrup;
    int FCARINO = 0;
    double FTLBAKIYE = 0.0;
    QString FVERGINO;
    QString FMAIL;
    QString FOzelKod;
    QString FKULLANICIADI;
    QString FSATICITELEFON;
    QString FCARIKOD;
    QString FFAX2;
    QString FILCE;
};

// One advert or announcement picture; Resim is the picture file as hexadecimal text.
class TAcilisEkran final : public TransferRecordBase<TAcilisEkran>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TAcilisEkran";
    static std::span<const Field> fields();

    MERVAK_RECORD_PROPERTY(int, SiraNo)
    MERVAK_RECORD_PROPERTY(QString, Resim)
    MERVAK_RECORD_PROPERTY(QString, Baslik)
    MERVAK_RECORD_PROPERTY(QString, Arama)

    int FSiraNo = 0;
    QString FResim;
    QString FBaslik;
    QString FArama;
};

// List of opening screens.
class TAcilisEkranlar final : public TransferRecordBase<TAcilisEkranlar, TAcilisEkran>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TAcilisEkranlar";
    static std::span<const Field> fields();

    int Count() const { return int(FItems.size()); }
    void Add(const TAcilisEkran &item) { FItems.append(item); }
    MERVAK_RECORD_PROPERTY(QList<TAcilisEkran>, Items)

    QList<TAcilisEkran> FItems;
};

// The opening screens as one array; setEkranlar replaces the whole array.
class TAcilisEkranlariki final : public TransferRecordBase<TAcilisEkranlariki, TAcilisEkran>
{
public:
    static constexpr const char16_t *UnitName = u"mobilstokunit";
    static constexpr const char16_t *ClassName = u"TAcilisEkranlariki";
    static std::span<const Field> fields();

    MERVAK_RECORD_PROPERTY(QList<TAcilisEkran>, Ekranlar)

    QList<TAcilisEkran> FEkranlar;
};

} // namespace Mervak
