// SPDX-License-Identifier: LicenseRef-Mervak
// mervak-server: the reference application server of the Mervak B2B client.
#include "builtinhandlers.h"
#include "callserver.h"
#include "serverconfig.h"
#include "serverextension.h"
#include "signalwatcher.h"

#include <QCoreApplication>
#ifdef MERVAK_SERVER_EXTENSION
#include <QGuiApplication>
#endif

#include <cstdio>
#include <stdexcept>

using namespace Mervak::Server;

int main(int argc, char *argv[])
{
#ifdef MERVAK_SERVER_EXTENSION
    // The business draws pictures and PDF documents: Qt Gui, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    QCoreApplication::setApplicationName(QStringLiteral("mervak-server"));

#ifdef MERVAK_SERVER_EXTENSION
    if (const std::optional<int> code = runServerCommand(QCoreApplication::arguments()))
        return *code;
#endif

    ServerConfig config;
    QString message;
    int exitCode = 0;
    if (!parseServerArguments(QCoreApplication::arguments(), &config, &message, &exitCode)) {
#ifdef MERVAK_SERVER_EXTENSION
        if (exitCode == 0)
            message += u'\n' + serverCommandsHelp();
#endif
        std::fprintf(exitCode == 0 ? stdout : stderr, "%s\n", qPrintable(message));
        return exitCode;
    }

    // Before anything is announced: a stop request right after start must still be clean.
    SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &SignalWatcher::stopRequested, &app,
                     &QCoreApplication::quit);

    HandlerRegistry registry;
    registerBuiltinHandlers(registry);
    std::unique_ptr<ServerExtension> extension;
#ifdef MERVAK_SERVER_EXTENSION
    extension = createServerExtension();
    try {
        if (extension && !extension->start(config, registry, &message)) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            return 1;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
#endif
    if (config.testMethods)
        registerTestHandlers(registry);

    CallServer server(config, registry);
    if (!server.start(&message)) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        if (extension)
            extension->stop();
        return 1;
    }
    // Scripts and tests read the port from the first line, also when it was chosen freely.
    std::printf("LISTENING %u\n", unsigned(server.serverPort()));
    std::fflush(stdout);

    const int result = QCoreApplication::exec();

    server.stop();
    if (extension)
        extension->stop();
    std::fprintf(stderr, "mervak-server durdu\n");
    return result;
}
