// SPDX-License-Identifier: LicenseRef-Mervak
#include "machineidentity.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#include <lmcons.h>
#include <nb30.h>
#include <wbemidl.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace Mervak {

namespace {

constexpr int kNetBiosNameLength = 15;

QString readFileText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).trimmed();
}

#ifdef Q_OS_WIN
template<typename T>
struct ComRef
{
    T *p = nullptr;
    ~ComRef() { if (p) p->Release(); }
    T **out() { return &p; }
    T *operator->() const { return p; }
};

[[noreturn]] void throwCom(const char *what, HRESULT hr)
{
    throw IdentityError(QStringLiteral("%1 (0x%2)").arg(QLatin1String(what))
                            .arg(quint32(hr), 8, 16, QLatin1Char('0')).toStdString());
}

// The serial number of physical drive 0 as WMI reports it.
DiskInfo readWmiDiskZero()
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    struct Uninit { bool on; ~Uninit() { if (on) CoUninitialize(); } } uninit{SUCCEEDED(init)};

    ComRef<IWbemLocator> locator;
    HRESULT hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                  reinterpret_cast<void **>(locator.out()));
    if (FAILED(hr))
        throwCom("WMI", hr);
    ComRef<IWbemServices> services;
    BSTR ns = SysAllocString(L"ROOT\\CIMV2");
    hr = locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.out());
    SysFreeString(ns);
    if (FAILED(hr))
        throwCom("WMI", hr);
    CoSetProxyBlanket(services.p, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                      RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    BSTR language = SysAllocString(L"WQL");
    BSTR query = SysAllocString(
        L"SELECT SerialNumber FROM Win32_DiskDrive WHERE DeviceID=\"\\\\\\\\.\\\\PHYSICALDRIVE0\"");
    ComRef<IEnumWbemClassObject> rows;
    hr = services->ExecQuery(language, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                             nullptr, rows.out());
    SysFreeString(language);
    SysFreeString(query);
    if (FAILED(hr))
        throwCom("WMI", hr);

    DiskInfo disk;
    disk.name = QStringLiteral("PHYSICALDRIVE0");
    for (;;) {
        ComRef<IWbemClassObject> row;
        ULONG count = 0;
        if (FAILED(rows->Next(WBEM_INFINITE, 1, row.out(), &count)) || count == 0)
            break;
        VARIANT value;
        VariantInit(&value);
        disk.hasSerial = SUCCEEDED(row->Get(L"SerialNumber", 0, &value, nullptr, nullptr))
                         && value.vt == VT_BSTR;
        disk.serial = disk.hasSerial ? QString::fromWCharArray(value.bstrVal) : QString();
        VariantClear(&value);
    }
    return disk;
}
#endif

#ifndef Q_OS_WIN
// Block devices that are disks of the machine, in name order: no loop, RAM, device-mapper,
// optical or zram devices.
QList<DiskInfo> readLinuxDisks()
{
    QList<DiskInfo> disks;
    const QDir block(QStringLiteral("/sys/block"));
    const QStringList names = block.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    static const QRegularExpression physical(QStringLiteral("^(sd|hd|vd|xvd|nvme|mmcblk)"));
    for (const QString &name : names) {
        if (!physical.match(name).hasMatch())
            continue;
        DiskInfo disk;
        disk.name = name;
        QString serial = readFileText(block.filePath(name + QStringLiteral("/device/serial")));
        if (serial.isEmpty()) {
            // udev keeps the serial of SATA and SCSI disks in its database.
            const QString dev = readFileText(block.filePath(name + QStringLiteral("/dev")));
            QFile udev(QStringLiteral("/run/udev/data/b") + dev);
            if (!dev.isEmpty() && udev.open(QIODevice::ReadOnly)) {
                const QList<QByteArray> lines = udev.readAll().split('\n');
                for (const QByteArray &line : lines) {
                    if (line.startsWith("E:ID_SERIAL_SHORT=")) {
                        serial = QString::fromUtf8(line.mid(18)).trimmed();
                        break;
                    }
                }
            }
        }
        disk.hasSerial = !serial.isEmpty();
        disk.serial = serial;
        disks << disk;
    }
    return disks;
}

QList<AdapterStatus> readLinuxAdapters()
{
    QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    std::sort(interfaces.begin(), interfaces.end(),
              [](const QNetworkInterface &a, const QNetworkInterface &b) { return a.index() < b.index(); });
    QList<AdapterStatus> adapters;
    for (const QNetworkInterface &iface : interfaces) {
        if (adapters.size() == 3)   // the adapter list holds at most three entries
            break;
        AdapterStatus status;
        const QString hw = iface.hardwareAddress();
        const QByteArray bytes = QByteArray::fromHex(hw.toLatin1().replace(':', ""));
        status.ok = bytes.size() == 6;
        status.address = bytes;
        if (iface.type() == QNetworkInterface::Loopback) {
            status.ok = true;
            status.address = QByteArray(6, '\0');
        }
        adapters << status;
    }
    return adapters;
}
#endif

} // namespace

QString MacFromAdapters(const QList<AdapterStatus> &adapters)
{
    static const QString zeros = QStringLiteral("00-00-00-00-00-00");
    QString result;
    for (const AdapterStatus &adapter : adapters) {
        if (!adapter.ok)
            break;
        QStringList parts;
        for (int i = 0; i < 6; ++i) {
            const auto b = i < adapter.address.size() ? quint8(adapter.address.at(i)) : quint8(0);
            parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        }
        result = parts.join(u'-');
        if (result != zeros)
            break;
    }
    return result;
}

ComputerIdConfig ComputerIdConfig::builtIn()
{
    // Two office machines whose drives were swapped keep the identity they were registered with.
    return {QStringLiteral("WDWCC4M0ZH3K1E7"), QStringLiteral("S2R6NX0H712345A"),
            QStringLiteral("100000000001")};
}

QString ComputerIdFrom(const std::function<QString()> &diskSerial,
                       const std::function<QString()> &macAddress,
                       const ComputerIdConfig &config)
{
    QString id;
    try {
        id = diskSerial().trimmed();
    } catch (const std::exception &) {
        id.clear();
    }
    if (id.isEmpty()) {
        try {
            id = macAddress().trimmed();
        } catch (const std::exception &) {
            id.clear();
        }
    }
    id.remove(u' ');
    if (!id.isEmpty() && (id == config.replacedSerial1 || id == config.replacedSerial2))
        id = config.replacement;
    return id;
}

QString DiskSerialFrom(const QList<DiskInfo> &disks)
{
    if (disks.isEmpty())
        throw IdentityError("Disk bulunamadı");
    const DiskInfo &first = disks.first();
    if (!first.hasSerial)
        throw IdentityError("Disk seri numarası okunamadı");
    return first.serial.toUpper();
}

QString LocalComputerName()
{
#ifdef Q_OS_WIN
    wchar_t buf[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(buf, &size))
        return {};
    return QString::fromWCharArray(buf, int(size));
#else
    return QHostInfo::localHostName().left(kNetBiosNameLength);
#endif
}

QString LocalUserName()
{
    QString name;
#ifdef Q_OS_WIN
    wchar_t buf[UNLEN + 1];
    DWORD size = UNLEN + 1;
    if (GetUserNameW(buf, &size))
        name = QString::fromWCharArray(buf);
#else
    if (const passwd *pw = getpwuid(geteuid()))
        name = QString::fromLocal8Bit(pw->pw_name);
    if (name.isEmpty())
        name = QProcessEnvironment::systemEnvironment().value(QStringLiteral("USER"));
#endif
    // The name is read into a 16-character buffer: a longer one does not fit and reads as "".
    return name.size() > kNetBiosNameLength ? QString() : name;
}

QString LocalIpAddress()
{
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError)
        return QStringLiteral("127.0.0.1");
    for (const QHostAddress &address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

QString GetMacAddress()
{
#ifdef Q_OS_WIN
    // NetBIOS: enumerate the LAN adapters into a 4-byte buffer (count + up to three numbers),
    // then reset each and ask its status.
    UCHAR lanas[4] = {};
    NCB ncb{};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = lanas;
    ncb.ncb_length = sizeof lanas;
    Netbios(&ncb);
    QList<AdapterStatus> adapters;
    for (int i = 0; i < qMin(int(lanas[0]), 3); ++i) {
        NCB reset{};
        reset.ncb_command = NCBRESET;
        reset.ncb_lana_num = lanas[i + 1];
        Netbios(&reset);
        UCHAR status[60] = {};
        NCB query{};
        query.ncb_command = NCBASTAT;
        query.ncb_lana_num = lanas[i + 1];
        memcpy(query.ncb_callname, "*               ", NCBNAMSZ);
        query.ncb_buffer = status;
        query.ncb_length = sizeof status;
        const UCHAR rc = Netbios(&query);
        const bool ok = rc == NRC_GOODRET || rc == NRC_BUFLEN;
        adapters << AdapterStatus{ok, QByteArray(reinterpret_cast<const char *>(status), 6)};
    }
    return MacFromAdapters(adapters);
#else
    return MacFromAdapters(readLinuxAdapters());
#endif
}

QString DiskSerialNumber()
{
#ifdef Q_OS_WIN
    return DiskSerialFrom({readWmiDiskZero()});
#else
    return DiskSerialFrom(readLinuxDisks());
#endif
}

QString ComputerId()
{
    // Tests and demo installations may present a chosen identity to the server.
    const QString forced = qEnvironmentVariable("MERVAK_COMPUTER_ID");
    if (!forced.isEmpty())
        return forced;
    return ComputerIdFrom(DiskSerialNumber, GetMacAddress, ComputerIdConfig::builtIn());
}

} // namespace Mervak
