// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "dataset.h"
#include "mobilstokunit.h"
#include "pricing.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace Mervak::Server {

/*!
    A refusal or failure the caller is told about. The text is Turkish and goes to the
    client as the error reply; internal details (SQL, file names) are logged, not sent.
*/
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

using DataSetPtr = std::unique_ptr<DataSet>;

// User types (MusteriTipi). Dealers are 0, 3 and 4; 1 and 2 are the distributor's staff.
enum UserType {
    DealerUser = 0,
    SalesRepUser = 1,        // works for the customers of his own sales representative
    SalesManagerUser = 2,    // works for every customer, may change prices of balances
    DealerWithoutStatus = 3,
    DealerWithoutCampaign = 4
};

inline bool isStaff(int userType) { return userType == SalesRepUser || userType == SalesManagerUser; }

// Processing states of an order; the numbers are those of the customer lists by state.
enum OrderState {
    OrderReceived = 2,
    OrderApproved = 3,
    OrderSeen = 4,
    OrderPartlyPrepared = 5,
    OrderPrepared = 6,
    OrderShipped = 7
};
QString orderStateText(int state);

struct UserInfo
{
    int id = 0;
    QString name;
    QString password;
    bool active = true;
    int type = DealerUser;
    int carino = 0;          // the dealer's own account; staff: the account they start on
    int repId = 0;
    QString email;
};

struct ComputerInfo
{
    QString computerId;
    int userId = 0;
    QString userName;
    bool active = true;
    bool demo = false;
    QDateTime registeredAt;
    QDateTime lastSeenAt;
    QString note;
};

struct SalesRep
{
    int id = 0;
    QString name;
    QString phone;
    QString email;
};

struct Customer
{
    int carino = 0;
    QString code;
    QString name;
    QString contact;
    QString specialCode;
    QString mainGroup;
    QString subGroup;
    QString codes[5];
    QString address1;
    QString address2;
    QString district;
    QString city;
    QString country = QStringLiteral("TÜRKİYE");
    QString phone1;
    QString phone2;
    QString fax1;
    QString fax2;
    QString gsm;
    QString email;
    QString taxOffice;
    QString taxNo;
    double discount = 0;        // IND1
    double cashDiscount = 0;    // IND4
    int paymentDays = 0;        // VADE: invoices fall due this many days after their date
    int toleranceDays = 0;      // VADEKONTROLGUN: days past due before the dealer is warned
    int toleranceMonths = 0;    // VADEKONTROLAY
    int repId = 0;
    bool active = true;
};

struct Item
{
    int stokno = 0;
    QString code;
    QString name;
    QString otherName;
    QString barcode;
    qint64 barcodeNo = 0;
    QString oem[4];
    QString oemNo;
    QString finishCode;
    QString makerCode;
    QString dpCode;
    QString pCode;
    QString specialCode;
    int boxQuantity = 1;
    QString unit = QStringLiteral("ADET");
    QString brand;
    QString model;
    QString department;
    QString mainGroup;
    QString subGroup;
    QString colour;
    QString size;
    double vatRate = 20;
    double listPrice = 0;
    double campaignPrice = 0;
    QDate campaignUntil;            // null: open-ended
    double itemDiscount = 0;        // IND3
    double stock = 0;
    double supplierOrdered = 0;     // VERILENSIPARIS
    int supplyStatus = 0;           // DURUM while out of stock and nothing on the way
    QDate addedOn;
    int pictureId = 0;
    bool active = true;
};

// Stock status codes (DURUM).
enum StockStatus {
    StatusNone = 0,
    StatusInStock = 1,
    StatusCallUs = 2,
    StatusOnTheWay = 3,
    StatusSpecialOrder = 4,
    StatusInSupply = 5
};

struct StockQuery
{
    QString text;
    QString department;
    QString mainGroup;
    QString subGroup;
    bool campaignOnly = false;
    bool newOnly = false;
    bool inStockOnly = false;
    bool withPictureOnly = false;
    int offset = 0;
    int limit = -1;                 // -1: all
};

struct BasketLineRequest
{
    int carino = 0;
    int lineNo = 0;                 // the line to change (update only)
    int stokno = 0;
    double quantity = 0;
    double unitPrice = 0;           // staff only: the price they set
    Discounts rates{};              // staff only
    int userId = 0;
    QDateTime at;                   // null: now
};

struct OrderRequest
{
    int carino = 0;
    int deliveryTypeId = 0;
    int cargoTypeId = 0;
    int cargoCompanyId = 0;
    QString message;
    int userId = 0;
    QDateTime at;                   // null: now
};

struct BalanceRequest
{
    int carino = 0;                 // the session's customer: the line must be his
    int userId = 0;
    int stokno = 0;                 // 0: not checked
    int basketLineNo = 0;           // SIRANO of the balance row
    int orderLineNo = 0;            // STOKHAR_NO of the balance row
    double quantity = 0;
    double balance = 0;
    double unitPrice = 0;
    double discount = 0;
};

struct OutgoingMail
{
    QString kind;                   // the method that queued it
    bool registeredOnly = true;     // refused unless the computer is registered
    QString computerId;
    int carino = 0;
    QString subject;
    QString firm;
    QString address1;
    QString address2;
    QString district;
    QString city;
    QString phone;
    QString fax;
    QString taxOffice;
    QString taxNo;
    QString contact;
    QString userName;
    QString password;
    QString mail;
    QString cargoDepot;
    QString body;
};

struct QueuedMail
{
    int id = 0;
    QDateTime createdAt;
    OutgoingMail mail;
};

struct CardPayment
{
    int sirano = 0;
    int movementId = 0;
    int carino = 0;
    QString customerCode;
    QString customerName;
    QDateTime paidAt;
    double amount = 0;
    QString cardHolder;
    QString cardMasked;
    QString bank;
    QString authCode;
    int installments = 1;
    QString reference;
    QString documentNo;
};

struct StoredDocument
{
    int sirano = 0;
    QString name;
    QString title;
    QByteArray data;
};

struct BalloonCounts
{
    int basketLines = 0;
    int newItems = 0;
    int campaignItems = 0;
    int announcements = 0;
    double openBalance = 0;         // quantity still to be delivered on open orders
    int documents = 0;
};

struct ExchangeRates
{
    double usd = 0;
    double eur = 0;
};

struct CollectionEntry
{
    QString kind;                   // "Nakit", "Kredi Kartı", "Çek", "Senet", "Havale"
    double amount = 0;
    QString documentNo;
    QDate dueDate;
    QString description;
    // Card payments only
    QString cardHolder;
    QString cardMasked;
    QString bank;
    int installments = 1;
};

// Movement kinds of the account statement.
enum MovementKind {
    SalesInvoice = 1,
    ReturnInvoice = 2,
    Collection = 3,
    Payment = 4,
    OpeningBalance = 5,
    DebitNote = 6,
    CreditNote = 7
};

struct CustomerSummary
{
    TMobilCariBilgisi info;
    QDate date;
    double debit = 0;
    double credit = 0;
    double balance = 0;
    double overdue = 0;
    int oldestOverdueDays = 0;
    int openOrders = 0;
    double openOrderAmount = 0;
    double openBalanceQuantity = 0;
    DataSetPtr lastMovements;       // TARIH, TURADI, EVRAK, BORC, ALACAK
};

/*!
    Everything the server keeps: the one place its data is read and written. Handlers call
    these operations and never see SQL, so another database can stand behind the same
    interface. Every operation is safe to call from several threads at once; each
    multi-step change is atomic. Refusals throw StoreError with a Turkish text.
*/
class Store
{
public:
    virtual ~Store() = default;

    // --- settings, users and computers
    virtual QString setting(const QString &key, const QString &fallback = {}) = 0;
    virtual void setSetting(const QString &key, const QString &value) = 0;
    virtual bool hasCatalogue() = 0;

    virtual int addUser(const UserInfo &user) = 0;
    virtual void setUserActive(const QString &name, bool active) = 0;
    virtual QList<UserInfo> users() = 0;
    virtual std::optional<UserInfo> userById(int id) = 0;
    virtual std::optional<UserInfo> userByName(const QString &name) = 0;
    virtual void registerComputer(const QString &computerId, int userId, const QString &note,
                                  bool demo) = 0;
    virtual void setComputerActive(const QString &computerId, bool active) = 0;
    virtual QList<ComputerInfo> computers() = 0;
    // The session record of the user registered for the computer (FVarmi false when none).
    // With demoUserId > 0 an unknown computer is first registered for that user.
    virtual TSonucBilgisi lookupComputer(const QString &computerId, int clientVersion,
                                         int demoUserId) = 0;
    virtual void noteSignOut(const QString &computerId) = 0;

    // --- master data (administration and the demo generator)
    virtual int addSalesRep(const SalesRep &rep) = 0;
    virtual int addCustomer(const Customer &customer) = 0;
    virtual void setBrandDiscount(int carino, const QString &brand, double rate) = 0;
    virtual int addPicture(const QByteArray &jpeg) = 0;
    virtual void addItems(const std::vector<Item> &items) = 0;
    virtual void addDeliveryType(int id, const QString &name) = 0;
    virtual void addCargoType(int id, const QString &name) = 0;
    virtual void addCargoCompany(int id, int cargoTypeId, const QString &name,
                                 const QString &notice, const QString &phone) = 0;
    virtual void setExchangeRate(const QString &currency, double rate) = 0;
    virtual void setBanner(int slot, const QByteArray &data) = 0;
    virtual int addAnnouncement(bool advert, const QString &title, const QString &action,
                                const QByteArray &jpeg) = 0;
    virtual int addDocument(const QString &name, const QString &title,
                            const QByteArray &data) = 0;

    // --- catalogue
    virtual DataSetPtr searchStock(const StockQuery &query, int carino) = 0;
    virtual DataSetPtr newItems(int carino) = 0;
    virtual DataSetPtr campaignItems(int carino) = 0;
    virtual TMobilStok stockRecord(int stokno, int carino) = 0;
    virtual TMobilStoklar stockRecords(const StockQuery &query, int carino, int *total) = 0;
    virtual DataSetPtr departments() = 0;
    virtual QStringList mainGroups() = 0;
    virtual QStringList subGroups(const QString &mainGroup) = 0;
    virtual QByteArray itemPicture(int stokno) = 0;     // empty: the item has none
    virtual ExchangeRates exchangeRates() = 0;
    virtual DataSetPtr priceList() = 0;

    // --- basket and orders
    virtual DataSetPtr basket(int carino) = 0;
    virtual TMobilSepetler basketRecords(int carino) = 0;
    virtual int addToBasket(const BasketLineRequest &request) = 0;     // the line's number
    virtual void updateBasketLine(const BasketLineRequest &request) = 0;
    virtual bool deleteBasketLine(int carino, int lineNo, const QString &description,
                                  int userId) = 0;
    virtual int clearBasket(int carino, int userId) = 0;
    virtual void setBasketSelection(int lineNo, int selected) = 0;
    virtual DataSetPtr deliveryTypes() = 0;
    virtual DataSetPtr cargoTypes() = 0;
    virtual DataSetPtr cargoCompanies(int cargoTypeId) = 0;
    // Moves the ticked basket lines into a new order; 0 when no line is ticked.
    virtual int placeOrder(const OrderRequest &request) = 0;
    virtual QString orderRefusal(int carino) = 0;      // empty: orders are taken

    virtual DataSetPtr orders(int carino) = 0;
    virtual DataSetPtr orderLines(int carino, int orderNo) = 0;
    virtual TSiparisDipAyrinti orderFooter(int carino, int orderNo) = 0;
    virtual DataSetPtr orderMovements(int carino, int stokno) = 0;
    virtual void setOrderState(int orderNo, int state, const QString &ourNote,
                               const QString &sellerNote) = 0;
    // Delivers quantities of an order's lines and invoices them; returns the invoice's
    // statement id, 0 when nothing was delivered.
    virtual int shipOrder(int orderNo, const QList<QPair<int, double>> &deliveries,
                          const QDateTime &at) = 0;

    virtual int customersWithBasket(const UserInfo &user) = 0;
    virtual DataSetPtr customersByState(const UserInfo &user, int selector) = 0;
    virtual TTusSonuclari orderStateCounts(const UserInfo &user) = 0;

    virtual DataSetPtr openBalances(int carino) = 0;
    virtual void deleteBalance(const BalanceRequest &request) = 0;
    virtual void changeBalance(const BalanceRequest &request) = 0;
    virtual void changeBalancePrice(const BalanceRequest &request) = 0;

    // --- account
    virtual DataSetPtr statement(int carino) = 0;
    virtual DataSetPtr statementBetween(int carino, const QDate &from, const QDate &to) = 0;
    virtual DataSetPtr statementHeader(int carino, const QDate &date) = 0;
    virtual DataSetPtr invoiceLines(int carino, int movementId) = 0;
    virtual DataSetPtr invoiceTotals(int movementId) = 0;
    virtual DataSetPtr collectionEntries(int movementId) = 0;
    virtual int cardPaymentNumber(int movementId) = 0;  // 0: not paid by card
    virtual std::optional<CardPayment> cardPayment(int sirano) = 0;
    virtual QString balanceText(int carino) = 0;
    virtual QString overdueWarning(int carino) = 0;     // empty: nothing overdue
    virtual int addCollection(int carino, const QDateTime &at,
                              const QList<CollectionEntry> &entries, bool payment) = 0;
    virtual int addMovement(int carino, const QDate &date, MovementKind kind,
                            const QString &documentNo, double amount,
                            const QString &description) = 0;

    virtual std::optional<StoredDocument> document(int sirano) = 0;
    virtual DataSetPtr documents() = 0;

    // --- customers, mail, reports
    virtual DataSetPtr searchCustomers(const UserInfo &user, const QString &text) = 0;
    virtual std::optional<TMobilCariBilgisi> customerInfo(int carino) = 0;
    virtual std::optional<TMobilCariBilgisi> customerInfoForComputer(
        const QString &computerId) = 0;
    virtual int queueMail(const OutgoingMail &mail) = 0;
    virtual QList<QueuedMail> outbox() = 0;
    virtual bool remindPassword(const QString &computerId) = 0;

    virtual DataSetPtr receivedOrdersReport(const UserInfo &user, const QDate &from,
                                            const QDate &to) = 0;
    virtual DataSetPtr bestSellersReport(const UserInfo &user, const QDate &from,
                                         const QDate &to) = 0;
    virtual CustomerSummary customerSummary(int carino, const QDate &date) = 0;
    virtual DataSetPtr receivablesByDue(const QString &repName, const QDate &date) = 0;
    virtual DataSetPtr salesTable(int carino, const QString &repName, const QDate &from,
                                  const QDate &to) = 0;

    // --- promotion
    virtual QString scrollingText() = 0;
    virtual QByteArray banner(int slot) = 0;
    virtual BalloonCounts balloons(int carino) = 0;
    virtual QList<TAcilisEkran> announcements(bool adverts) = 0;
    virtual int advertCount() = 0;
    virtual TAcilisEkran advert(int position) = 0;
    virtual DataSetPtr announcementTable(bool adverts) = 0;
};

} // namespace Mervak::Server
