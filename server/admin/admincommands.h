// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace Mervak::Server {

class Store;

// The administration commands, for the server's --help.
QString adminCommandsHelp();

// True when the first argument names an administration command.
bool isAdminCommand(const QStringList &arguments);

/*!
    Runs one administration command (user-add, user-list, ...) on the store and returns
    the process exit code: 0 done, 1 refused (the reason on err), 2 bad arguments.
*/
int runAdminCommand(Store &store, const QStringList &arguments, QTextStream &out,
                    QTextStream &err);

} // namespace Mervak::Server
