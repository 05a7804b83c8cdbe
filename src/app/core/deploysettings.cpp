// SPDX-License-Identifier: LicenseRef-Mervak
#include "deploysettings.h"

#include "inifile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Mervak {

namespace {

const char Section[] = "dagitim";

QString withSlash(QString url)
{
    url = url.trimmed();
    if (!url.isEmpty() && !url.endsWith(QLatin1Char('/')))
        url += QLatin1Char('/');
    return url;
}

QString withoutSlash(QString url)
{
    url = url.trimmed();
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

bool parsePort(const QString &text, int *port)
{
    bool ok = false;
    const int p = text.trimmed().toInt(&ok);
    if (!ok || p < 1 || p > 65535)
        return false;
    *port = p;
    return true;
}

// "host", "host:port", "[v6]:port"; an address without a port keeps the current one.
bool parseHostPort(const QString &text, QString *host, int *port)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (t.startsWith(QLatin1Char('['))) {
        const int close = t.indexOf(QLatin1Char(']'));
        if (close < 0)
            return false;
        *host = t.mid(1, close - 1);
        const QString rest = t.mid(close + 1);
        if (rest.isEmpty())
            return true;
        return rest.startsWith(QLatin1Char(':')) && parsePort(rest.mid(1), port);
    }
    const int colon = t.lastIndexOf(QLatin1Char(':'));
    if (colon < 0 || t.count(QLatin1Char(':')) > 1) {
        *host = t;
        return true;
    }
    *host = t.left(colon);
    return !host->isEmpty() && parsePort(t.mid(colon + 1), port);
}

struct Entry {
    const char *key;        // in the deployment file and, with "--", on the command line
    const char *valueName;
    const char *description;
};

const Entry Entries[] = {
    {"server", "host[:port]", "Uygulama sunucusunun adresi (ve portu)"},
    {"port", "port", "Uygulama sunucusunun portu (varsayılan 9090)"},
    {"server-lan", "host", "Dağıtıcının iç ağında uygulama sunucusunun adresi"},
    {"own-ip", "ipv4", "Dağıtıcının kendi dış IPv4 adresi"},
    {"ip-service", "url", "Dış IP adresini veren servis (GET <url>/ip)"},
    {"ip-attempts", "n", "Dış IP adresi isteğinin deneme sayısı"},
    {"download-host", "url", "Yeni sürümün indirileceği adres (<url>/exe/MervakSetup.exe)"},
    {"web-base", "url", "Dağıtıcının web sayfalarının temel adresi"},
    {"web-base-lan", "url", "İç ağdan web sayfalarının temel adresi"},
    {"card-payment", "url", "Sanal pos ödeme sayfası"},
    {"web-site", "address", "Dağıtıcının web sitesi (menüde görünür)"},
};

bool applyEntry(DeploySettings *s, const QString &key, const QString &value, QString *error)
{
    auto bad = [&] {
        if (error)
            *error = QStringLiteral("Geçersiz değer: %1=%2").arg(key, value);
        return false;
    };
    if (key == QLatin1String("server")) {
        if (!parseHostPort(value, &s->serverHost, &s->serverPort))
            return bad();
    } else if (key == QLatin1String("port")) {
        if (!parsePort(value, &s->serverPort))
            return bad();
    } else if (key == QLatin1String("server-lan")) {
        s->serverLanHost = value.trimmed();
    } else if (key == QLatin1String("own-ip")) {
        s->ownPublicIp = value.trimmed();
    } else if (key == QLatin1String("ip-service")) {
        s->ipService = withoutSlash(value);
    } else if (key == QLatin1String("ip-attempts")) {
        bool ok = false;
        const int n = value.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > 100)
            return bad();
        s->ipAttempts = n;
    } else if (key == QLatin1String("download-host")) {
        s->downloadHost = withoutSlash(value);
    } else if (key == QLatin1String("web-base")) {
        s->webBase = withSlash(value);
    } else if (key == QLatin1String("web-base-lan")) {
        s->webBaseLan = withSlash(value);
    } else if (key == QLatin1String("card-payment")) {
        s->cardPaymentPage = value.trimmed();
    } else if (key == QLatin1String("web-site")) {
        s->webSite = value.trimmed();
    } else {
        if (error)
            *error = QStringLiteral("Bilinmeyen ayar: %1").arg(key);
        return false;
    }
    return true;
}

DeploySettings &current()
{
    static DeploySettings settings = DeploySettings::builtIn();
    return settings;
}

} // namespace

DeploySettings DeploySettings::builtIn()
{
    DeploySettings s;
    s.serverHost = QStringLiteral("b2b.mervak.com.tr");
    s.serverLanHost = QStringLiteral("192.168.1.10");
    s.serverPort = 9090;
    s.ownPublicIp = QStringLiteral("203.0.113.10");
    s.ipService = QStringLiteral("https://ip.mervak.com.tr");
    s.downloadHost = QStringLiteral("https://indir.mervak.com.tr");
    s.webBase = QStringLiteral("https://b2b.mervak.com.tr/");
    s.webBaseLan = QStringLiteral("http://192.168.1.10/");
    s.cardPaymentPage = QStringLiteral("https://odeme.mervak.com.tr/morlenkart.html");
    s.webSite = QStringLiteral("www.mervak.com.tr");
    return s;
}

bool DeploySettings::applyFile(const QString &path)
{
    IniFile ini(path);
    if (!ini.load())
        return false;
    const QString section = QString::fromLatin1(Section);
    for (const QString &key : ini.keys(section)) {
        const QString value = ini.value(section, key);
        // A broken entry of the file is skipped; the other entries still count.
        applyEntry(this, key.toLower(), value, nullptr);
    }
    return true;
}

bool DeploySettings::applyArguments(const QStringList &arguments, QString *error,
                                    QString *helpText)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Mervak B2B"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Bu yardımı gösterir"));
    parser.addOption(help);
    const QCommandLineOption config(QStringLiteral("config"),
                                    QStringLiteral("Dağıtım dosyası (varsayılan: programın "
                                                   "yanındaki mervak-b2b.ini)"),
                                    QStringLiteral("file"));
    parser.addOption(config);
    for (const Entry &e : Entries) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(e.key),
                                            QString::fromUtf8(e.description),
                                            QString::fromLatin1(e.valueName)));
    }
    if (!parser.parse(arguments)) {
        if (error)
            *error = parser.errorText();
        return false;
    }
    if (parser.isSet(help)) {
        if (helpText)
            *helpText = parser.helpText();
        return true;
    }
    // The order of the table, so that --server host:port and a later --port combine.
    for (const Entry &e : Entries) {
        const QString key = QString::fromLatin1(e.key);
        if (parser.isSet(key) && !applyEntry(this, key, parser.value(key), error))
            return false;
    }
    return true;
}

bool LoadDeployment(const QStringList &arguments, DeploySettings *out, QString *error,
                    QString *helpText)
{
    DeploySettings s = DeploySettings::builtIn();
    QString file;
    const int at = arguments.indexOf(QStringLiteral("--config"));
    if (at >= 0 && at + 1 < arguments.size()) {
        file = arguments.at(at + 1);
    } else {
        for (const QString &a : arguments) {
            if (a.startsWith(QLatin1String("--config=")))
                file = a.mid(9);
        }
    }
    if (!file.isEmpty()) {
        if (!s.applyFile(file)) {
            if (error)
                *error = QStringLiteral("Dağıtım dosyası okunamadı: %1").arg(file);
            return false;
        }
    } else if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath())
                                   .filePath(DeploySettings::deploymentFileName());
        if (QFileInfo::exists(beside))
            s.applyFile(beside);
    }
    if (!s.applyArguments(arguments, error, helpText))
        return false;
    *out = s;
    return true;
}

const DeploySettings &Deployment()
{
    return current();
}

void setDeployment(const DeploySettings &settings)
{
    current() = settings;
}

} // namespace Mervak
