// SPDX-License-Identifier: LicenseRef-Mervak
#include "sharedsettings.h"

#include <QMutex>
#include <QMutexLocker>

namespace Mervak {

namespace {
QMutex mutex;
QString serverHost;
QString webBase;
} // namespace

QString ServerHost()
{
    QMutexLocker lock(&mutex);
    return serverHost;
}

void setServerHost(const QString &host)
{
    QMutexLocker lock(&mutex);
    serverHost = host;
}

QString WebBase()
{
    QMutexLocker lock(&mutex);
    return webBase;
}

void setWebBase(const QString &base)
{
    QMutexLocker lock(&mutex);
    webBase = base;
}

} // namespace Mervak
