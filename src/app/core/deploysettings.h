// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>
#include <QStringList>

namespace Mervak {

/*!
    Where this installation finds the distributor. Built-in values first; then the deployment
    file "mervak-b2b.ini" beside the executable (section [dagitim]) overrides them; then the
    command line overrides both. Read once at start, before the main window is created.
*/
struct DeploySettings
{
    QString serverHost;         // the application server's public host name
    QString serverLanHost;      // the same server inside the distributor's own network
    int serverPort = 9090;
    QString ownPublicIp;        // the distributor's public IPv4: callers from it are inside
    QString ipService;          // what-is-my-IP service; GET <ipService>/ip answers the address
    int ipAttempts = 5;         // tries of the address request before it counts as empty
    int ipRetryPauseMs = 1000;
    QString downloadHost;       // installer: GET <downloadHost>/exe/MervakSetup.exe
    QString webBase;            // the distributor's web pages, ending with "/"
    QString webBaseLan;         // the same pages inside the distributor's network
    QString cardPaymentPage;    // the card-payment page
    QString webSite;            // the distributor's home page, also the menu caption

    static DeploySettings builtIn();

    // Applies "key=value" entries of section [dagitim] of \a path; missing keys stay.
    bool applyFile(const QString &path);
    /*!
        Applies the command line. Returns false with \a error set for an unknown option or a
        bad value; \a helpText gets the usage text when --help was given.
    */
    bool applyArguments(const QStringList &arguments, QString *error, QString *helpText);

    static QString deploymentFileName() { return QStringLiteral("mervak-b2b.ini"); }
};

// The settings the program runs with; set once at start.
const DeploySettings &Deployment();
void setDeployment(const DeploySettings &settings);

/*!
    Builds the settings the way the program starts: built-in values, the deployment file
    beside the executable (or the one named by --config), then \a arguments.
*/
bool LoadDeployment(const QStringList &arguments, DeploySettings *out, QString *error,
                    QString *helpText);

} // namespace Mervak
