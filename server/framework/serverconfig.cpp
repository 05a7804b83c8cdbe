// SPDX-License-Identifier: LicenseRef-Mervak
#include "serverconfig.h"

#include <QCommandLineParser>

namespace Mervak::Server {

bool parseAddressAndPort(const QString &text, QHostAddress *address, quint16 *port)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint value = text.mid(colon + 1).toUInt(&ok);
    if (!ok || value > 65535)
        return false;
    QHostAddress parsed;
    if (host == QLatin1String("localhost"))
        parsed = QHostAddress(QHostAddress::LocalHost);
    else if (!parsed.setAddress(host))
        return false;
    *address = parsed;
    *port = quint16(value);
    return true;
}

bool parseServerArguments(const QStringList &arguments, ServerConfig *config,
                          QString *message, int *exitCode)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Mervak B2B uygulama sunucusu: TServerMethods1 yöntemlerini TCP üzerinden sunar."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Bu yardımı gösterir."));
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Yöntem çağrılarının adresi ve portu "
                                                   "(varsayılan 127.0.0.1:9090; port 0: boş "
                                                   "bir port, ilk satırda yazılır)."),
                                    QStringLiteral("ADRES:PORT"));
    const QCommandLineOption db(QStringLiteral("db"),
                                QStringLiteral("Verilerin SQLite dosyası (yoksa oluşturulur)."),
                                QStringLiteral("DOSYA"));
    const QCommandLineOption http(QStringLiteral("http"),
                                  QStringLiteral("Web sayfalarının adresi ve portu "
                                                 "(varsayılan 127.0.0.1:8080)."),
                                  QStringLiteral("ADRES:PORT"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Tanıtım kipi: bilinmeyen bilgisayarlar "
                                                 "tanıtım bayisi olarak kaydedilir."));
    const QCommandLineOption clientVersion(QStringLiteral("client-version"),
                                           QStringLiteral("İstemcinin beklenen sürümü."),
                                           QStringLiteral("N"));
    const QCommandLineOption testMethods(QStringLiteral("test-methods"),
                                         QStringLiteral("Testler için sabit yanıtlar veren "
                                                        "yöntemler (yalnızca testlerde)."));
    const QCommandLineOption idle(QStringLiteral("idle-timeout"),
                                  QStringLiteral("Yeni istek için bekleme süresi, ms "
                                                 "(varsayılan 30000)."),
                                  QStringLiteral("MS"));
    const QCommandLineOption read(QStringLiteral("read-timeout"),
                                  QStringLiteral("Bir isteğin içinde en uzun sessizlik, ms "
                                                 "(varsayılan 30000)."),
                                  QStringLiteral("MS"));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Aynı anda çalışan çağrı sayısı."),
                                     QStringLiteral("N"));
    parser.addOptions({help, listen, db, http, demo, clientVersion, testMethods, idle, read,
                       threads});

    *exitCode = 2;
    if (!parser.parse(arguments)) {
        *message = parser.errorText();
        return false;
    }
    if (parser.isSet(help)) {
        *message = parser.helpText();
        *exitCode = 0;
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *message = QStringLiteral("Beklenmeyen argüman: %1")
                       .arg(parser.positionalArguments().constFirst());
        return false;
    }
    if (parser.isSet(listen)
        && !parseAddressAndPort(parser.value(listen), &config->listenAddress,
                                &config->listenPort)) {
        *message = QStringLiteral("Geçersiz --listen değeri: %1").arg(parser.value(listen));
        return false;
    }
    if (parser.isSet(http)
        && !parseAddressAndPort(parser.value(http), &config->httpAddress, &config->httpPort)) {
        *message = QStringLiteral("Geçersiz --http değeri: %1").arg(parser.value(http));
        return false;
    }
    auto number = [&](const QCommandLineOption &option, int min, int *out) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < min) {
            *message = QStringLiteral("Geçersiz --%1 değeri: %2")
                           .arg(option.names().constFirst(), parser.value(option));
            return false;
        }
        *out = value;
        return true;
    };
    if (!number(clientVersion, 1, &config->clientVersion) || !number(idle, 1, &config->idleTimeoutMs)
        || !number(read, 1, &config->readTimeoutMs) || !number(threads, 1, &config->threads))
        return false;
    config->dbFile = parser.value(db);
    config->demo = parser.isSet(demo);
    config->testMethods = parser.isSet(testMethods);
    return true;
}

} // namespace Mervak::Server
