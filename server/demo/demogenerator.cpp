// SPDX-License-Identifier: LicenseRef-Mervak
#include "demogenerator.h"

#include "artwork.h"
#include "pdfdocuments.h"
#include "store.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>

namespace Mervak::Server {

namespace {

const QString kCompany = QStringLiteral("MERVAK OTOMOTİV YEDEK PARÇA A.Ş.");

struct SubGroup
{
    const char *name;
    const char *english;
    int box;
    double priceMin;
    double priceMax;
    int positions;     // 0: none, 1: front/rear, 2: front/rear/left/right
};

struct MainGroup
{
    const char *name;
    const char *brands[3];
    SubGroup subs[4];
};

const MainGroup kGroups[] = {
    {"FREN SİSTEMİ", {"FRENSA", "DURALİN", "NOVAPAR"},
     {{"FREN BALATASI", "BRAKE PAD SET", 1, 450, 1800, 1},
      {"FREN DİSKİ", "BRAKE DISC", 2, 900, 3500, 1},
      {"FREN KAMPANASI", "BRAKE DRUM", 1, 700, 2400, 0},
      {"FREN HORTUMU", "BRAKE HOSE", 2, 150, 600, 1}}},
    {"FİLTRE", {"MOTOFİL", "DURALİN", "ATLASPAR"},
     {{"YAĞ FİLTRESİ", "OIL FILTER", 6, 120, 450, 0},
      {"HAVA FİLTRESİ", "AIR FILTER", 6, 200, 700, 0},
      {"POLEN FİLTRESİ", "CABIN FILTER", 10, 150, 500, 0},
      {"YAKIT FİLTRESİ", "FUEL FILTER", 6, 250, 900, 0}}},
    {"SÜSPANSİYON", {"SÜSPAK", "VİRAJ", "NOVAPAR"},
     {{"AMORTİSÖR", "SHOCK ABSORBER", 2, 1200, 4500, 1},
      {"ROTİL", "BALL JOINT", 4, 250, 900, 2},
      {"SALINCAK", "CONTROL ARM", 1, 800, 3000, 2},
      {"Z ROT", "STABILIZER LINK", 2, 200, 700, 2}}},
    {"MOTOR", {"TORKEL", "KAYAR", "ATLASPAR"},
     {{"TRİGER SETİ", "TIMING BELT KIT", 1, 1500, 6000, 0},
      {"SU POMPASI", "WATER PUMP", 1, 900, 3200, 0},
      {"CONTA TAKIMI", "GASKET SET", 1, 600, 2500, 0},
      {"TERMOSTAT", "THERMOSTAT", 4, 250, 900, 0}}},
    {"ELEKTRİK", {"ELTRA", "KAYAR", "NOVAPAR"},
     {{"MARŞ MOTORU", "STARTER MOTOR", 1, 3500, 11000, 0},
      {"ALTERNATÖR", "ALTERNATOR", 1, 4500, 14000, 0},
      {"BUJİ", "SPARK PLUG", 4, 90, 350, 0},
      {"FAR AMPULÜ", "HEADLAMP BULB", 10, 60, 300, 0}}},
    {"ŞANZIMAN", {"TORKEL", "VİRAJ", "KAYAR"},
     {{"DEBRİYAJ SETİ", "CLUTCH KIT", 1, 3000, 12000, 0},
      {"VOLANT", "FLYWHEEL", 1, 5000, 15000, 0},
      {"AKS KÖRÜĞÜ", "CV BOOT", 4, 120, 450, 1},
      {"ŞANZIMAN TAKOZU", "GEARBOX MOUNT", 2, 300, 1100, 0}}},
};

struct Vehicle
{
    const char *model;
    bool commercial;
};

const Vehicle kVehicles[] = {
    {"ARION 1.4", false},     {"ARION 1.6", false},    {"MELTEM 1.3 M", false},
    {"MELTEM 1.5 D", false},  {"LODOS 1.2", false},    {"TUNA 1.4", false},
    {"SARDES 1.6", false},    {"AKYEL 2.0", false},    {"KARAYEL 1.6 D", false},
    {"POYRAZ 2.0 D", true},   {"POYRAZ 2.2 D", true},  {"ILGAZ 1.9 D", true},
    {"KOZAK 2.5 D", true},    {"KOZAK 2.8 D", true},
};

const char *const kPositions[] = {"ÖN", "ARKA", "SAĞ", "SOL"};

struct CustomerSeed
{
    int carino;
    const char *name;
    const char *city;
    const char *district;
    const char *area;
    int rep;
};

const CustomerSeed kCustomers[] = {
    {1001, "DEMO OTO YEDEK PARÇA LTD. ŞTİ.", "İSTANBUL", "BAĞCILAR", "212", 1},
    {1002, "ANADOLU OTO PARÇA TİC. LTD. ŞTİ.", "ANKARA", "YENİMAHALLE", "312", 1},
    {1003, "EGE YEDEK PARÇA SAN. TİC. A.Ş.", "İZMİR", "BORNOVA", "232", 1},
    {1004, "ULUDAĞ OTOMOTİV TİC. LTD. ŞTİ.", "BURSA", "OSMANGAZİ", "224", 1},
    {1005, "AKDENİZ MOTOR PARÇA LTD. ŞTİ.", "ANTALYA", "KEPEZ", "242", 2},
    {1006, "ÇUKUROVA FİLTRE VE YAĞ TİC.", "ADANA", "SEYHAN", "322", 2},
    {1007, "KONYA OVASI OTO YEDEK PARÇA", "KONYA", "KARATAY", "332", 2},
    {1008, "ERCİYES OTO ELEKTRİK SAN.", "KAYSERİ", "MELİKGAZİ", "352", 2},
    {1009, "KARADENİZ OTO MARKET LTD. ŞTİ.", "SAMSUN", "İLKADIM", "362", 3},
    {1010, "ZİGANA YEDEK PARÇA LTD. ŞTİ.", "TRABZON", "ORTAHİSAR", "462", 3},
    {1011, "TRAKYA OTOMOTİV SAN. TİC.", "EDİRNE", "MERKEZ", "284", 3},
    {1012, "TOROS AMORTİSÖR VE FREN", "MERSİN", "AKDENİZ", "324", 3},
};

const char *const kFirstNames[] = {"HASAN", "AYŞE", "MEHMET", "FATMA", "ALİ", "ZEYNEP",
                                   "MUSTAFA", "ELİF", "HÜSEYİN", "EMİNE", "İBRAHİM", "SEDA"};
const char *const kLastNames[] = {"DEMİRTAŞ", "KOÇAK", "YAVUZ", "ŞAHİNER", "ERDEM", "TUNÇ",
                                  "AKGÜL", "BAYRAK", "ÇETİNER", "GÜNDOĞDU", "KARAMAN", "ÖZTÜRKMEN"};

class Random
{
public:
    explicit Random(quint32 seed) : m_rng(seed) {}
    int between(int low, int high) { return low + int(m_rng.bounded(quint32(high - low + 1))); }
    double real(double low, double high) { return low + m_rng.generateDouble() * (high - low); }
    bool chance(double p) { return m_rng.generateDouble() < p; }
    template <typename T, std::size_t N>
    const T &pick(const T (&list)[N]) { return list[m_rng.bounded(quint32(N))]; }
    quint32 next() { return m_rng.generate(); }

private:
    QRandomGenerator m_rng;
};

QString digits(Random &rng, int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(u'0' + rng.between(0, 9));
    return s;
}

QString ean13(Random &rng)
{
    QString code = QStringLiteral("869") + digits(rng, 9);
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (code[i].unicode() - u'0') * (i % 2 ? 3 : 1);
    return code + QChar(u'0' + (10 - sum % 10) % 10);
}

QString oemNumber(Random &rng)
{
    switch (rng.between(0, 3)) {
    case 0: return digits(rng, 5) + u'-' + digits(rng, 5);
    case 1: return digits(rng, 4) + u'-' + QChar(u'A' + rng.between(0, 25))
                   + QChar(u'A' + rng.between(0, 25)) + digits(rng, 3);
    case 2: return digits(rng, 2) + u' ' + digits(rng, 2) + u' ' + digits(rng, 3) + u' '
                   + digits(rng, 3);
    default: return digits(rng, 1) + QChar(u'A' + rng.between(0, 25)) + digits(rng, 7)
                    + QChar(u'A' + rng.between(0, 25));
    }
}

QString phone(Random &rng, const char *area)
{
    return QStringLiteral("0%1 %2 %3 %4").arg(QLatin1String(area), digits(rng, 3),
                                              digits(rng, 2), digits(rng, 2));
}

QString asciiLower(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'Ç': out += u'c'; break;
        case u'Ğ': out += u'g'; break;
        case u'İ': out += u'i'; break;
        case u'I': out += u'i'; break;
        case u'Ö': out += u'o'; break;
        case u'Ş': out += u's'; break;
        case u'Ü': out += u'u'; break;
        case u' ': out += u'.'; break;
        default: out += c.toLower(); break;
        }
    }
    return out;
}

struct CatalogueItem
{
    int stokno;
    int box;
    double stock;
    bool expensive;     // dealers order such parts one box at a time
};

// What the generator keeps of each dealer while it writes the year.
struct Dealer
{
    int carino = 0;
    int userId = 0;
    int paymentDays = 30;
    double ordersPerDay = 0.1;
    double payFactor = 0.9;
    int payEvery = 20;
    int payOffset = 0;
    double cardShare = 0.2;
    // Invoices by due date, and what was paid: for the amounts the dealer pays.
    std::map<QDate, double> invoicesByDue;
    double opening = 0;
    double paid = 0;
};

struct PendingShipment
{
    QDate day;
    int orderNo;
    int carino;
};

} // namespace

DemoGenerator::DemoGenerator(Store &store, const DemoOptions &options)
    : m_store(store), m_options(options)
{
    if (!m_options.today.isValid())
        m_options.today = QDate::currentDate();
}

QString DemoGenerator::userName(int userType)
{
    switch (userType) {
    case DealerUser: return QString::fromLatin1(DemoUserName);
    case SalesRepUser: return QStringLiteral("TEMSILCI");
    case SalesManagerUser: return QStringLiteral("YONETICI");
    case DealerWithoutStatus: return QStringLiteral("BAYI3");
    case DealerWithoutCampaign: return QStringLiteral("BAYI4");
    default: return QString();
    }
}

void DemoGenerator::run()
{
    if (m_store.hasCatalogue())
        throw StoreError(QStringLiteral("Veritabanında zaten veri var; demo verisi yalnızca boş "
                                        "veritabanına yazılır."));
    Random rng(m_options.seed);
    const QDate today = m_options.today;
    const QDate start = today.addDays(-365);

    m_store.setSetting(QStringLiteral("firma_adi"), kCompany);
    m_store.setSetting(QStringLiteral("yeni_urun_gun"), QStringLiteral("60"));

    // --- representatives, dealers, users and computers
    const SalesRep reps[] = {
        {1, QStringLiteral("KEREM AYDEMİR"), QStringLiteral("0532 410 21 01"),
         QStringLiteral("kerem.aydemir@mervak.com.tr")},
        {2, QStringLiteral("SELİN KARACA"), QStringLiteral("0533 410 21 02"),
         QStringLiteral("selin.karaca@mervak.com.tr")},
        {3, QStringLiteral("MURAT ÖZKAN"), QStringLiteral("0535 410 21 03"),
         QStringLiteral("murat.ozkan@mervak.com.tr")},
    };
    for (const SalesRep &rep : reps)
        m_store.addSalesRep(rep);

    const char *const brandNames[] = {"FRENSA", "DURALİN", "NOVAPAR", "MOTOFİL", "ATLASPAR",
                                      "SÜSPAK", "VİRAJ", "TORKEL", "KAYAR", "ELTRA"};
    std::vector<Dealer> dealers;
    for (const CustomerSeed &seed : kCustomers) {
        Customer c;
        c.carino = seed.carino;
        c.code = QStringLiteral("120.01.%1").arg(seed.carino);
        c.name = QString::fromUtf8(seed.name);
        c.contact = QString::fromUtf8(rng.pick(kFirstNames)) + u' '
                    + QString::fromUtf8(rng.pick(kLastNames));
        c.specialCode = rng.chance(0.5) ? QStringLiteral("A SINIFI") : QStringLiteral("B SINIFI");
        c.mainGroup = QStringLiteral("BAYİ");
        c.subGroup = c.carino <= 1004 ? QStringLiteral("MARMARA-İÇ ANADOLU")
                                      : QStringLiteral("BÖLGE");
        c.codes[0] = QString::fromUtf8(seed.city).left(3);
        c.address1 = QStringLiteral("%1 SANAYİ SİTESİ %2. BLOK NO:%3")
                         .arg(QString::fromUtf8(seed.district)).arg(rng.between(1, 12))
                         .arg(rng.between(1, 80));
        c.address2 = QStringLiteral("%1 MAHALLESİ").arg(QString::fromUtf8(rng.pick(kLastNames)));
        c.district = QString::fromUtf8(seed.district);
        c.city = QString::fromUtf8(seed.city);
        c.phone1 = phone(rng, seed.area);
        c.phone2 = rng.chance(0.5) ? phone(rng, seed.area) : QString();
        c.fax1 = phone(rng, seed.area);
        c.gsm = QStringLiteral("05%1 %2 %3 %4").arg(digits(rng, 2), digits(rng, 3),
                                                   digits(rng, 2), digits(rng, 2));
        c.email = QStringLiteral("info@%1.com.tr")
                      .arg(asciiLower(QString::fromUtf8(seed.name).section(u' ', 0, 1))
                               .remove(u'.'));
        c.taxOffice = QString::fromUtf8(seed.district) + QStringLiteral(" V.D.");
        c.taxNo = digits(rng, 10);
        c.discount = double(rng.between(3, 7) * 5);
        c.cashDiscount = rng.chance(0.4) ? double(rng.between(1, 3)) : 0.0;
        const int terms[] = {30, 45, 60, 90};
        c.paymentDays = rng.pick(terms);
        c.toleranceDays = rng.between(0, 3) * 5;
        if (seed.carino == 1001) {
            // The demo dealer pays late, so the overdue warning shows.
            c.paymentDays = 30;
            c.toleranceDays = 0;
        }
        c.toleranceMonths = 0;
        c.repId = seed.rep;
        m_store.addCustomer(c);
        if (rng.chance(0.6))
            m_store.setBrandDiscount(c.carino, QString::fromUtf8(rng.pick(brandNames)),
                                     double(rng.between(1, 3) * 5));

        Dealer d;
        d.carino = c.carino;
        d.paymentDays = c.paymentDays;
        d.ordersPerDay = c.carino == 1001 ? 0.25 : rng.real(0.06, 0.16);
        d.payFactor = c.carino == 1001 ? 0.5 : rng.real(0.55, 1.0);
        d.payEvery = rng.between(12, 30);
        d.payOffset = rng.between(0, d.payEvery - 1);
        d.cardShare = rng.real(0.1, 0.4);
        dealers.push_back(d);
    }

    auto addUser = [this](const QString &name, const QString &password, int type, int carino,
                          int rep, const QString &email, const QString &computer) {
        UserInfo u;
        u.name = name;
        u.password = password;
        u.type = type;
        u.carino = carino;
        u.repId = rep;
        u.email = email;
        const int id = m_store.addUser(u);
        m_store.registerComputer(computer, id, QStringLiteral("Demo kullanıcısı"), true);
        return id;
    };
    const int demoUser = addUser(userName(DealerUser), QString::fromLatin1(DemoPassword),
                                 DealerUser, 1001, 0, QStringLiteral("demo@demo-oto.com.tr"),
                                 QStringLiteral("DEMO-TIP0"));
    const int repUser = addUser(userName(SalesRepUser), QStringLiteral("TEMSILCI"), SalesRepUser,
                                1001, 1, reps[0].email, QStringLiteral("DEMO-TIP1"));
    addUser(userName(SalesManagerUser), QStringLiteral("YONETICI"), SalesManagerUser, 1001, 2,
            reps[1].email, QStringLiteral("DEMO-TIP2"));
    dealers[0].userId = demoUser;
    dealers[1].userId = addUser(userName(DealerWithoutStatus), QStringLiteral("BAYI3"),
                                DealerWithoutStatus, 1002, 0, QStringLiteral("bayi3@demo.com.tr"),
                                QStringLiteral("DEMO-TIP3"));
    dealers[2].userId = addUser(userName(DealerWithoutCampaign), QStringLiteral("BAYI4"),
                                DealerWithoutCampaign, 1003, 0, QStringLiteral("bayi4@demo.com.tr"),
                                QStringLiteral("DEMO-TIP4"));
    for (std::size_t i = 3; i < dealers.size(); ++i) {
        const int carino = dealers[i].carino;
        dealers[i].userId = addUser(QStringLiteral("B%1").arg(carino), digits(rng, 6), DealerUser,
                                    carino, 0, QStringLiteral("siparis%1@bayi.com.tr").arg(carino),
                                    QStringLiteral("PC-%1").arg(carino));
    }

    // --- delivery and cargo
    m_store.addDeliveryType(1, QStringLiteral("Depodan Teslim Alınacak"));
    m_store.addDeliveryType(2, QStringLiteral("Kargo ile Gönderilsin"));
    m_store.addDeliveryType(3, QStringLiteral("Servis Aracı ile Gönderilsin"));
    m_store.addCargoType(1, QStringLiteral("Kargo"));
    m_store.addCargoType(2, QStringLiteral("Ambar"));
    m_store.addCargoType(3, QStringLiteral("Otobüs"));
    m_store.addCargoCompany(11, 1, QStringLiteral("HIZIR KARGO"),
                            QStringLiteral("Alıcı ödemeli gönderilir. Saat 16:00'ya kadar "
                                           "verilen siparişler aynı gün çıkar."),
                            QStringLiteral("0850 222 11 11"));
    m_store.addCargoCompany(12, 1, QStringLiteral("KANAT KARGO"),
                            QStringLiteral("Anlaşmalı kargo: 30 desiye kadar gönderim ücretsizdir."),
                            QStringLiteral("0850 222 12 12"));
    m_store.addCargoCompany(13, 1, QStringLiteral("PUSULA KARGO"),
                            QStringLiteral("Cumartesi teslimat yapılmaz."),
                            QStringLiteral("0850 222 13 13"));
    m_store.addCargoCompany(21, 2, QStringLiteral("ÖZGÜR AMBAR"),
                            QStringLiteral("Ambar teslimidir, desi ücreti alıcıya aittir."),
                            QStringLiteral("0212 444 21 21"));
    m_store.addCargoCompany(22, 2, QStringLiteral("YILDIZ NAKLİYAT AMBARI"),
                            QStringLiteral("Haftada iki sefer: Salı ve Cuma."),
                            QStringLiteral("0212 444 22 22"));
    m_store.addCargoCompany(31, 3, QStringLiteral("VATAN TURİZM EMANET"),
                            QStringLiteral("Otobüs emanet ile gönderilir, terminalden teslim "
                                           "alınır."),
                            QStringLiteral("0444 31 31"));

    // --- catalogue
    const int itemCount = qMax(50, m_options.items);
    const bool sharedPictures = itemCount > 5000;
    std::vector<Item> items;
    items.reserve(std::size_t(itemCount));
    std::vector<CatalogueItem> catalogue;
    std::map<QString, int> picturePool;
    for (int n = 1; n <= itemCount; ++n) {
        const MainGroup &group = kGroups[rng.between(0, int(std::size(kGroups)) - 1)];
        const SubGroup &sub = group.subs[rng.between(0, 3)];
        const Vehicle &vehicle = rng.pick(kVehicles);
        Item i;
        i.stokno = n;
        i.brand = QString::fromUtf8(group.brands[rng.between(0, 2)]);
        i.mainGroup = QString::fromUtf8(group.name);
        i.subGroup = QString::fromUtf8(sub.name);
        i.department = vehicle.commercial ? QStringLiteral("HAFİF TİCARİ") : QStringLiteral("BİNEK");
        i.dpCode = vehicle.commercial ? QStringLiteral("HTC") : QStringLiteral("BNK");
        i.model = QString::fromUtf8(vehicle.model);
        QString position;
        if (sub.positions == 1)
            position = QString::fromUtf8(kPositions[rng.between(0, 1)]);
        else if (sub.positions == 2)
            position = QString::fromUtf8(kPositions[rng.between(0, 1)]) + u' '
                       + QString::fromUtf8(kPositions[rng.between(2, 3)]);
        i.name = QStringList{i.subGroup, position, i.model}.join(u' ').simplified();
        i.otherName = QStringList{QString::fromLatin1(sub.english), i.model}.join(u' ');
        i.code = QStringLiteral("%1-%2").arg(i.brand.left(3)).arg(10000 + n);
        i.barcode = ean13(rng);
        i.barcodeNo = 500000 + n;
        const int oemCount = rng.between(1, 4);
        for (int k = 0; k < oemCount; ++k)
            i.oem[k] = oemNumber(rng);
        i.oemNo = i.oem[0];
        i.finishCode = QStringLiteral("F%1").arg(digits(rng, 6));
        i.makerCode = QStringLiteral("%1-%2%3").arg(i.brand.left(2), digits(rng, 4))
                          .arg(QChar(u'A' + rng.between(0, 5)));
        i.pCode = QStringLiteral("R%1-%2").arg(rng.between(1, 40), 2, 10, QLatin1Char('0'))
                      .arg(rng.between(1, 24), 2, 10, QLatin1Char('0'));
        i.specialCode = QString(QChar(u'A' + rng.between(0, 2)));
        i.boxQuantity = sub.box;
        i.unit = sub.box >= 4 ? QStringLiteral("ADET") : (sub.positions ? QStringLiteral("TAKIM")
                                                                         : QStringLiteral("ADET"));
        if (QByteArray(sub.name).contains("AMPUL"))
            i.size = QString::fromLatin1(rng.chance(0.5) ? "H7" : "H4");
        i.vatRate = 20;
        i.listPrice = std::round(rng.real(sub.priceMin, sub.priceMax) * 100) / 100;
        if (rng.chance(0.05)) {
            i.campaignPrice = std::round(i.listPrice * rng.real(0.72, 0.9) * 100) / 100;
            // A few campaigns have just ended and no longer count.
            i.campaignUntil = rng.chance(0.15) ? today.addDays(-rng.between(1, 20))
                                               : today.addDays(rng.between(10, 45));
        }
        if (rng.chance(0.1))
            i.itemDiscount = rng.chance(0.5) ? 5 : 10;
        if (rng.chance(0.65)) {
            i.stock = rng.between(20, 600);
        } else {
            i.stock = 0;
            if (rng.chance(0.35))
                i.supplierOrdered = rng.between(10, 200);
            const int statuses[] = {StatusNone, StatusCallUs, StatusSpecialOrder, StatusInSupply};
            i.supplyStatus = rng.pick(statuses);
        }
        i.addedOn = rng.chance(0.05) ? today.addDays(-rng.between(0, 55))
                                     : today.addDays(-rng.between(70, 900));
        const bool picture = rng.chance(0.4);
        const quint32 artSeed = rng.next();
        if (picture) {
            if (sharedPictures) {
                const QString key = i.brand + u'|' + i.subGroup;
                auto it = picturePool.find(key);
                if (it == picturePool.end())
                    it = picturePool.emplace(key, m_store.addPicture(jpegBytes(itemPicture(
                             i.mainGroup, i.brand, i.subGroup, i.brand, artSeed)))).first;
                i.pictureId = it->second;
            } else {
                i.pictureId = m_store.addPicture(jpegBytes(
                    itemPicture(i.mainGroup, i.brand, i.code, i.name, artSeed)));
            }
        }
        catalogue.push_back({i.stokno, i.boxQuantity, i.stock, i.listPrice > 2500});
        items.push_back(std::move(i));
        if (items.size() == 5000) {
            m_store.addItems(items);
            items.clear();
        }
    }
    m_store.addItems(items);

    m_store.setExchangeRate(QStringLiteral("USD"), 38.4125);
    m_store.setExchangeRate(QStringLiteral("EUR"), 41.2760);

    // --- a year of business, day by day
    std::vector<PendingShipment> pending;
    int documentSerial = 0;
    // Dealers mostly order what the distributor has; now and then what it has not.
    auto pickItem = [&]() -> const CatalogueItem & {
        for (int attempt = 0; attempt < 6; ++attempt) {
            const CatalogueItem &item =
                catalogue[std::size_t(rng.between(0, int(catalogue.size()) - 1))];
            if (item.stock > 0 || rng.chance(0.1))
                return item;
        }
        return catalogue[std::size_t(rng.between(0, int(catalogue.size()) - 1))];
    };
    auto placeOrder = [&](Dealer &d, const QDate &day, int userId, int lines) {
        const QDateTime at(day, QTime(rng.between(8, 17), rng.between(0, 59), rng.between(0, 59)));
        for (int k = 0; k < lines; ++k) {
            const CatalogueItem &item = pickItem();
            BasketLineRequest line;
            line.carino = d.carino;
            line.stokno = item.stokno;
            line.quantity = item.box * (item.expensive ? 1 : rng.between(1, item.box >= 6 ? 2 : 4));
            line.userId = userId;
            line.at = at;
            m_store.addToBasket(line);
        }
        OrderRequest order;
        order.carino = d.carino;
        order.userId = userId;
        order.deliveryTypeId = rng.chance(0.8) ? 2 : rng.between(1, 3);
        const int cargoTypes[] = {1, 1, 1, 2, 3};
        order.cargoTypeId = rng.pick(cargoTypes);
        order.cargoCompanyId = order.cargoTypeId == 1 ? 10 + rng.between(1, 3)
                             : order.cargoTypeId == 2 ? 20 + rng.between(1, 2) : 31;
        const char *const messages[] = {"", "", "", "Acil gönderim rica ederiz.",
                                        "Faturayı siparişle birlikte gönderiniz.",
                                        "Eksik ürün varsa bakiyeye alınsın.",
                                        "Kargo ücreti anlaşmalıdır."};
        order.message = QString::fromUtf8(rng.pick(messages));
        order.at = at;
        return m_store.placeOrder(order);
    };

    for (Dealer &d : dealers) {
        d.opening = std::round(rng.real(-2000, 40000) / 10) * 10;
        if (d.opening != 0) {
            m_store.addMovement(d.carino, start, OpeningBalance,
                                QStringLiteral("DV%1%2").arg(start.year())
                                    .arg(++documentSerial, 6, 10, QLatin1Char('0')),
                                d.opening, QStringLiteral("Önceki yıldan devir"));
        }
    }

    const char *const banks[] = {"DEMO BANKASI", "ÖRNEK KATILIM BANKASI", "MERKEZ TİCARET BANKASI"};
    const char *const cardKinds[] = {"Havale", "Havale", "Nakit", "Çek"};
    for (QDate day = start.addDays(1); day <= today; day = day.addDays(1)) {
        const bool workday = day.dayOfWeek() <= 6;
        // Shipments due today: what the warehouse has goes out and is invoiced.
        std::vector<PendingShipment> later;
        for (const PendingShipment &s : pending) {
            if (s.day != day) {
                later.push_back(s);
                continue;
            }
            QList<QPair<int, double>> deliveries;
            const DataSetPtr open = m_store.orderLines(s.carino, s.orderNo);
            const int cStok = open->fieldIndex(QStringLiteral("STOKNO"));
            const int cNo = open->fieldIndex(QStringLiteral("STOKHAR_NO"));
            const int cLeft = open->fieldIndex(QStringLiteral("KALAN"));
            for (int r = 0; r < open->rowCount(); ++r) {
                const int stokno = int(open->intAt(r, cStok));
                CatalogueItem &item = catalogue[std::size_t(stokno - 1)];
                double quantity = open->doubleAt(r, cLeft);
                quantity = qMin(quantity, item.stock);
                if (rng.chance(0.06))
                    quantity = std::floor(quantity / 2 / item.box) * item.box;
                if (quantity <= 0)
                    continue;
                item.stock -= quantity;
                deliveries.append({int(open->intAt(r, cNo)), quantity});
            }
            if (deliveries.isEmpty()) {
                m_store.setOrderState(s.orderNo, OrderPrepared, QStringLiteral(
                    "Ürünler stokta yok, tedarik edilince gönderilecektir."), QString());
                continue;
            }
            const QDateTime at(day, QTime(rng.between(14, 18), rng.between(0, 59)));
            const int invoice = m_store.shipOrder(s.orderNo, deliveries, at);
            m_store.setOrderState(s.orderNo, OrderShipped,
                                  QStringLiteral("Siparişiniz hazırlanıp sevk edilmiştir."),
                                  rng.chance(0.2) ? QStringLiteral("Müşteri aranarak bilgi verildi.")
                                                  : QString());
            Dealer &d = *std::find_if(dealers.begin(), dealers.end(),
                                      [&](const Dealer &x) { return x.carino == s.carino; });
            const DataSetPtr totals = m_store.invoiceTotals(invoice);
            d.invoicesByDue[day.addDays(d.paymentDays)] +=
                totals->doubleAt(0, totals->fieldIndex(QStringLiteral("KDVDAHIL")));
        }
        pending = std::move(later);

        for (Dealer &d : dealers) {
            if (workday && rng.chance(d.ordersPerDay)) {
                const int userId = d.carino == 1001 && rng.chance(0.2) ? repUser : d.userId;
                const int orderNo = placeOrder(d, day, userId, rng.between(2, 7));
                const QDate shipDay = day.addDays(rng.between(1, 4));
                if (shipDay < today) {
                    pending.push_back({shipDay, orderNo, d.carino});
                } else {
                    const int age = int(day.daysTo(today));
                    const int state = age <= 0 ? OrderReceived : age == 1 ? OrderApproved
                                    : age == 2 ? OrderSeen : age == 3 ? OrderPartlyPrepared
                                                                      : OrderPrepared;
                    m_store.setOrderState(orderNo, state, QString(), QString());
                }
            }
            // Payments: what has fallen due, in part or whole, now and then.
            if (workday && int(start.daysTo(day)) % d.payEvery == d.payOffset) {
                double due = d.opening - d.paid;
                for (const auto &[dueDay, amount] : d.invoicesByDue) {
                    if (dueDay <= day.addDays(7))
                        due += amount;
                }
                const double amount = std::round(due * d.payFactor / 10) * 10;
                if (amount >= 100) {
                    CollectionEntry e;
                    e.amount = amount;
                    if (rng.chance(d.cardShare)) {
                        e.kind = QStringLiteral("Kredi Kartı");
                        e.cardHolder = QString::fromUtf8(rng.pick(kFirstNames)) + u' '
                                       + QString::fromUtf8(rng.pick(kLastNames));
                        e.cardMasked = QStringLiteral("%1 **** **** %2")
                                           .arg(rng.chance(0.5) ? 5406 : 4508)
                                           .arg(digits(rng, 4));
                        e.bank = QString::fromUtf8(rng.pick(banks));
                        e.installments = rng.chance(0.3) ? rng.between(2, 6) : 1;
                        e.description = QStringLiteral("Sanal pos ile kart tahsilatı");
                    } else {
                        e.kind = QString::fromUtf8(rng.pick(cardKinds));
                        if (e.kind == QLatin1String("Çek")) {
                            e.dueDate = day.addDays(rng.between(1, 3) * 30);
                            e.documentNo = QStringLiteral("ÇEK-%1").arg(digits(rng, 7));
                            e.description = QStringLiteral("Müşteri çeki");
                        } else {
                            e.description = e.kind == QLatin1String("Nakit")
                                ? QStringLiteral("Nakit tahsilat")
                                : QStringLiteral("Banka havalesi");
                        }
                    }
                    const QDateTime at(day, QTime(rng.between(9, 17), rng.between(0, 59)));
                    m_store.addCollection(d.carino, at, {e}, false);
                    d.paid += amount;
                }
            }
        }
        // Now and then: interest on late payments, volume bonuses and refunds.
        if (day.day() == 1 && day.month() % 3 == 1) {
            for (Dealer &d : dealers) {
                if (d.payFactor < 0.7) {
                    const double interest = std::round((d.opening - d.paid + 20000) * 0.01);
                    if (interest > 0)
                        m_store.addMovement(d.carino, day, DebitNote,
                                            QStringLiteral("BD%1%2").arg(day.year())
                                                .arg(++documentSerial, 6, 10, QLatin1Char('0')),
                                            interest, QStringLiteral("Vade farkı"));
                } else if (rng.chance(0.5)) {
                    m_store.addMovement(d.carino, day, CreditNote,
                                        QStringLiteral("AD%1%2").arg(day.year())
                                            .arg(++documentSerial, 6, 10, QLatin1Char('0')),
                                        std::round(rng.real(500, 3000)),
                                        QStringLiteral("Dönem ciro primi"));
                }
            }
        }
        if (day.day() == 15 && day.month() % 4 == 2) {
            const Dealer &d = dealers[std::size_t(rng.between(0, int(dealers.size()) - 1))];
            CollectionEntry e;
            e.kind = QStringLiteral("Havale");
            e.amount = std::round(rng.real(250, 1500));
            e.description = QStringLiteral("Fazla ödeme iadesi");
            m_store.addCollection(d.carino, QDateTime(day, QTime(11, 0)), {e}, true);
        }
    }

    // Balances older than two and a half months were given up by the dealers.
    for (const Dealer &d : dealers) {
        const DataSetPtr open = m_store.openBalances(d.carino);
        const int cDate = open->fieldIndex(QStringLiteral("TARIH"));
        for (int r = 0; r < open->rowCount(); ++r) {
            if (fromDayCount(open->doubleAt(r, cDate)).date() >= today.addDays(-75))
                continue;
            BalanceRequest request;
            request.carino = d.carino;
            request.userId = d.userId;
            request.basketLineNo = int(open->intAt(r, open->fieldIndex(QStringLiteral("SIRANO"))));
            request.orderLineNo = int(open->intAt(r, open->fieldIndex(QStringLiteral("STOKHAR_NO"))));
            m_store.deleteBalance(request);
        }
    }

    // The demo dealer sees an order in every state that is still open.
    Dealer &demo = dealers[0];
    const int states[] = {OrderReceived, OrderApproved, OrderSeen, OrderPartlyPrepared,
                          OrderPrepared};
    for (int k = 0; k < 5; ++k) {
        const int orderNo = placeOrder(demo, today.addDays(-(4 - k)), demo.userId, rng.between(2, 5));
        m_store.setOrderState(orderNo, states[4 - k],
                              k >= 3 ? QString() : QStringLiteral("Siparişiniz işleme alındı."),
                              QString());
    }

    // --- current baskets: some lines ticked, some not
    const std::pair<int, int> baskets[] = {{0, 6}, {1, 3}, {4, 4}, {8, 2}};
    for (const auto &[index, lines] : baskets) {
        const Dealer &d = dealers[std::size_t(index)];
        for (int k = 0; k < lines; ++k) {
            const CatalogueItem &item = catalogue[std::size_t(rng.between(0, int(catalogue.size()) - 1))];
            BasketLineRequest line;
            line.carino = d.carino;
            line.stokno = item.stokno;
            line.quantity = item.box * rng.between(1, 4);
            line.userId = d.userId;
            const int lineNo = m_store.addToBasket(line);
            if (k % 3 == 2)
                m_store.setBasketSelection(lineNo, 0);
        }
    }

    // --- promotion
    const DataSetPtr campaign = m_store.campaignItems(0);
    const DataSetPtr fresh = m_store.newItems(0);
    double bestSaving = 0;
    const int cList = campaign->fieldIndex(QStringLiteral("LISTEFIYAT1"));
    const int cCamp = campaign->fieldIndex(QStringLiteral("KAMPFIYAT"));
    for (int r = 0; r < campaign->rowCount(); ++r) {
        const double list = campaign->doubleAt(r, cList);
        if (list > 0)
            bestSaving = qMax(bestSaving, 1.0 - campaign->doubleAt(r, cCamp) / list);
    }
    const int bestPercent = int(std::floor(bestSaving * 100));
    m_store.setSetting(QStringLiteral("kayan_yazi"), QStringLiteral(
        "<b>%1</b> &nbsp;&bull;&nbsp; Kampanyalı ürünlerde <font color=\"red\"><b>%%2'ye varan "
        "indirim</b></font> &nbsp;&bull;&nbsp; <b>%3</b> yeni ürün <i>Yeni Stoklar</i> "
        "sekmesinde &nbsp;&bull;&nbsp; Saat 16:00'ya kadar verilen siparişler aynı gün kargoda")
        .arg(kCompany).arg(bestPercent).arg(fresh->rowCount()));

    m_store.setBanner(1, headerBannerGif(QStringLiteral("MERVAK OTOMOTİV"),
                                         {QStringLiteral("Yedek parçada güvenilir çözüm ortağınız"),
                                          QStringLiteral("%%1'ye varan kampanya indirimleri").arg(bestPercent),
                                          QStringLiteral("%1 yeni ürün stoklarımızda").arg(fresh->rowCount())}));
    m_store.setBanner(2, upperBannerGif(QStringLiteral("KAMPANYALI ÜRÜNLERDE %%1'YE VARAN İNDİRİM")
                                            .arg(bestPercent)));
    m_store.setBanner(3, lowerBannerBmp(QStringLiteral(
        "Siparişleriniz 16:00'ya kadar aynı gün kargoda  •  Sanal pos ile güvenli ödeme  •  "
        "Müşteri hizmetleri: 0850 222 00 00")));

    const QSize noticeSize(605, 405);
    m_store.addAnnouncement(false, QStringLiteral("Kampanya"), QStringLiteral("#KAMPANYA#"),
                            jpegBytes(noticePicture(noticeSize, QStringLiteral("KAMPANYA"),
                                                    {QStringLiteral("%1 üründe kampanya fiyatı").arg(campaign->rowCount()),
                                                     QStringLiteral("%%1'ye varan indirim").arg(bestPercent),
                                                     QStringLiteral("Görmek için çift tıklayınız")},
                                                    QColor(190, 30, 40))));
    m_store.addAnnouncement(false, QStringLiteral("Yeni Ürünler"), QStringLiteral("#YENİ#"),
                            jpegBytes(noticePicture(noticeSize, QStringLiteral("YENİ ÜRÜNLER"),
                                                    {QStringLiteral("%1 yeni ürün stoklarımızda").arg(fresh->rowCount()),
                                                     QStringLiteral("Görmek için çift tıklayınız")},
                                                    QColor(20, 110, 60))));
    m_store.addAnnouncement(false, QStringLiteral("FRENSA Fren Balataları"), QStringLiteral("FRENSA"),
                            jpegBytes(noticePicture(noticeSize, QStringLiteral("FRENSA"),
                                                    {QStringLiteral("Fren balatası ve disklerinde"),
                                                     QStringLiteral("geniş ürün yelpazesi"),
                                                     QStringLiteral("Ürünleri listelemek için çift tıklayınız")},
                                                    QColor(22, 24, 99))));
    m_store.addAnnouncement(false, QStringLiteral("Bayram Tatili"), QString(),
                            jpegBytes(noticePicture(noticeSize, QStringLiteral("DUYURU"),
                                                    {QStringLiteral("Bayram süresince siparişleriniz"),
                                                     QStringLiteral("tatil dönüşü ilk iş günü sevk edilecektir.")},
                                                    QColor(90, 90, 90))));
    const QSize advertSize(600, 400);
    m_store.addAnnouncement(true, QStringLiteral("Kampanyalı Ürünler"), QStringLiteral("#KAMPANYA#"),
                            jpegBytes(noticePicture(advertSize, QStringLiteral("BÜYÜK KAMPANYA"),
                                                    {QStringLiteral("%%1'ye varan indirim").arg(bestPercent),
                                                     QStringLiteral("Tıklayın, kampanyalı ürünleri görün")},
                                                    QColor(200, 40, 40))));
    m_store.addAnnouncement(true, QStringLiteral("Yeni Gelenler"), QStringLiteral("#YENİ#"),
                            jpegBytes(noticePicture(advertSize, QStringLiteral("YENİ GELENLER"),
                                                    {QStringLiteral("%1 yeni ürün").arg(fresh->rowCount()),
                                                     QStringLiteral("Tıklayın, yeni ürünleri görün")},
                                                    QColor(20, 120, 70))));
    m_store.addAnnouncement(true, QStringLiteral("MOTOFİL Filtreler"), QStringLiteral("MOTOFİL"),
                            jpegBytes(noticePicture(advertSize, QStringLiteral("MOTOFİL"),
                                                    {QStringLiteral("Yağ, hava, polen ve yakıt filtreleri"),
                                                     QStringLiteral("Tıklayın, ürünleri listeleyin")},
                                                    QColor(30, 80, 150))));

    // --- documents to download
    PdfTable brochure;
    brochure.company = kCompany;
    brochure.title = QStringLiteral("Kampanyalı Ürünler");
    brochure.headerLines << QStringLiteral("Liste fiyatları KDV hariçtir.");
    brochure.columns = {{QStringLiteral("KOD"), QStringLiteral("Kod"), 2},
                        {QStringLiteral("ADI"), QStringLiteral("Açıklama"), 5},
                        {QStringLiteral("MARKA"), QStringLiteral("Marka"), 2},
                        {QStringLiteral("LISTEFIYAT1"), QStringLiteral("Liste Fiyatı"), 2, true},
                        {QStringLiteral("KAMPFIYAT"), QStringLiteral("Kampanya Fiyatı"), 2, true}};
    brochure.rows = campaign.get();
    m_store.addDocument(QStringLiteral("kampanya.pdf"), QStringLiteral("Kampanyalı Ürünler"),
                        tablePdf(brochure));
    PdfTable newList = brochure;
    newList.title = QStringLiteral("Yeni Ürünler");
    newList.columns = {{QStringLiteral("KOD"), QStringLiteral("Kod"), 2},
                       {QStringLiteral("ADI"), QStringLiteral("Açıklama"), 5},
                       {QStringLiteral("MARKA"), QStringLiteral("Marka"), 2},
                       {QStringLiteral("OZELKOD1"), QStringLiteral("Koli"), 1},
                       {QStringLiteral("LISTEFIYAT1"), QStringLiteral("Liste Fiyatı"), 2, true}};
    newList.rows = fresh.get();
    m_store.addDocument(QStringLiteral("yeniurunler.pdf"), QStringLiteral("Yeni Ürünler"),
                        tablePdf(newList));
}

} // namespace Mervak::Server
