// SPDX-License-Identifier: LicenseRef-Mervak
#include "business.h"

#include "demogenerator.h"
#include "store.h"

#include <QMutexLocker>

namespace Mervak::Server {

Business::Business(Store &store, const BusinessOptions &options)
    : m_store(store), m_options(options)
{
}

int Business::clientVersion()
{
    if (m_options.clientVersion)
        return *m_options.clientVersion;
    bool ok = false;
    const int stored = m_store.setting(QString::fromLatin1(ClientVersionSetting)).toInt(&ok);
    return ok ? stored : DefaultClientVersion;
}

int Business::demoUserId()
{
    if (!m_options.demo)
        return 0;
    QMutexLocker lock(&m_mutex);
    if (m_demoUserId < 0) {
        const std::optional<UserInfo> user =
            m_store.userByName(QString::fromLatin1(DemoUserName));
        m_demoUserId = user && user->active ? user->id : 0;
    }
    return m_demoUserId;
}

QString Business::company()
{
    const QString name = m_store.setting(QString::fromLatin1(CompanySetting));
    return name.isEmpty() ? QStringLiteral("Mervak B2B") : name;
}

QByteArray demoInstaller()
{
    return QByteArrayLiteral(
        "#!/bin/sh\n"
        "# Mervak B2B kurulum programi (demo)\n"
        "# Gercek bir kurulumda bu dosya istemcinin yeni surumunu kurar.\n"
        "echo \"Mervak B2B demo kurulumu: yapilacak bir islem yok.\"\n"
        "exit 0\n");
}

} // namespace Mervak::Server
