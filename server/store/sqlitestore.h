// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "store.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

namespace Mervak::Server {

struct CustomerTerms;

/*!
    The store on one SQLite file. The file is created with its schema when missing and
    brought up to the current schema version by the migrations; it runs in WAL mode so
    readers never wait for the writer. Every thread that calls the store gets a connection
    of its own, made on first use and closed when the thread ends.
*/
class SqliteStore final : public Store
{
public:
    // Opens (creating when missing) and migrates the database; throws StoreError.
    explicit SqliteStore(const QString &path);
    ~SqliteStore() override;

    static int schemaVersion();
    const QString &path() const { return m_path; }

    // The calling thread's connection.
    QSqlDatabase db();
    // Items added on or after this day count as new (setting "yeni_urun_gun", 60 days).
    QDate newItemsSince();

    // --- settings, users and computers
    QString setting(const QString &key, const QString &fallback = {}) override;
    void setSetting(const QString &key, const QString &value) override;
    bool hasCatalogue() override;
    int addUser(const UserInfo &user) override;
    void setUserActive(const QString &name, bool active) override;
    QList<UserInfo> users() override;
    std::optional<UserInfo> userById(int id) override;
    std::optional<UserInfo> userByName(const QString &name) override;
    void registerComputer(const QString &computerId, int userId, const QString &note,
                          bool demo) override;
    void setComputerActive(const QString &computerId, bool active) override;
    QList<ComputerInfo> computers() override;
    TSonucBilgisi lookupComputer(const QString &computerId, int clientVersion,
                                 int demoUserId) override;
    void noteSignOut(const QString &computerId) override;

    // --- master data
    int addSalesRep(const SalesRep &rep) override;
    int addCustomer(const Customer &customer) override;
    void setBrandDiscount(int carino, const QString &brand, double rate) override;
    int addPicture(const QByteArray &jpeg) override;
    void addItems(const std::vector<Item> &items) override;
    void addDeliveryType(int id, const QString &name) override;
    void addCargoType(int id, const QString &name) override;
    void addCargoCompany(int id, int cargoTypeId, const QString &name, const QString &notice,
                         const QString &phone) override;
    void setExchangeRate(const QString &currency, double rate) override;
    void setBanner(int slot, const QByteArray &data) override;
    int addAnnouncement(bool advert, const QString &title, const QString &action,
                        const QByteArray &jpeg) override;
    int addDocument(const QString &name, const QString &title, const QByteArray &data) override;

    // --- catalogue
    DataSetPtr searchStock(const StockQuery &query, int carino) override;
    DataSetPtr newItems(int carino) override;
    DataSetPtr campaignItems(int carino) override;
    TMobilStok stockRecord(int stokno, int carino) override;
    TMobilStoklar stockRecords(const StockQuery &query, int carino, int *total) override;
    DataSetPtr departments() override;
    QStringList mainGroups() override;
    QStringList subGroups(const QString &mainGroup) override;
    QByteArray itemPicture(int stokno) override;
    ExchangeRates exchangeRates() override;
    DataSetPtr priceList() override;

    // --- basket and orders
    DataSetPtr basket(int carino) override;
    TMobilSepetler basketRecords(int carino) override;
    int addToBasket(const BasketLineRequest &request) override;
    void updateBasketLine(const BasketLineRequest &request) override;
    bool deleteBasketLine(int carino, int lineNo, const QString &description,
                          int userId) override;
    int clearBasket(int carino, int userId) override;
    void setBasketSelection(int lineNo, int selected) override;
    DataSetPtr deliveryTypes() override;
    DataSetPtr cargoTypes() override;
    DataSetPtr cargoCompanies(int cargoTypeId) override;
    int placeOrder(const OrderRequest &request) override;
    QString orderRefusal(int carino) override;
    DataSetPtr orders(int carino) override;
    DataSetPtr orderLines(int carino, int orderNo) override;
    TSiparisDipAyrinti orderFooter(int carino, int orderNo) override;
    DataSetPtr orderMovements(int carino, int stokno) override;
    void setOrderState(int orderNo, int state, const QString &ourNote,
                       const QString &sellerNote) override;
    int shipOrder(int orderNo, const QList<QPair<int, double>> &deliveries,
                  const QDateTime &at) override;
    int customersWithBasket(const UserInfo &user) override;
    DataSetPtr customersByState(const UserInfo &user, int selector) override;
    TTusSonuclari orderStateCounts(const UserInfo &user) override;
    DataSetPtr openBalances(int carino) override;
    void deleteBalance(const BalanceRequest &request) override;
    void changeBalance(const BalanceRequest &request) override;
    void changeBalancePrice(const BalanceRequest &request) override;

    // --- account
    DataSetPtr statement(int carino) override;
    DataSetPtr statementBetween(int carino, const QDate &from, const QDate &to) override;
    DataSetPtr statementHeader(int carino, const QDate &date) override;
    DataSetPtr invoiceLines(int carino, int movementId) override;
    DataSetPtr invoiceTotals(int movementId) override;
    DataSetPtr collectionEntries(int movementId) override;
    int cardPaymentNumber(int movementId) override;
    std::optional<CardPayment> cardPayment(int sirano) override;
    QString balanceText(int carino) override;
    QString overdueWarning(int carino) override;
    int addCollection(int carino, const QDateTime &at, const QList<CollectionEntry> &entries,
                      bool payment) override;
    int addMovement(int carino, const QDate &date, MovementKind kind, const QString &documentNo,
                    double amount, const QString &description) override;
    std::optional<StoredDocument> document(int sirano) override;
    DataSetPtr documents() override;

    // --- customers, mail, reports
    DataSetPtr searchCustomers(const UserInfo &user, const QString &text) override;
    std::optional<TMobilCariBilgisi> customerInfo(int carino) override;
    std::optional<TMobilCariBilgisi> customerInfoForComputer(const QString &computerId) override;
    int queueMail(const OutgoingMail &mail) override;
    QList<QueuedMail> outbox() override;
    bool remindPassword(const QString &computerId) override;
    DataSetPtr receivedOrdersReport(const UserInfo &user, const QDate &from,
                                    const QDate &to) override;
    DataSetPtr bestSellersReport(const UserInfo &user, const QDate &from,
                                 const QDate &to) override;
    CustomerSummary customerSummary(int carino, const QDate &date) override;
    DataSetPtr receivablesByDue(const QString &repName, const QDate &date) override;
    DataSetPtr salesTable(int carino, const QString &repName, const QDate &from,
                          const QDate &to) override;

    // --- promotion
    QString scrollingText() override;
    QByteArray banner(int slot) override;
    BalloonCounts balloons(int carino) override;
    QList<TAcilisEkran> announcements(bool adverts) override;
    int advertCount() override;
    TAcilisEkran advert(int position) override;
    DataSetPtr announcementTable(bool adverts) override;

private:
    void migrate();
    void requireCustomer(int carino);
    // The active user behind a request, allowed to work on the customer (0: any).
    UserInfo requireUser(int userId, int carino);
    CustomerTerms customerTerms(int carino);
    DataSetPtr stockTable(const QString &where, const QList<QVariant> &params, int carino,
                          bool campaignList, int offset, int limit);
    int writeBasketLine(const BasketLineRequest &request, bool update);
    DataSetPtr lineTable(int kind, const QString &where, const QList<QVariant> &params);
    QString customerScope(const UserInfo &user, QList<QVariant> &params, const QString &alias);
    DataSetPtr customerTable(const QString &where, const QList<QVariant> &params);
    double balanceAt(int carino, const QDate &date);
    struct Overdue { double amount = 0; int days = 0; };
    Overdue overdueAt(int carino, const QDate &date);

    QString m_path;
    QString m_connectionPrefix;
};

} // namespace Mervak::Server
