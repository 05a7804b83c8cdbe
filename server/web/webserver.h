// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponse;

namespace Mervak::Server {

class Business;

/*!
    The distributor's web pages that the client opens, served on a port of their own:
    the caller's address ("/ip"), the installer ("/exe/MervakSetup.exe"), the request form
    ("/formmailgonder.aspx"), the card-payment page ("/morlenkart.html"), item pictures
    ("/resim/<stokno>.jpg") and a home page. Lives on the thread that created it.
*/
class WebServer : public QObject
{
public:
    explicit WebServer(Business &business, QObject *parent = nullptr);
    ~WebServer() override;

    // Listens; port 0 picks a free one. Returns false with a reason when it cannot.
    bool listen(const QHostAddress &address, quint16 port, QString *error = nullptr);
    quint16 port() const { return m_port; }

private:
    QHttpServerResponse homePage();
    QHttpServerResponse requestForm(const QHttpServerRequest &request);
    QHttpServerResponse cardPayment(const QHttpServerRequest &request);
    QHttpServerResponse picture(const QString &name);

    Business &m_business;
    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
};

} // namespace Mervak::Server
