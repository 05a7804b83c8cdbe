// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "handlerregistry.h"
#include "serverconfig.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace Mervak::Server {

/*!
    The application's business as the executable plugs it into the call framework: it opens
    what it needs (the database, the web side), registers its handlers, and closes again at
    shutdown.

    A library that provides it defines createServerExtension() and is linked into
    mervak-server through the CMake target mervak_serverapp (server/CMakeLists.txt picks it
    up when the target exists).
*/
class ServerExtension
{
public:
    virtual ~ServerExtension() = default;

    // Called once before the server listens; false with a reason stops the start.
    virtual bool start(const ServerConfig &config, HandlerRegistry &registry,
                       QString *error) = 0;
    // Called after the last call has finished.
    virtual void stop() {}
};

std::unique_ptr<ServerExtension> createServerExtension();

// The extension's command-line commands (administration of its data), run instead of
// serving: the exit code when the arguments name one, nullopt otherwise.
std::optional<int> runServerCommand(const QStringList &arguments);
// Their description, added to --help.
QString serverCommandsHelp();

} // namespace Mervak::Server
