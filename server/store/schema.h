// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QStringList>

#include <vector>

namespace Mervak::Server {

// One step of the schema: the statements that take the database from version - 1 to version.
struct Migration
{
    int version;
    QStringList statements;
};

// Every migration in order. A released migration is never edited: changes come as a new one.
const std::vector<Migration> &schemaMigrations();

} // namespace Mervak::Server
