// SPDX-License-Identifier: LicenseRef-Mervak
#include "publicaddress.h"

#include "deploysettings.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace Mervak {

namespace {

QString askOnce(QNetworkAccessManager &manager, const PublicAddressRequest &request)
{
    QNetworkRequest req(QUrl(request.service + QStringLiteral("/ip")));
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager.get(req);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    // Connecting may take its time; once the request is out, the answer must come quickly.
    QObject::connect(reply, &QNetworkReply::requestSent, &loop,
                     [&] { timer.start(request.readTimeoutMs); });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop,
                     [&] { timer.start(request.readTimeoutMs); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(request.connectTimeoutMs);
    if (!reply->isFinished())
        loop.exec();
    timer.stop();

    QString answer;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!timedOut && reply->error() == QNetworkReply::NoError && status == 200)
        answer = QString::fromUtf8(reply->readAll()).trimmed();
    reply->deleteLater();
    // A captive portal or an error page is not an address.
    if (!answer.isEmpty() && QHostAddress(answer).isNull())
        answer.clear();
    return answer;
}

} // namespace

PublicAddressRequest PublicAddressRequest::fromDeployment()
{
    PublicAddressRequest r;
    r.service = Deployment().ipService;
    r.attempts = Deployment().ipAttempts;
    r.retryPauseMs = Deployment().ipRetryPauseMs;
    return r;
}

QString FetchPublicAddress(const PublicAddressRequest &request)
{
    QNetworkAccessManager manager;
    for (int attempt = 1; attempt <= request.attempts; ++attempt) {
        const QString answer = askOnce(manager, request);
        if (!answer.isEmpty())
            return answer;
        if (attempt < request.attempts)
            QThread::msleep(unsigned(request.retryPauseMs));
    }
    return {};
}

} // namespace Mervak
