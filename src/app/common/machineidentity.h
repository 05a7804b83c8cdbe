// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <stdexcept>

namespace Mervak {

class IdentityError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

QString LocalComputerName();   // host name cut to the 15-character NetBIOS limit; "" on failure
QString LocalUserName();       // "" on failure or when longer than 15 characters
QString LocalIpAddress();      // first IPv4 address of the resolved host name
QString GetMacAddress();       // "AA-BB-CC-DD-EE-FF", or ""
QString DiskSerialNumber();    // serial of the first physical disk, upper case; throws IdentityError
QString ComputerId();

// --- the rules, apart from the reading of the system, so they can be checked with made-up
//     adapters and disks.

struct AdapterStatus
{
    bool ok = false;           // the status query answered
    QByteArray address;        // six bytes when ok
};
// Adapters in system order: the first answer is taken, and the next adapter is asked only
// while the answer so far is all zeros. A first adapter that does not answer gives "".
QString MacFromAdapters(const QList<AdapterStatus> &adapters);

struct ComputerIdConfig
{
    QString replacedSerial1;
    QString replacedSerial2;
    QString replacement;
    static ComputerIdConfig builtIn();
};
// Disk serial (may throw) trimmed, else the MAC trimmed; spaces removed; the two configured
// serials become the configured identity.
QString ComputerIdFrom(const std::function<QString()> &diskSerial,
                       const std::function<QString()> &macAddress,
                       const ComputerIdConfig &config);

struct DiskInfo
{
    QString name;              // "sda", "nvme0n1", ...
    bool hasSerial = false;    // false: the serial is null / unreadable
    QString serial;
};
// The first physical disk's serial, upper case; throws IdentityError when there is no disk
// or its serial is null.
QString DiskSerialFrom(const QList<DiskInfo> &disks);

} // namespace Mervak
