// SPDX-License-Identifier: LicenseRef-Mervak
#include "calllog.h"

#include <QDateTime>
#include <QMutex>

#include <atomic>
#include <cstdio>

namespace Mervak::Server {

namespace {

std::atomic<bool> g_enabled{true};

QMutex &logMutex()
{
    static QMutex m;
    return m;
}

} // namespace

void setCallLogEnabled(bool enabled)
{
    g_enabled = enabled;
}

void logCall(const QString &peer, const QString &method, double milliseconds,
             const QString &error)
{
    if (!g_enabled)
        return;
    QString line = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + u' ' + peer
                   + u' ' + (method.isEmpty() ? QStringLiteral("-") : method) + u' '
                   + QString::number(milliseconds, 'f', 1) + QStringLiteral(" ms");
    if (!error.isEmpty()) {
        QString oneLine = error;
        oneLine.replace(u'\n', u' ');
        line += QStringLiteral(" HATA: ") + oneLine;
    }
    line += u'\n';
    const QByteArray bytes = line.toUtf8();
    QMutexLocker lock(&logMutex());
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace Mervak::Server
