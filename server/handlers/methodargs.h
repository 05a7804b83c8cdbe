// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "wirecodec.h"

#include <QDate>
#include <QString>

namespace Mervak::Server {

/*!
    The decoded parameters of one call, read by their declared names. The framework has
    already checked their kinds; these readers add the checks of meaning (finite numbers,
    sensible dates, a session record where one is needed) and throw RemoteError.
*/
class MethodArgs
{
public:
    explicit MethodArgs(const Wire::Request &request) : m_request(request) {}

    QString text(QStringView name) const;
    int integer(QStringView name) const;
    double real(QStringView name) const;
    bool flag(QStringView name) const;
    QDate date(QStringView name) const;          // a Double day count
    const TransferRecord *record(QStringView name) const;   // nullptr for null
    // The session record; a call without one is refused.
    const TSonucBilgisi &session(QStringView name) const;

private:
    const Wire::ArgValue &value(QStringView name) const;

    const Wire::Request &m_request;
};

} // namespace Mervak::Server
