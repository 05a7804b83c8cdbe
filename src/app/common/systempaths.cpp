// SPDX-License-Identifier: LicenseRef-Mervak
#include "systempaths.h"

#include "machineidentity.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace Mervak {

QString SettingsFolder()
{
#ifdef Q_OS_WIN
    const QString base = qEnvironmentVariable("APPDATA");   // the roaming application data
#else
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() && !QDir::homePath().isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
#endif
    const QString folder = base + QDir::separator() + QStringLiteral("mervak");
    QDir().mkpath(folder);
    return folder;
}

QString DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString FindChromePath()
{
#ifdef Q_OS_WIN
    const QStringList candidates = {
        QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files (x86)\\Google\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files\\Google\\Chrome\\chrome.exe"),
        QStringLiteral("C:\\Users\\") + LocalUserName()
            + QStringLiteral("\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe"),
    };
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
#else
    for (const char *name : {"google-chrome", "google-chrome-stable", "chromium", "chromium-browser"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
#endif
}

int InternetExplorerVersion()
{
#ifdef Q_OS_WIN
    QString path = QStringLiteral("C:\\Program Files (x86)\\Internet Explorer\\IEXPLORE.EXE");
    if (!QFileInfo::exists(path))
        path = QStringLiteral("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    if (!QFileInfo::exists(path))
        return 0;
    const std::wstring wpath = path.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(wpath.c_str(), &handle);
    if (size == 0)
        return 0;
    QByteArray data(int(size), '\0');
    if (!GetFileVersionInfoW(wpath.c_str(), 0, size, data.data()))
        return 0;
    VS_FIXEDFILEINFO *info = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&info), &len) || !info)
        return 0;
    return int(HIWORD(info->dwFileVersionMS));
#else
    return 0;
#endif
}

} // namespace Mervak
