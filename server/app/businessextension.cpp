// SPDX-License-Identifier: LicenseRef-Mervak
// The business of mervak-server: the store, the method handlers, the demo data, the web
// side and the administration commands, plugged into the call framework.
#include "admincommands.h"
#include "business.h"
#include "businesshandlers.h"
#include "demogenerator.h"
#include "serverextension.h"
#include "sqlitestore.h"
#include "store.h"
#ifdef MERVAK_WITH_WEB
#include "webserver.h"
#endif

#include <QTextStream>

#include <cstdio>

namespace Mervak::Server {

namespace {

class BusinessExtension final : public ServerExtension
{
public:
    bool start(const ServerConfig &config, HandlerRegistry &registry, QString *error) override
    {
        if (config.dbFile.isEmpty()) {
            // Without a database only the framework's own methods answer.
            std::fprintf(stderr, "mervak-server: --db verilmedi, iş yöntemleri kapalı\n");
            return true;
        }
        try {
            m_store = std::make_unique<SqliteStore>(config.dbFile);
            if (config.demo && !m_store->hasCatalogue()) {
                std::fprintf(stderr, "mervak-server: demo verisi oluşturuluyor...\n");
                DemoGenerator(*m_store).run();
            }
            BusinessOptions options;
            options.demo = config.demo;
            if (config.clientVersion > 0)
                options.clientVersion = config.clientVersion;
            m_business = std::make_unique<Business>(*m_store, options);
            if (config.demo && m_business->demoUserId() == 0)
                std::fprintf(stderr, "mervak-server: demo kullanıcısı %s bulunamadı; bilinmeyen "
                                     "bilgisayarlar kaydedilmeyecek\n", DemoUserName);
            for (NamedHandler &h : businessHandlers(*m_business))
                registry.registerHandler(h.method, std::move(h.handler));
        } catch (const StoreError &e) {
            *error = QStringLiteral("Veritabanı açılamadı (%1): %2").arg(config.dbFile, e.text());
            return false;
        }
#ifdef MERVAK_WITH_WEB
        m_web = std::make_unique<WebServer>(*m_business);
        if (!m_web->listen(config.httpAddress, config.httpPort, error))
            return false;
        std::fprintf(stderr, "HTTP %s:%u\n", qPrintable(config.httpAddress.toString()),
                     unsigned(m_web->port()));
#endif
        return true;
    }

    void stop() override
    {
#ifdef MERVAK_WITH_WEB
        m_web.reset();
#endif
        m_business.reset();
        m_store.reset();
    }

private:
    std::unique_ptr<SqliteStore> m_store;
    std::unique_ptr<Business> m_business;
#ifdef MERVAK_WITH_WEB
    std::unique_ptr<WebServer> m_web;
#endif
};

} // namespace

std::unique_ptr<ServerExtension> createServerExtension()
{
    return std::make_unique<BusinessExtension>();
}

QString serverCommandsHelp()
{
    return adminCommandsHelp();
}

std::optional<int> runServerCommand(const QStringList &arguments)
{
    // mervak-server --db FILE COMMAND ...: the database option comes before the command.
    QString dbFile;
    int i = 1;
    for (; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--db") && i + 1 < arguments.size()) {
            dbFile = arguments[++i];
        } else if (a.startsWith(QLatin1String("--db="))) {
            dbFile = a.mid(5);
        } else {
            break;
        }
    }
    const QStringList command = arguments.mid(i);
    if (!isAdminCommand(command))
        return std::nullopt;
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (dbFile.isEmpty()) {
        err << "Komut için --db ile veritabanı dosyası verilmelidir.\n";
        return 2;
    }
    try {
        SqliteStore store(dbFile);
        return runAdminCommand(store, command, out, err);
    } catch (const StoreError &e) {
        err << "Veritabanı açılamadı (" << dbFile << "): " << e.text() << "\n";
        return 1;
    }
}

} // namespace Mervak::Server
