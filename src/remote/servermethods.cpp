// SPDX-License-Identifier: LicenseRef-Mervak
#include "servermethods.h"

namespace Mervak {

namespace {

// The methods as "name", "parameters", "result". Parameters are "name: type" in declared
// order, separated by ";", out parameters start with "out". Types: string, Integer, Int64,
// Double, Boolean, callback, object, or a record class; results: string, Integer, Boolean,
// datapacket, reader, stream, jsonarray, a record class, or empty for none.
struct MethodText
{
    const char *name;
    const char *params;
    const char *result;
};

constexpr MethodText kMethods[] = {
    // --- catalogue: stock search family
    {"StokAraGetir", "kod: string; bilgi: TSonucBilgisi", "datapacket"},
    {"StokAra", "kod: string; carino: string; satici: Integer", "reader"},
    {"StokAraYaldor", "kod: string; bilgi: TSonucBilgisi", "reader"},
    {"StokAraSamvo", "kod: string; bilgi: TSonucBilgisi", "reader"},
    {"StokAraBrenik", "kod: string; bilgi: TSonucBilgisi", "reader"},
    {"StokAraBrenik2", "kod: string; bilgi: TSonucBilgisi", "datapacket"},
    {"Korvaldin", "kod: string; bilgi: TSonucBilgisi", "reader"},
    {"FermozStokAraGetir", "kod: string; bilgi: TSonucBilgisi", "datapacket"},
    {"StokAraGetirQRV",
     "kod: string; _deparman: string; _anagrup: string; _altgrup: string; _kampanya: Boolean; "
     "_yeni: Boolean; _var: Boolean; _resim: Boolean; bilgi: TSonucBilgisi",
     "datapacket"},
    {"SamvodeAra", "s: string", "reader"},
    // --- record-based stock search
    {"MobilStokNoAra", "stokno: Integer; bilgi: TSonucBilgisi", "TMobilStok"},
    {"MobilStokara", "kod: string; bilgi: TSonucBilgisi; neresi: Integer; nekadar: Integer",
     "TMobilStoklar"},
    {"MobilStokaraAdimli",
     "kod: string; bilgi: TSonucBilgisi; neresi: Integer; nekadar: Integer; ilk: Integer; "
     "Adet: Integer; out kalan: Boolean; out toplam: Integer",
     "TMobilStoklar"},
    {"MobilStokaraGeri",
     "kod: string; bilgi: TSonucBilgisi; neresi: Integer; nekadar: Integer; geri: callback",
     "Integer"},
    {"AramaGonderAl", "b: TSonucBilgisi; kod: string; Adet: Integer", ""},
    // --- new and campaign products
    {"YenilerVer2", "carino: Integer", "datapacket"},
    {"YenilerVer", "carino: Integer", "reader"},
    {"SamvoYenilerVer", "carino: Integer", "reader"},
    {"YenilerVerMobile", "carino: Integer", "reader"},
    {"KampanyaliVer2", "cario: Integer; satici: Integer", "datapacket"},
    {"KampanyaliVer", "cario: Integer; satici: Integer", "reader"},
    {"SamvoKampanyaliVer", "cario: Integer; satici: Integer", "reader"},
    {"KampanyaliVermMobil", "cario: Integer; satici: Integer", "reader"},
    // --- product groups
    {"DepartmanlariGetir", "", "reader"},
    {"DepartmanlariVer", "", "string"},
    {"AnaGrupVer", "", "string"},
    {"AltGrupVer", "anagrup: string", "string"},
    // --- pictures
    {"ResimVer5", "stokno: Integer; out boy: Int64", "stream"},
    {"ResimVer6", "stokno: Integer; out boy: Int64", "jsonarray"},
    {"BuyukResimVer", "stokno: Integer; out boy: Integer", "string"},
    {"KucukResimVer", "stokno: Integer", "string"},
    {"HttpResimVer", "stokno: Integer", ""},
    // --- exchange rates and exports
    {"KurlariAl", "out usd: Double; out eur: Double", "Integer"},
    {"PandelorVer", "", "stream"},

    // --- basket
    {"SepetVer2", "carino: Integer", "datapacket"},
    {"SepetEkle2",
     "bilgim: TSonucBilgisi; carino: Integer; stokno: Integer; barkod: string; stokadi: string; "
     "miktar: Double; kdv: Double; fiyat: Double; ind1: Double; verenid: Integer; k: Integer; "
     "ind2: Double; ind3: Double; ind4: Double",
     "Integer"},
    {"SepetGuncelle2",
     "bilgim: TSonucBilgisi; carino: Integer; stokno: Integer; barkod: string; stokadi: string; "
     "miktar: Double; kdv: Double; fiyat: Double; ind1: Double; verenid: Integer; "
     "_sepetsirano: Integer; ind2: Double; ind3: Double; ind4: Double",
     "Integer"},
    {"SepetSatirSil", "bilgi: TSonucBilgisi; satirno: Integer; aciklamam: string", "Integer"},
    {"SepetHepsiniSil", "bilgi: TSonucBilgisi", "Integer"},
    {"SepetSecimGuncelle", "sirano: Integer; secim: Integer", ""},
    {"SepetVer", "carino: Integer", "reader"},
    {"SepetEkle",
     "bilgim: TSonucBilgisi; carino: Integer; stokno: Integer; barkod: string; stokadi: string; "
     "miktar: Double; kdv: Double; fiyat: Double; indirim: Double; verenid: Integer; k: Integer",
     "Integer"},
    {"SepetGuncelle",
     "bilgim: TSonucBilgisi; carino: Integer; stokno: Integer; barkod: string; stokadi: string; "
     "miktar: Double; kdv: Double; fiyat: Double; indirim: Double; verenid: Integer; "
     "_sepetsirano: Integer",
     "Integer"},
    {"SepetMobilVer", "carino: Integer", "TMobilSepetler"},
    // --- orders
    {"TeslimVer", "", "reader"},
    {"KargoVer", "", "reader"},
    {"KargolarVer", "gn: Integer", "reader"},
    {"SiparisKaydet",
     "BB: TSonucBilgisi; _carino: Integer; _teslim: Integer; _kargo: Integer; _aciklama: string; "
     "_verenid: Integer; _kargoyeni: Integer",
     "Boolean"},
    {"MobilSiparisKaydet", "idnosu: Integer", "Integer"},
    {"SiparisAlinirmi", "carino: Integer", "string"},
    // --- earlier orders and their details
    {"OncekiSiparisler", "carino: Integer", "reader"},
    {"SiparisAyrintisi2", "carino: Integer; idnosu: Integer", "reader"},
    {"SiparisAytintisiDip", "carino: Integer; siranosu: Integer", "TSiparisDipAyrinti"},
    {"TumSiparislerVer", "carino: Integer; stokno: Integer", "reader"},
    {"OncekiSiparisler2", "carino: Integer", "reader"},
    {"Oncekiler", "carino: Integer", "reader"},
    {"SiparisAyrintisi", "carino: Integer; idnosu: Integer", "reader"},
    // --- sales staff: customers by basket and order state
    {"SepetSayisi", "bil: TSonucBilgisi", "Integer"},
    {"CariSepetVer", "bil: TSonucBilgisi; n: Integer", "reader"},
    {"TusSonuclariVer", "bil: TSonucBilgisi", "TTusSonuclari"},
    // --- open order balances
    {"BakiyelerVer2", "carino: Integer", "reader"},
    {"BakiyeDuzenle",
     "k: TSonucBilgisi; stokno: Integer; sepetsirano: Integer; siparissirano: Integer; "
     "Adet: Double; Bakiye: Double; barkod: string",
     "Integer"},
    {"BakiyeDegistir",
     "k: TSonucBilgisi; stokno: Integer; sepetsirano: Integer; siparissirano: Integer; "
     "Adet: Double; Bakiye: Double; barkod: string",
     "Integer"},
    {"BakiyeFiyatDegistir",
     "k: TSonucBilgisi; stokno: Integer; sepetsirano: Integer; siparissirano: Integer; "
     "Adet: Double; Bakiye: Double; barkod: string; fiyat: Double; ind: Double",
     "Integer"},
    {"BakiyelerVer", "carino: Integer", "reader"},

    // --- login and general methods
    {"BuyukGetir", "idsi: string", "TSonucBilgisi"},
    {"CikisGonder", "bilgi: TSonucBilgisi", ""},
    {"SifremiUnuttum", "idsi: string; out mailvarmi: Integer", "Boolean"},
    {"DSServerModuleCreate", "Sender: object", ""},
    {"EchoString", "Value: string", "string"},
    {"ReverseString", "Value: string", "string"},
    // --- account statement and documents
    {"CariEkstreVer", "carino: Integer", "reader"},
    {"FaturaGetir", "carino: Integer; idnosu: Integer", "reader"},
    {"FaturaAltGetir", "idnosu: Integer", "reader"},
    {"Tahsilat", "idnosu: Integer", "reader"},
    {"SanalposSiranoVer", "idnosu: Integer", "Integer"},
    {"SAnalPosPdfVer", "sirano: Integer; out boy: Int64", "stream"},
    {"CariDurumVer", "carino: Integer", "string"},
    {"CariVadeGunGecmismiBul", "carino: Integer", "string"},
    {"CariEkstreVer2", "carino: Integer; TARIH1: Double; TARIH2: Double", "reader"},
    {"CariEkstreVer2Baslik", "carino: Integer; tarih1: Double", "reader"},
    // --- documents and files
    {"BelgeIndir", "sirano: Integer; out size: Int64; out adi: string", "stream"},
    {"BelgeIndir2", "sirano: Integer; out size: Int64; out adi: string; bilgi: TSonucBilgisi",
     "stream"},
    {"DosyaIndir", "out size: Int64", "stream"},
    {"DosyaListesi", "", "reader"},
    {"DosyaListesi2", "", "reader"},
    // --- customers
    {"CariAra", "bil: TSonucBilgisi; aranan: string", "reader"},
    {"MobilCariBilgisiGetir", "sirano: Integer; _idsi: string", "TMobilCariBilgisi"},
    {"CarileriVer", "", "jsonarray"},
    // --- mail and requests to the distributor
    {"MailGonserCari",
     "idsi: string; baslik: string; firmaadi: string; adres1: string; adres2: string; "
     "ilce: string; sehir: string; telefon: string; fax: string; vd: string; vn: string; "
     "yetkili: string; kullaniciadi: string; sifre: string; mail: string; kargoambar: string",
     "Integer"},
    {"MailGonserCariNormal",
     "idsi: string; baslik: string; firmaadi: string; adres1: string; adres2: string; "
     "ilce: string; sehir: string; telefon: string; fax: string; vd: string; vn: string; "
     "yetkili: string; kullaniciadi: string; sifre: string; mail: string; kargoambar: string; "
     "konu: string",
     "Integer"},
    // --- reports
    {"RaporGetir",
     "raporno: Integer; bolum: Integer; idno: Integer; carino: Integer; saticiadi: string; "
     "tarih1: Double; tarih2: Double; out size: Int64",
     "stream"},
    {"RaporAlinanSiparisler", "bilgi: TSonucBilgisi; tarih1: Double; tarih2: Double", "reader"},
    {"RaporEnCokSatilanStoklar", "bilgi: TSonucBilgisi; tarih1: Double; tarih2: Double",
     "reader"},
    // --- promotional content
    {"KayanYaziGetir", "", "string"},
    {"BannerResimVer", "out size: Int64", "stream"},
    {"BannerResimVer2", "out size: Int64", "stream"},
    {"BannerResimVer3", "out size: Int64", "stream"},
    {"BalonGetir", "bil: TSonucBilgisi", "reader"},
    {"AcilisEkranlarVer2", "", "TAcilisEkranlariki"},
    {"AcilisReklamAdet", "", "Integer"},
    {"AcilisREklamVer", "sira: Integer", "TAcilisEkran"},
    {"BalonGetir2",
     "carino: Integer; out sepet: Integer; out yenistok: Integer; out kampnayali: Integer; "
     "out duyuru: Integer; out Bakiye: Integer; out dosya: Integer",
     "Integer"},
    {"DuyuruVer", "", "reader"},
    {"DuyuruVer2", "", "reader"},
    {"AcilisEkranlarVer", "", "TAcilisEkranlar"},
    {"AcilisEkranlariVerData", "", "reader"},
};

struct RecordUnit
{
    const char *className;
    const char *unit;
};

constexpr RecordUnit kRecordUnits[] = {
    {"TSonucBilgisi", "baglantiu"},       {"TSiparisDipAyrinti", "baglantiu"},
    {"TTusSonuclari", "baglantiu"},       {"TMobilStok", "mobilstokunit"},
    {"TMobilStoklar", "mobilstokunit"},   {"TMobilSepet", "mobilstokunit"},
    {"TMobilSepetler", "mobilstokunit"},  {"TMobilCariBilgisi", "mobilstokunit"},
    {"TAcilisEkran", "mobilstokunit"},    {"TAcilisEkranlar", "mobilstokunit"},
    {"TAcilisEkranlariki", "mobilstokunit"},
};

struct KindName
{
    ParamKind kind;
    const char *name;
};

// Names of the table text; the first of a kind is its canonical name.
constexpr KindName kKindNames[] = {
    {ParamKind::String, "string"},       {ParamKind::Integer, "Integer"},
    {ParamKind::Int64, "Int64"},         {ParamKind::Double, "Double"},
    {ParamKind::Boolean, "Boolean"},     {ParamKind::Callback, "callback"},
    {ParamKind::Object, "object"},       {ParamKind::DataPacket, "datapacket"},
    {ParamKind::Reader, "reader"},       {ParamKind::Stream, "stream"},
    {ParamKind::JsonArray, "jsonarray"}, {ParamKind::Record, "record"},
    {ParamKind::None, ""},
};

bool parseType(const QString &text, ParamInfo *p)
{
    for (const KindName &k : kKindNames) {
        if (k.kind != ParamKind::Record && text == QLatin1String(k.name)) {
            p->kind = k.kind;
            return true;
        }
    }
    const QString type = ServerMethods::recordTypeOf(text);
    if (type.isEmpty())
        return false;
    p->kind = ParamKind::Record;
    p->recordClass = text;
    p->recordType = type;
    return true;
}

bool isParameterKind(ParamKind k, ParamDirection d)
{
    switch (k) {
    case ParamKind::String:
    case ParamKind::Integer:
    case ParamKind::Double:
    case ParamKind::Boolean:
        return true;
    case ParamKind::Int64:
        return true;
    case ParamKind::Record:
    case ParamKind::Callback:
    case ParamKind::Object:
        return d == ParamDirection::In;
    default:
        return false;
    }
}

struct Table
{
    std::vector<MethodInfo> methods;
    QHash<QString, int> byName;
    QStringList errors;
};

Table buildTable()
{
    Table t;
    for (const MethodText &m : kMethods) {
        MethodInfo info;
        info.index = int(t.methods.size());
        info.name = QString::fromLatin1(m.name);
        info.command = ServerMethods::ClassName + u'.' + info.name;
        const QString params = QString::fromLatin1(m.params);
        for (const QString &piece : params.split(u';', Qt::SkipEmptyParts)) {
            QString decl = piece.trimmed();
            ParamInfo p;
            if (decl.startsWith(QLatin1String("out "))) {
                p.direction = ParamDirection::Out;
                decl = decl.mid(4).trimmed();
            }
            const qsizetype colon = decl.indexOf(u':');
            p.name = decl.left(colon).trimmed();
            const QString type = colon < 0 ? QString() : decl.mid(colon + 1).trimmed();
            if (colon <= 0 || !parseType(type, &p) || p.kind == ParamKind::None
                || !isParameterKind(p.kind, p.direction)) {
                t.errors << QStringLiteral("%1: bad parameter \"%2\"").arg(info.name, piece);
                continue;
            }
            if (info.paramIndex(p.name) >= 0)
                t.errors << QStringLiteral("%1: parameter %2 twice").arg(info.name, p.name);
            if (p.isOut())
                ++info.outCount;
            info.params.push_back(p);
        }
        info.result.name = QStringLiteral("Result");
        info.result.direction = ParamDirection::Out;
        if (!parseType(QString::fromLatin1(m.result), &info.result)
            || info.result.kind == ParamKind::Callback || info.result.kind == ParamKind::Object)
            t.errors << QStringLiteral("%1: bad result \"%2\"").arg(info.name, m.result);
        if (t.byName.contains(info.name))
            t.errors << QStringLiteral("%1: listed twice").arg(info.name);
        t.byName.insert(info.name, info.index);
        t.methods.push_back(std::move(info));
    }
    if (int(t.methods.size()) != ServerMethods::MethodCount)
        t.errors << QStringLiteral("%1 methods instead of %2")
                        .arg(t.methods.size())
                        .arg(ServerMethods::MethodCount);
    return t;
}

const Table &table()
{
    static const Table t = buildTable();
    return t;
}

} // namespace

QString paramKindName(ParamKind kind)
{
    for (const KindName &k : kKindNames) {
        if (k.kind == kind)
            return QString::fromLatin1(k.name);
    }
    return {};
}

bool isTableKind(ParamKind kind)
{
    return kind == ParamKind::DataPacket || kind == ParamKind::Reader;
}

int MethodInfo::paramIndex(QStringView paramName) const
{
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (params[i].name == paramName)
            return int(i);
    }
    return -1;
}

const std::vector<MethodInfo> &ServerMethods::all()
{
    return table().methods;
}

const MethodInfo *ServerMethods::find(QStringView name)
{
    const Table &t = table();
    const auto it = t.byName.constFind(name.toString());
    return it == t.byName.constEnd() ? nullptr : &t.methods[std::size_t(*it)];
}

const MethodInfo *ServerMethods::findCommand(QStringView command)
{
    const QString prefix = ClassName + u'.';
    if (!command.startsWith(prefix))
        return nullptr;
    return find(command.mid(prefix.size()));
}

QString ServerMethods::recordTypeOf(QStringView recordClass)
{
    for (const RecordUnit &r : kRecordUnits) {
        if (recordClass == QLatin1String(r.className))
            return QString::fromLatin1(r.unit) + u'.' + recordClass.toString();
    }
    return {};
}

const QStringList &ServerMethods::tableErrors()
{
    return table().errors;
}

} // namespace Mervak
