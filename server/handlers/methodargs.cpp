// SPDX-License-Identifier: LicenseRef-Mervak
#include "methodargs.h"

#include "dataset.h"
#include "remoteerror.h"

#include <cmath>

namespace Mervak::Server {

const Wire::ArgValue &MethodArgs::value(QStringView name) const
{
    const int index = m_request.method->paramIndex(name);
    if (index < 0 || std::size_t(index) >= m_request.args.size())
        throw std::logic_error("no such parameter: " + name.toString().toStdString());
    return m_request.args[std::size_t(index)];
}

QString MethodArgs::text(QStringView name) const
{
    if (const auto *v = std::get_if<QString>(&value(name)))
        return *v;
    return QString();
}

int MethodArgs::integer(QStringView name) const
{
    if (const auto *v = std::get_if<qint64>(&value(name)))
        return int(*v);
    return 0;
}

double MethodArgs::real(QStringView name) const
{
    const Wire::ArgValue &v = value(name);
    double number = 0;
    if (const auto *d = std::get_if<double>(&v))
        number = *d;
    else if (const auto *i = std::get_if<qint64>(&v))
        number = double(*i);
    if (!std::isfinite(number))
        throw RemoteError(QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(name));
    return number;
}

bool MethodArgs::flag(QStringView name) const
{
    if (const auto *v = std::get_if<bool>(&value(name)))
        return *v;
    return false;
}

QDate MethodArgs::date(QStringView name) const
{
    const double days = real(name);
    const QDate date = fromDayCount(days).date();
    if (!date.isValid() || date.year() < 1900 || date.year() > 2200)
        throw RemoteError(QStringLiteral("\"%1\" geçerli bir tarih değil.").arg(name));
    return date;
}

const TransferRecord *MethodArgs::record(QStringView name) const
{
    if (const auto *v = std::get_if<std::unique_ptr<TransferRecord>>(&value(name)))
        return v->get();
    return nullptr;
}

const TSonucBilgisi &MethodArgs::session(QStringView name) const
{
    const auto *session = dynamic_cast<const TSonucBilgisi *>(record(name));
    if (!session)
        throw RemoteError(QStringLiteral("Oturum bilgisi gönderilmedi (\"%1\").").arg(name));
    return *session;
}

} // namespace Mervak::Server
