// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QProgressBar;

namespace Mervak {

class ServerConnection;

/*!
    The self-update: downloads the installer of the version the server ships, starts it
    silently and ends the program so that the installer can replace it. Every way through
    ends the program: a failed download after its message.
*/
class Tdosyaindir : public QDialog
{
    Q_OBJECT

public:
    // Yeni: the window for the server's version number.
    explicit Tdosyaindir(int serverVersion, QWidget *parent = nullptr);

    bool basladi = false;
    ServerConnection *bag = nullptr;   // the login's connection; the download does not use it

    QUrl url() const { return m_url; }
    QLabel *sLabel1() const { return m_sLabel1; }
    QLabel *bilgi() const { return m_bilgi; }
    QProgressBar *ProgressBar1() const { return m_ProgressBar1; }

    // "MervakSetup.exe" in the user's local application-data folder.
    static QString localFilePath();
    // The progress text for \a received of \a total bytes; empty when \a total is unknown.
    static QString progressText(qint64 received, qint64 total);

    // Starts the installer; tests replace it so that nothing is run.
    using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;
    static void setStarter(Starter starter);

    void Download();

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void receiveData(qint64 received, qint64 total);
    void fail(const QString &error);

    QUrl m_url;
    QLabel *m_sLabel1 = nullptr;
    QLabel *m_bilgi = nullptr;
    QProgressBar *m_ProgressBar1 = nullptr;
    bool m_ending = false;
};

} // namespace Mervak
