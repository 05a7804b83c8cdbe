// SPDX-License-Identifier: LicenseRef-Mervak
#include "sqlitestore.h"

#include "schema.h"
#include "sqlitestore_p.h"
#include "textfold.h"

#include <QFileInfo>
#include <QSqlError>
#include <QStringList>

#include <atomic>
#include <cmath>

namespace Mervak::Server {

using Sql::Query;
using Sql::Transaction;

namespace {

std::atomic<int> g_storeSerial{0};
std::atomic<int> g_threadSerial{0};
thread_local int t_threadSerial = 0;

// The connections a thread opened; closed when the thread ends. Threads are numbered by a
// counter of our own, so a name is never reused by a later thread with a recycled id.
struct ThreadConnections
{
    QStringList names;
    ~ThreadConnections()
    {
        for (const QString &name : std::as_const(names)) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }
    }
};
thread_local ThreadConnections t_connections;

QString customerSearchKey(const Customer &c)
{
    return foldTurkish(QStringList{c.code, c.name, c.contact, c.city, c.district,
                                   c.specialCode}.join(u' '));
}

QString itemSearchKey(const Item &item)
{
    QStringList parts{item.code, item.name, item.otherName, item.barcode, item.oem[0],
                      item.oem[1], item.oem[2], item.oem[3], item.oemNo, item.finishCode,
                      item.makerCode, item.brand, item.model};
    QStringList codes;
    for (const QString &code : {item.code, item.barcode, item.oem[0], item.oem[1], item.oem[2],
                                item.oem[3], item.oemNo, item.finishCode, item.makerCode}) {
        if (!code.isEmpty())
            codes << compactCode(code);
    }
    return foldTurkish(parts.join(u' ')) + u' ' + codes.join(u' ');
}

} // namespace

// --- shared helpers of the store's source files

void checkText(const QString &value, int max, const QString &what)
{
    if (value.size() > max)
        throw StoreError(StoreText::tooLong(what, max));
}

void checkQuantity(double quantity)
{
    if (!std::isfinite(quantity) || quantity <= 0)
        throw StoreError(QStringLiteral("Miktar sıfırdan büyük olmalıdır."));
    if (quantity > MaxQuantity)
        throw StoreError(QStringLiteral("Miktar çok büyük."));
}

QDateTime nowStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(),
                                       now.time().second()));
}

int stockStatus(double stock, double supplierOrdered, int supplyStatus)
{
    if (stock > 0)
        return StatusInStock;
    if (supplierOrdered > 0)
        return StatusOnTheWay;
    return supplyStatus;
}

QString orderStateText(int state)
{
    switch (state) {
    case OrderReceived: return QStringLiteral("Sipariş Alındı");
    case OrderApproved: return QStringLiteral("Onaylandı");
    case OrderSeen: return QStringLiteral("Görüldü");
    case OrderPartlyPrepared: return QStringLiteral("Parçalı Hazırlandı");
    case OrderPrepared: return QStringLiteral("Hazırlandı");
    case OrderShipped: return QStringLiteral("Sevk Edildi");
    default: return QString();
    }
}

// --- connections and schema

SqliteStore::SqliteStore(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath()),
      m_connectionPrefix(QStringLiteral("mervak-store-%1-").arg(++g_storeSerial))
{
    migrate();
}

SqliteStore::~SqliteStore()
{
    // The creating thread's connection goes with the store; other threads close theirs
    // when they end.
    if (t_threadSerial) {
        const QString name = m_connectionPrefix + QString::number(t_threadSerial);
        if (t_connections.names.removeAll(name) > 0) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }
    }
}

int SqliteStore::schemaVersion()
{
    return schemaMigrations().back().version;
}

QSqlDatabase SqliteStore::db()
{
    if (!t_threadSerial)
        t_threadSerial = ++g_threadSerial;
    const QString name = m_connectionPrefix + QString::number(t_threadSerial);
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name, false);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(m_path);
    // Writers queue on the lock instead of failing at once.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    if (!db.open()) {
        qWarning("store: cannot open %s: %s", qPrintable(m_path),
                 qPrintable(db.lastError().text()));
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw StoreError(QStringLiteral("Veritabanı açılamadı."));
    }
    t_connections.names << name;
    Sql::execute(db, QStringLiteral("PRAGMA foreign_keys = ON"));
    Sql::execute(db, QStringLiteral("PRAGMA synchronous = NORMAL"));
    return db;
}

void SqliteStore::migrate()
{
    QSqlDatabase d = db();
    Sql::execute(d, QStringLiteral("PRAGMA journal_mode = WAL"));
    Sql::execute(d, QStringLiteral(
        "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"));
    for (const Migration &migration : schemaMigrations()) {
        // Checked again inside the transaction: two servers may start on one file.
        Transaction transaction(d);
        const int current = Query(d, QStringLiteral(
            "SELECT COALESCE(MAX(version), 0) FROM schema_version")).scalar(0).toInt();
        if (current >= migration.version)
            continue;
        for (const QString &statement : migration.statements)
            Sql::execute(d, statement);
        Query(d, QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"))
            .bind(migration.version).exec();
        transaction.commit();
    }
    const int current = Query(d, QStringLiteral(
        "SELECT COALESCE(MAX(version), 0) FROM schema_version")).scalar(0).toInt();
    if (current > schemaVersion())
        throw StoreError(QStringLiteral("Veritabanı bu sunucudan daha yeni bir sürüme ait."));
}

// --- settings

QString SqliteStore::setting(const QString &key, const QString &fallback)
{
    Query q(db(), QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.bind(key);
    return q.scalar(fallback).toString();
}

void SqliteStore::setSetting(const QString &key, const QString &value)
{
    Query(db(), QStringLiteral(
        "INSERT INTO settings (key, value) VALUES (?, ?) "
        "ON CONFLICT(key) DO UPDATE SET value = excluded.value"))
        .bind(key).bind(value).exec();
}

bool SqliteStore::hasCatalogue()
{
    return Query(db(), QStringLiteral("SELECT EXISTS (SELECT 1 FROM items)"))
        .scalar(0).toInt() != 0;
}

// --- users and computers

namespace {

const char kUserColumns[] =
    "id, name, password, active, user_type, COALESCE(carino, 0), COALESCE(rep_id, 0), email";

UserInfo readUser(const Query &q)
{
    UserInfo u;
    u.id = q.toInt(0);
    u.name = q.toString(1);
    u.password = q.toString(2);
    u.active = q.toInt(3) != 0;
    u.type = q.toInt(4);
    u.carino = q.toInt(5);
    u.repId = q.toInt(6);
    u.email = q.toString(7);
    return u;
}

} // namespace

int SqliteStore::addUser(const UserInfo &user)
{
    const QString name = user.name.trimmed();
    if (name.isEmpty() || user.password.isEmpty())
        throw StoreError(QStringLiteral("Kullanıcı adı ve şifre boş olamaz."));
    checkText(name, MaxShortText, QStringLiteral("Kullanıcı adı"));
    checkText(user.password, MaxShortText, QStringLiteral("Şifre"));
    if (user.type < DealerUser || user.type > DealerWithoutCampaign)
        throw StoreError(QStringLiteral("Kullanıcı tipi 0 ile 4 arasında olmalıdır."));
    QSqlDatabase d = db();
    Transaction transaction(d);
    if (user.carino != 0)
        requireCustomer(user.carino);
    else if (!isStaff(user.type))
        throw StoreError(QStringLiteral("Bayi kullanıcısının bir cari hesabı olmalıdır."));
    if (user.repId != 0 && Query(d, QStringLiteral("SELECT COUNT(*) FROM sales_reps WHERE id = ?"))
                               .bind(user.repId).scalar(0).toInt() == 0)
        throw StoreError(QStringLiteral("Satış temsilcisi bulunamadı."));
    if (Query(d, QStringLiteral("SELECT COUNT(*) FROM users WHERE name = ?"))
            .bind(name).scalar(0).toInt() > 0)
        throw StoreError(QStringLiteral("Bu kullanıcı adı zaten kayıtlı: %1").arg(name));
    Query q(d, QStringLiteral(
        "INSERT INTO users (name, password, active, user_type, carino, rep_id, email, created_at) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    q.bind(name).bind(user.password).bind(user.active).bind(user.type)
        .bind(user.carino ? QVariant(user.carino) : QVariant())
        .bind(user.repId ? QVariant(user.repId) : QVariant())
        .bind(user.email).bind(nowStamp()).exec();
    const int id = int(q.lastInsertId());
    transaction.commit();
    return id;
}

void SqliteStore::setUserActive(const QString &name, bool active)
{
    Query q(db(), QStringLiteral("UPDATE users SET active = ? WHERE name = ?"));
    q.bind(active).bind(name).exec();
    if (q.rowsAffected() == 0)
        throw StoreError(QStringLiteral("Kullanıcı bulunamadı: %1").arg(name));
}

QList<UserInfo> SqliteStore::users()
{
    Query q(db(), QStringLiteral("SELECT %1 FROM users ORDER BY id")
                      .arg(QLatin1String(kUserColumns)));
    q.exec();
    QList<UserInfo> list;
    while (q.next())
        list << readUser(q);
    return list;
}

std::optional<UserInfo> SqliteStore::userById(int id)
{
    Query q(db(), QStringLiteral("SELECT %1 FROM users WHERE id = ?")
                      .arg(QLatin1String(kUserColumns)));
    q.bind(id).exec();
    if (!q.next())
        return std::nullopt;
    return readUser(q);
}

std::optional<UserInfo> SqliteStore::userByName(const QString &name)
{
    Query q(db(), QStringLiteral("SELECT %1 FROM users WHERE name = ?")
                      .arg(QLatin1String(kUserColumns)));
    q.bind(name).exec();
    if (!q.next())
        return std::nullopt;
    return readUser(q);
}

void SqliteStore::registerComputer(const QString &computerId, int userId, const QString &note,
                                   bool demo)
{
    const QString id = computerId.trimmed();
    if (id.isEmpty())
        throw StoreError(QStringLiteral("Bilgisayar kimliği boş olamaz."));
    checkText(id, MaxShortText, QStringLiteral("Bilgisayar kimliği"));
    checkText(note, MaxShortText, QStringLiteral("Açıklama"));
    QSqlDatabase d = db();
    Transaction transaction(d);
    if (!userById(userId))
        throw StoreError(StoreText::unknownUser());
    // Registering a known computer again moves it to the new user and activates it.
    Query(d, QStringLiteral(
        "INSERT INTO computers (computer_id, user_id, active, demo, registered_at, note) "
        "VALUES (?, ?, 1, ?, ?, ?) "
        "ON CONFLICT(computer_id) DO UPDATE SET user_id = excluded.user_id, active = 1, "
        "demo = excluded.demo, note = excluded.note"))
        .bind(id).bind(userId).bind(demo).bind(nowStamp()).bind(note).exec();
    transaction.commit();
}

void SqliteStore::setComputerActive(const QString &computerId, bool active)
{
    Query q(db(), QStringLiteral("UPDATE computers SET active = ? WHERE computer_id = ?"));
    q.bind(active).bind(computerId).exec();
    if (q.rowsAffected() == 0)
        throw StoreError(QStringLiteral("Bilgisayar bulunamadı: %1").arg(computerId));
}

QList<ComputerInfo> SqliteStore::computers()
{
    Query q(db(), QStringLiteral(
        "SELECT c.computer_id, c.user_id, u.name, c.active, c.demo, c.registered_at, "
        "c.last_seen_at, c.note FROM computers c JOIN users u ON u.id = c.user_id "
        "ORDER BY c.registered_at, c.computer_id"));
    q.exec();
    QList<ComputerInfo> list;
    while (q.next()) {
        ComputerInfo c;
        c.computerId = q.toString(0);
        c.userId = q.toInt(1);
        c.userName = q.toString(2);
        c.active = q.toInt(3) != 0;
        c.demo = q.toInt(4) != 0;
        c.registeredAt = q.toStamp(5);
        c.lastSeenAt = q.toStamp(6);
        c.note = q.toString(7);
        list << c;
    }
    return list;
}

TSonucBilgisi SqliteStore::lookupComputer(const QString &computerId, int clientVersion,
                                          int demoUserId)
{
    if (computerId.trimmed().isEmpty())
        throw StoreError(QStringLiteral("Bilgisayar kimliği boş olamaz."));
    checkText(computerId, MaxShortText, QStringLiteral("Bilgisayar kimliği"));
    QSqlDatabase d = db();
    const QString select = QStringLiteral(
        "SELECT c.active, u.id, u.name, u.password, u.active, u.user_type, "
        "COALESCE(u.carino, 0), u.email, cu.code, cu.name, "
        "r.id, r.name, r.phone, r.email "
        "FROM computers c JOIN users u ON u.id = c.user_id "
        "LEFT JOIN customers cu ON cu.carino = u.carino "
        "LEFT JOIN sales_reps r ON r.id = CASE WHEN u.user_type IN (1, 2) "
        "     THEN u.rep_id ELSE COALESCE(cu.rep_id, u.rep_id) END "
        "WHERE c.computer_id = ?");

    TSonucBilgisi record;
    record.FBILGISAYARID = computerId;
    record.FVersion = clientVersion;
    record.FVarmi = false;

    Query q(d, select);
    q.bind(computerId).exec();
    const bool found = q.next();
    if (!found && demoUserId > 0) {
        q.finish();
        Transaction transaction(d);
        Query(d, QStringLiteral(
            "INSERT OR IGNORE INTO computers (computer_id, user_id, active, demo, registered_at, "
            "note) VALUES (?, ?, 1, 1, ?, ?)"))
            .bind(computerId).bind(demoUserId).bind(nowStamp())
            .bind(QStringLiteral("Demo kaydı")).exec();
        transaction.commit();
        return lookupComputer(computerId, clientVersion, 0);
    }
    // A deactivated computer counts as unknown: its user is asked to apply again.
    if (!found || q.toInt(0) == 0)
        return record;

    record.FVarmi = true;
    record.FSirano = q.toInt(1);
    record.FADI = q.toString(2);
    record.FSIFRE = q.toString(3);
    record.FAKTIF = q.toInt(4) != 0 ? 1 : 0;
    record.FMusteriTipi = q.toInt(5);
    record.FCARINO = q.toInt(6);
    record.FKullanicimail = q.toString(7);
    record.Fcarikod = q.toString(8);
    record.FCariAdi = q.toString(9);
    record.FSaticiNo = q.toInt(10);
    record.FSaticiAdi = q.toString(11);
    record.FSaticiTelefon = q.toString(12);
    record.FSaticiMail = q.toString(13);
    q.finish();

    Query(d, QStringLiteral("UPDATE computers SET last_seen_at = ? WHERE computer_id = ?"))
        .bind(nowStamp()).bind(computerId).exec();
    return record;
}

void SqliteStore::noteSignOut(const QString &computerId)
{
    Query(db(), QStringLiteral("UPDATE computers SET last_signout_at = ? WHERE computer_id = ?"))
        .bind(nowStamp()).bind(computerId).exec();
}

// --- master data

void SqliteStore::requireCustomer(int carino)
{
    if (carino <= 0 || Query(db(), QStringLiteral(
            "SELECT COUNT(*) FROM customers WHERE carino = ?")).bind(carino).scalar(0).toInt() == 0)
        throw StoreError(StoreText::unknownCustomer(carino));
}

CustomerTerms SqliteStore::customerTerms(int carino)
{
    CustomerTerms terms;
    if (carino == 0)
        return terms;     // list prices only
    QSqlDatabase d = db();
    Query q(d, QStringLiteral(
        "SELECT code, name, discount, cash_discount FROM customers WHERE carino = ?"));
    q.bind(carino).exec();
    if (!q.next())
        throw StoreError(StoreText::unknownCustomer(carino));
    terms.carino = carino;
    terms.code = q.toString(0);
    terms.name = q.toString(1);
    terms.discount = q.toDouble(2);
    terms.cashDiscount = q.toDouble(3);
    Query b(d, QStringLiteral("SELECT brand, rate FROM brand_discounts WHERE carino = ?"));
    b.bind(carino).exec();
    while (b.next())
        terms.brandDiscounts.insert(b.toString(0), b.toDouble(1));
    return terms;
}

int SqliteStore::addSalesRep(const SalesRep &rep)
{
    Query q(db(), QStringLiteral(
        "INSERT INTO sales_reps (id, name, phone, email) VALUES (?, ?, ?, ?)"));
    q.bind(rep.id ? QVariant(rep.id) : QVariant()).bind(rep.name).bind(rep.phone)
        .bind(rep.email).exec();
    return int(q.lastInsertId());
}

int SqliteStore::addCustomer(const Customer &c)
{
    Query q(db(), QStringLiteral(
        "INSERT INTO customers (carino, code, name, contact, special_code, main_group, "
        "sub_group, code1, code2, code3, code4, code5, address1, address2, district, city, "
        "country, phone1, phone2, fax1, fax2, gsm, email, tax_office, tax_no, discount, "
        "cash_discount, payment_days, tolerance_days, tolerance_months, rep_id, active, "
        "search_key) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.bind(c.carino ? QVariant(c.carino) : QVariant()).bind(c.code).bind(c.name)
        .bind(c.contact).bind(c.specialCode).bind(c.mainGroup).bind(c.subGroup);
    for (const QString &code : c.codes)
        q.bind(code);
    q.bind(c.address1).bind(c.address2).bind(c.district).bind(c.city).bind(c.country)
        .bind(c.phone1).bind(c.phone2).bind(c.fax1).bind(c.fax2).bind(c.gsm).bind(c.email)
        .bind(c.taxOffice).bind(c.taxNo).bind(c.discount).bind(c.cashDiscount)
        .bind(c.paymentDays).bind(c.toleranceDays).bind(c.toleranceMonths)
        .bind(c.repId ? QVariant(c.repId) : QVariant()).bind(c.active)
        .bind(customerSearchKey(c)).exec();
    return int(q.lastInsertId());
}

void SqliteStore::setBrandDiscount(int carino, const QString &brand, double rate)
{
    Query(db(), QStringLiteral(
        "INSERT INTO brand_discounts (carino, brand, rate) VALUES (?, ?, ?) "
        "ON CONFLICT(carino, brand) DO UPDATE SET rate = excluded.rate"))
        .bind(carino).bind(brand).bind(rate).exec();
}

int SqliteStore::addPicture(const QByteArray &jpeg)
{
    Query q(db(), QStringLiteral("INSERT INTO pictures (jpeg) VALUES (?)"));
    q.bind(jpeg).exec();
    return int(q.lastInsertId());
}

void SqliteStore::addItems(const std::vector<Item> &items)
{
    QSqlDatabase d = db();
    Transaction transaction(d);
    Query q(d, QStringLiteral(
        "INSERT INTO items (stokno, code, name, other_name, barcode, barcode_no, oem1, oem2, "
        "oem3, oem4, oem_no, finish_code, maker_code, dp_code, p_code, special_code, "
        "box_quantity, unit, brand, model, department, main_group, sub_group, colour, size, "
        "vat_rate, list_price, campaign_price, campaign_until, item_discount, stock, "
        "supplier_ordered, supply_status, added_on, picture_id, active, search_key) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Item &i : items) {
        Query &row = q.reset();
        row.bind(i.stokno ? QVariant(i.stokno) : QVariant()).bind(i.code).bind(i.name)
            .bind(i.otherName).bind(i.barcode).bind(i.barcodeNo);
        for (const QString &oem : i.oem)
            row.bind(oem);
        row.bind(i.oemNo).bind(i.finishCode).bind(i.makerCode).bind(i.dpCode).bind(i.pCode)
            .bind(i.specialCode).bind(qMax(1, i.boxQuantity)).bind(i.unit).bind(i.brand)
            .bind(i.model).bind(i.department).bind(i.mainGroup).bind(i.subGroup)
            .bind(i.colour).bind(i.size).bind(i.vatRate).bind(cents(i.listPrice))
            .bind(cents(i.campaignPrice)).bind(i.campaignUntil).bind(i.itemDiscount)
            .bind(i.stock).bind(i.supplierOrdered).bind(i.supplyStatus).bind(i.addedOn)
            .bind(i.pictureId ? QVariant(i.pictureId) : QVariant()).bind(i.active)
            .bind(itemSearchKey(i)).exec();
    }
    transaction.commit();
}

void SqliteStore::addDeliveryType(int id, const QString &name)
{
    Query(db(), QStringLiteral("INSERT INTO delivery_types (id, name) VALUES (?, ?)"))
        .bind(id).bind(name).exec();
}

void SqliteStore::addCargoType(int id, const QString &name)
{
    Query(db(), QStringLiteral("INSERT INTO cargo_types (id, name) VALUES (?, ?)"))
        .bind(id).bind(name).exec();
}

void SqliteStore::addCargoCompany(int id, int cargoTypeId, const QString &name,
                                  const QString &notice, const QString &phone)
{
    Query(db(), QStringLiteral(
        "INSERT INTO cargo_companies (sirano, cargo_type_id, name, notice, phone) "
        "VALUES (?, ?, ?, ?, ?)"))
        .bind(id).bind(cargoTypeId).bind(name).bind(notice).bind(phone).exec();
}

void SqliteStore::setExchangeRate(const QString &currency, double rate)
{
    Query(db(), QStringLiteral(
        "INSERT INTO exchange_rates (currency, rate, updated_at) VALUES (?, ?, ?) "
        "ON CONFLICT(currency) DO UPDATE SET rate = excluded.rate, "
        "updated_at = excluded.updated_at"))
        .bind(currency).bind(rate).bind(nowStamp()).exec();
}

void SqliteStore::setBanner(int slot, const QByteArray &data)
{
    Query(db(), QStringLiteral(
        "INSERT INTO banners (slot, data) VALUES (?, ?) "
        "ON CONFLICT(slot) DO UPDATE SET data = excluded.data"))
        .bind(slot).bind(data).exec();
}

int SqliteStore::addAnnouncement(bool advert, const QString &title, const QString &action,
                                 const QByteArray &jpeg)
{
    Query q(db(), QStringLiteral(
        "INSERT INTO announcements (advert, title, action, picture) VALUES (?, ?, ?, ?)"));
    q.bind(advert).bind(title).bind(action).bind(jpeg).exec();
    return int(q.lastInsertId());
}

int SqliteStore::addDocument(const QString &name, const QString &title, const QByteArray &data)
{
    Query q(db(), QStringLiteral(
        "INSERT INTO documents (name, title, data, created_at) VALUES (?, ?, ?, ?)"));
    q.bind(name).bind(title).bind(data).bind(nowStamp()).exec();
    return int(q.lastInsertId());
}

} // namespace Mervak::Server
