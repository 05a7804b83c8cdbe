// SPDX-License-Identifier: LicenseRef-Mervak
#include "tdosyaindir.h"

#include "deploysettings.h"
#include "endprocess.h"
#include "messagedialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QProgressBar>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace Mervak {

namespace {

constexpr int ClientVersion = 2;
constexpr int TimeoutMs = 60000;

bool startInstaller(const QString &program, const QStringList &arguments)
{
#ifdef Q_OS_WIN
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();
    const std::wstring params = arguments.join(QLatin1Char(' ')).toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", file.c_str(), params.c_str(), nullptr, SW_SHOWNORMAL));
    return result > 32;
#else
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner
                                       | QFileDevice::ExeGroup | QFileDevice::ReadOwner);
    return QProcess::startDetached(program, arguments);
#endif
}

Tdosyaindir::Starter &starterRef()
{
    static Tdosyaindir::Starter starter = startInstaller;
    return starter;
}

} // namespace

Tdosyaindir::Tdosyaindir(int serverVersion, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(543, 309);

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sLabel1 = new QLabel(this);
    m_sLabel1->setObjectName(QStringLiteral("sLabel1"));
    QFont big(QStringLiteral("Tahoma"));
    big.setPixelSize(27);
    m_sLabel1->setFont(big);
    m_sLabel1->setStyleSheet(QStringLiteral("color: rgb(67,76,88);"));
    m_sLabel1->setAlignment(Qt::AlignCenter);
    m_sLabel1->setWordWrap(true);
    m_sLabel1->setText(QStringLiteral("Mervak B2B Programının\r\nYeni versiyonu indirilecektir\r\n"
                                      "Lütfen Bekleyiniz...!\r\nVersion: %1-%2")
                           .arg(serverVersion)
                           .arg(ClientVersion));
    layout->addWidget(m_sLabel1, 1);

    auto panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(58);
    panel->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: #ece6f2; border: none; }"));
    auto pl = new QVBoxLayout(panel);
    pl->setContentsMargins(8, 4, 8, 6);
    pl->setSpacing(4);
    m_bilgi = new QLabel(panel);
    m_bilgi->setObjectName(QStringLiteral("bilgi"));
    QFont small(QStringLiteral("Tahoma"));
    small.setPixelSize(13);
    small.setBold(true);
    m_bilgi->setFont(small);
    pl->addWidget(m_bilgi);
    m_ProgressBar1 = new QProgressBar(panel);
    m_ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_ProgressBar1->setTextVisible(false);
    m_ProgressBar1->setValue(0);
    pl->addWidget(m_ProgressBar1);
    layout->addWidget(panel);

    m_url = QUrl(Deployment().downloadHost + QStringLiteral("/exe/MervakSetup.exe"));
    basladi = false;

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tdosyaindir::setStarter(Starter starter)
{
    starterRef() = starter ? std::move(starter) : Starter(startInstaller);
}

QString Tdosyaindir::localFilePath()
{
#ifdef Q_OS_WIN
    QString base = qEnvironmentVariable("LOCALAPPDATA");
#else
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
    QDir().mkpath(base);
    return QDir(base).filePath(QStringLiteral("MervakSetup.exe"));
}

QString Tdosyaindir::progressText(qint64 received, qint64 total)
{
    if (total <= 0)
        return {};
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double percent = double(received) / double(total) * 100.0;
    const double mb = 1024.0 * 1024.0;
    return QStringLiteral("Bilgi: %") + locale.toString(percent, 'f', 2)
           + QStringLiteral("  İndirilen: ") + locale.toString(double(received) / mb, 'f', 2)
           + QLatin1Char('/') + locale.toString(double(total) / mb, 'f', 2)
           + QStringLiteral(" Mb");
}

void Tdosyaindir::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // After the window is on the screen, as on its activation.
    QTimer::singleShot(0, this, &Tdosyaindir::Download);
}

bool Tdosyaindir::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &Tdosyaindir::Download);
    return QDialog::event(event);
}

void Tdosyaindir::closeEvent(QCloseEvent *event)
{
    // The download always ends in one of its two endings; the close box does not stop it.
    if (!m_ending) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Tdosyaindir::reject()
{
    if (m_ending)
        QDialog::reject();
}

void Tdosyaindir::receiveData(qint64 received, qint64 total)
{
    if (total <= 0)
        return;
    m_bilgi->setText(progressText(received, total));
    // The bar counts bytes as announced; kilobytes keep large files inside its range.
    const bool large = total > std::numeric_limits<int>::max();
    m_ProgressBar1->setMaximum(int(large ? total / 1024 : total));
    m_ProgressBar1->setValue(int(large ? received / 1024 : received));
}

void Tdosyaindir::fail(const QString &error)
{
    ShowMessageDialog(QStringLiteral("Hata Oluştu !\r\nHata: ") + error, mtError, mbOKOnly, mbOK);
    m_ending = true;
    EndProcess(0);
    done(QDialog::Rejected);
}

void Tdosyaindir::Download()
{
    if (basladi)
        return;
    basladi = true;

    const QString path = localFilePath();
    if (QFile::exists(path))
        QFile::remove(path);

    QNetworkAccessManager manager;
    manager.setTransferTimeout(TimeoutMs);
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,"
                                   "image/webp,image/apng,*/*;q=0.8");
    // Accept-Encoding "gzip, deflate" is what the network layer sends by itself; set by hand
    // it would leave a compressed answer undecoded.
    request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    request.setRawHeader("User-Agent", "Mozilla/5.0 (Windows NT 10.0; Win64; x64) "
                                       "AppleWebKit/537.36 (KHTML, like Gecko) "
                                       "Chrome/60.0.3112.32 Safari/537.36");
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    connect(reply, &QNetworkReply::downloadProgress, this, &Tdosyaindir::receiveData);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // An error page is not an installer: only a successful answer is saved and started.
    if (status != 0 && (status < 200 || status > 299)) {
        const QString reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        delete reply;
        fail(QStringLiteral("HTTP %1 %2").arg(status).arg(reason).trimmed());
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        const QString error = reply->errorString();
        delete reply;
        fail(error);
        return;
    }
    const QByteArray body = reply->readAll();
    delete reply;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit()) {
        fail(file.errorString());
        return;
    }
    if (!starterRef()(path, {QStringLiteral("/silent")})) {
        fail(QStringLiteral("%1 başlatılamadı").arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_ending = true;
    EndProcess(0);
    done(QDialog::Accepted);
}

} // namespace Mervak
