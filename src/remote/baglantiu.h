// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "transferrecord.h"

namespace Mervak {

/*!
    The session record: who is signed in, on whose customer account the client works and from
    which machine. Every call that takes it gets a fresh copy made with Kopyala.
*/
class TSonucBilgisi final : public TransferRecordBase<TSonucBilgisi>
{
public:
    static constexpr const char16_t *UnitName = u"baglantiu";
    static constexpr const char16_t *ClassName = u"TSonucBilgisi";
    static std::span<const Field> fields();

    // Copies all twenty values, machine values included.
    void Kopyala(const TSonucBilgisi &source) { copyFields(source); }

    MERVAK_RECORD_PROPERTY(int, Sirano)
    MERVAK_RECORD_PROPERTY(QString, BILGISAYARID)
    MERVAK_RECORD_PROPERTY(QString, ADI)
    MERVAK_RECORD_PROPERTY(QString, SIFRE)
    MERVAK_RECORD_PROPERTY(int, CARINO)
    MERVAK_RECORD_PROPERTY(int, AKTIF)
    MERVAK_RECORD_PROPERTY(QString, Kullanicimail)
    MERVAK_RECORD_PROPERTY(QString, carikod)
    MERVAK_RECORD_PROPERTY(QString, CariAdi)
    MERVAK_RECORD_PROPERTY(int, SaticiNo)
    MERVAK_RECORD_PROPERTY(QString, SaticiTelefon)
    MERVAK_RECORD_PROPERTY(QString, SaticiMail)
    MERVAK_RECORD_PROPERTY(bool, Varmi)
    MERVAK_RECORD_PROPERTY(QString, SaticiAdi)
    MERVAK_RECORD_PROPERTY(QString, BilgiSayarAdi)
    MERVAK_RECORD_PROPERTY(QString, Disip)
    MERVAK_RECORD_PROPERTY(QString, Icip)
    MERVAK_RECORD_PROPERTY(QString, BilgisayarKullanici)
    MERVAK_RECORD_PROPERTY(int, MusteriTipi)
    MERVAK_RECORD_PROPERTY(int, Version)

    // Wire order.
    QString FBILGISAYARID;
    QString FSaticiMail;
    int FSirano = 0;
    QString FCariAdi;
    QString FSIFRE;
    int FSaticiNo = 0;
    int FCARINO = 0;
    int FAKTIF = 0;
    QString FKullanicimail;
    QString FADI;
    QString FSaticiTelefon;
    QString Fcarikod;
    bool FVarmi = false;
    QString FSaticiAdi;
    QString FBilgiSayarAdi;
    QString FDisip;
    QString FIcip;
    QString FBilgisayarKullanici;
    int FMusteriTipi = 1;
    int FVersion = 1;
};

// Header facts of one earlier order.
class TSiparisDipAyrinti final : public TransferRecordBase<TSiparisDipAyrinti>
{
public:
    static constexpr const char16_t *UnitName = u"baglantiu";
    static constexpr const char16_t *ClassName = u"TSiparisDipAyrinti";
    static std::span<const Field> fields();

    void Kopyala(const TSiparisDipAyrinti &source) { copyFields(source); }

    MERVAK_RECORD_PROPERTY(QString, Durumu)
    MERVAK_RECORD_PROPERTY(QString, TeslimCinsi)
    MERVAK_RECORD_PROPERTY(QString, KargoCinsi)
    MERVAK_RECORD_PROPERTY(QString, Kargo)
    MERVAK_RECORD_PROPERTY(QString, Veren)
    MERVAK_RECORD_PROPERTY(QString, SizinMesaj)
    MERVAK_RECORD_PROPERTY(QString, BizimMesaj)
    MERVAK_RECORD_PROPERTY(QString, SaticiNotu)

    QString FSizinMesaj;
    QString FDurumu;
    QString FVeren;
    QString FKargo;
    QString FBizimMesaj;
    QString FTeslimCinsi;
    QString FKargoCinsi;
    QString FSaticiNotu;
};

// Numbers of orders in each processing state.
class TTusSonuclari final : public TransferRecordBase<TTusSonuclari>
{
public:
    static constexpr const char16_t *UnitName = u"baglantiu";
    static constexpr const char16_t *ClassName = u"TTusSonuclari";
    static std::span<const Field> fields();

    void Kopyala(const TTusSonuclari &source) { copyFields(source); }

    MERVAK_RECORD_PROPERTY(int, Alindi)
    MERVAK_RECORD_PROPERTY(int, Onaylandi)
    MERVAK_RECORD_PROPERTY(int, Goruldu)
    MERVAK_RECORD_PROPERTY(int, ParcaliHazirlandi)
    MERVAK_RECORD_PROPERTY(int, Hazirlandi)
    MERVAK_RECORD_PROPERTY(int, SevkEdildi)

    int FAlindi = 0;
    int FOnaylandi = 0;
    int FParcaliHazirlandi = 0;
    int FSevkEdildi = 0;
    int FHazirlandi = 0;
    int FGoruldu = 0;
};

} // namespace Mervak
