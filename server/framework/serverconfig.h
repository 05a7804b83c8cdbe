// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

namespace Mervak::Server {

// What the command line of mervak-server sets.
struct ServerConfig
{
    QHostAddress listenAddress = QHostAddress::LocalHost;
    quint16 listenPort = 9090;          // 0: any free port (printed on the first line)
    QString dbFile;                     // --db: the SQLite file of the store
    QHostAddress httpAddress = QHostAddress::LocalHost;
    quint16 httpPort = 8080;            // --http: the web side
    bool demo = false;                  // --demo: unknown computers become the demo dealer
    int clientVersion = 0;              // --client-version: 0 = the stored setting
    bool testMethods = false;           // --test-methods: fixed answers for the tests
    int idleTimeoutMs = 30000;          // waiting for the next request of a connection
    int readTimeoutMs = 30000;          // longest silence inside a request
    int threads = 0;                    // call threads; 0 = chosen from the processors
};

// Parses the arguments (argv[0] first). On false, *message is the text to print and
// *exitCode the code to end with (0 after --help).
bool parseServerArguments(const QStringList &arguments, ServerConfig *config,
                          QString *message, int *exitCode);

// "127.0.0.1:9090", "[::1]:9090", "0.0.0.0:0"; false when the text is not one.
bool parseAddressAndPort(const QString &text, QHostAddress *address, quint16 *port);

} // namespace Mervak::Server
