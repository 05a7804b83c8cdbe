// SPDX-License-Identifier: LicenseRef-Mervak
#include "webserver.h"

#include "business.h"
#include "displayformat.h"
#include "store.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QRegularExpression>
#include <QUrlQuery>

namespace Mervak::Server {

namespace {

const QByteArray kHtml = QByteArrayLiteral("text/html; charset=utf-8");

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString page(const QString &title, const QString &body)
{
    return QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\">"
        "<title>%1</title><style>"
        "body{font-family:Tahoma,Arial,sans-serif;background:#f3f4f8;margin:0;color:#222}"
        "header{background:#161863;color:#fff;padding:14px 24px;font-size:20px;font-weight:bold}"
        "main{max-width:760px;margin:24px auto;background:#fff;padding:20px 28px;"
        "border-radius:6px;box-shadow:0 1px 4px #bbb}"
        "label{display:block;margin-top:10px;font-weight:bold}"
        "input,textarea,select{width:100%;padding:6px;box-sizing:border-box}"
        "button{margin-top:16px;padding:8px 24px;background:#161863;color:#fff;border:0;"
        "border-radius:4px;font-weight:bold}"
        ".hata{color:#b00;font-weight:bold}.tamam{color:#070;font-weight:bold}"
        "td{padding:4px 10px}</style></head><body><header>%2</header><main>%3</main>"
        "</body></html>\n")
        .arg(esc(title), esc(title), body);
}

QHttpServerResponse html(const QString &title, const QString &body,
                         QHttpServerResponse::StatusCode status = QHttpServerResponse::StatusCode::Ok)
{
    return QHttpServerResponse(kHtml, page(title, body).toUtf8(), status);
}

// A posted form (application/x-www-form-urlencoded).
QUrlQuery formOf(const QHttpServerRequest &request)
{
    QString body = QString::fromUtf8(request.body());
    body.replace(u'+', u' ');
    return QUrlQuery(body);
}

QString field(const QUrlQuery &query, const QString &key)
{
    return query.queryItemValue(key, QUrl::FullyDecoded).trimmed();
}

QString money(double value)
{
    return formatFloat(QString::fromLatin1(MoneyFormat), value,
                       QLocale(QLocale::Turkish, QLocale::Turkey));
}

bool luhnValid(const QString &digits)
{
    int sum = 0;
    bool twice = false;
    for (int i = digits.size() - 1; i >= 0; --i) {
        int d = digits[i].unicode() - u'0';
        if (twice) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
        twice = !twice;
    }
    return sum % 10 == 0;
}

QString input(const QString &name, const QString &caption, const QString &value = {},
              const QString &type = QStringLiteral("text"))
{
    return QStringLiteral("<label for=\"%1\">%2</label><input id=\"%1\" name=\"%1\" type=\"%3\" "
                          "value=\"%4\">")
        .arg(name, esc(caption), type, esc(value));
}

} // namespace

WebServer::WebServer(Business &business, QObject *parent)
    : QObject(parent), m_business(business), m_server(std::make_unique<QHttpServer>())
{
    m_server->route(QStringLiteral("/"), [this] { return homePage(); });
    m_server->route(QStringLiteral("/ip"), [](const QHttpServerRequest &request) {
        QHostAddress address = request.remoteAddress();
        bool mapped = false;
        const quint32 v4 = address.toIPv4Address(&mapped);
        if (mapped)
            address = QHostAddress(v4);
        return QHttpServerResponse(QByteArrayLiteral("text/plain; charset=utf-8"),
                                   address.toString().toUtf8());
    });
    m_server->route(QStringLiteral("/exe/MervakSetup.exe"), [] {
        QHttpServerResponse response(QByteArrayLiteral("application/octet-stream"),
                                     demoInstaller());
        response.setHeader(QByteArrayLiteral("Content-Disposition"),
                           QByteArrayLiteral("attachment; filename=\"MervakSetup.exe\""));
        return response;
    });
    m_server->route(QStringLiteral("/formmailgonder.aspx"),
                    QHttpServerRequest::Method::Get | QHttpServerRequest::Method::Post,
                    [this](const QHttpServerRequest &request) { return requestForm(request); });
    m_server->route(QStringLiteral("/morlenkart.html"),
                    QHttpServerRequest::Method::Get | QHttpServerRequest::Method::Post,
                    [this](const QHttpServerRequest &request) { return cardPayment(request); });
    m_server->route(QStringLiteral("/resim/<arg>"),
                    [this](const QString &name) { return picture(name); });
}

WebServer::~WebServer() = default;

bool WebServer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    m_port = m_server->listen(address, port);
    if (m_port == 0 && error)
        *error = QStringLiteral("Web sunucusu %1:%2 adresini dinleyemiyor")
                     .arg(address.toString()).arg(port);
    return m_port != 0;
}

QHttpServerResponse WebServer::homePage()
{
    const QString company = m_business.company();
    QString body = QStringLiteral(
        "<h2>%1</h2><p>Bayilerimize özel B2B sipariş sistemine hoş geldiniz.</p>"
        "<ul><li><a href=\"/exe/MervakSetup.exe\">Mervak B2B programını indirin</a></li>"
        "<li><a href=\"/formmailgonder.aspx?carino=0&amp;kullanici=&amp;id=\">Bayilik ve "
        "kullanıcı istek formu</a></li></ul>").arg(esc(company));
    try {
        const int campaign = m_business.store().campaignItems(0)->rowCount();
        const int fresh = m_business.store().newItems(0)->rowCount();
        body += QStringLiteral("<p>Şu anda <b>%1</b> üründe kampanya, <b>%2</b> yeni ürün "
                               "bulunmaktadır.</p>").arg(campaign).arg(fresh);
    } catch (const StoreError &) {
        // The home page shows without the figures.
    }
    return html(company, body);
}

QHttpServerResponse WebServer::requestForm(const QHttpServerRequest &request)
{
    const QString title = QStringLiteral("Mervak B2B İstek Formu");
    const QUrlQuery query = request.query();
    const QString computerId = field(query, QStringLiteral("id"));
    QString message;
    QUrlQuery posted;
    if (request.method() == QHttpServerRequest::Method::Post) {
        posted = formOf(request);
        const std::pair<const char *, const char *> required[] = {
            {"firmaadi", "Firma Adı"}, {"adres", "Adres"}, {"ilce", "İlçe"},
            {"sehir", "Şehir"}, {"telefon", "Telefon"}, {"yetkili", "Yetkili"},
            {"kullaniciadi", "Kullanıcı Adı"}, {"mail", "Mail"}};
        for (const auto &[key, caption] : required) {
            if (field(posted, QString::fromLatin1(key)).isEmpty()) {
                message = QStringLiteral("<p class=\"hata\">%1 boş olamaz !</p>")
                              .arg(esc(QString::fromUtf8(caption)));
                break;
            }
        }
        if (message.isEmpty()) {
            OutgoingMail m;
            m.kind = QStringLiteral("formmailgonder");
            m.registeredOnly = false;
            m.computerId = field(posted, QStringLiteral("id"));
            if (m.computerId.isEmpty())
                m.computerId = QStringLiteral("-");
            m.subject = QStringLiteral("Yeni Kullanıcı İsteği");
            m.firm = field(posted, QStringLiteral("firmaadi"));
            m.address1 = field(posted, QStringLiteral("adres"));
            m.district = field(posted, QStringLiteral("ilce"));
            m.city = field(posted, QStringLiteral("sehir"));
            m.phone = field(posted, QStringLiteral("telefon"));
            m.taxOffice = field(posted, QStringLiteral("vd"));
            m.taxNo = field(posted, QStringLiteral("vn"));
            m.contact = field(posted, QStringLiteral("yetkili"));
            m.userName = field(posted, QStringLiteral("kullaniciadi"));
            m.mail = field(posted, QStringLiteral("mail"));
            m.body = field(posted, QStringLiteral("aciklama"));
            try {
                m_business.store().queueMail(m);
                return html(title, QStringLiteral(
                    "<p class=\"tamam\">İsteğiniz alınmıştır. En kısa sürede sizinle iletişime "
                    "geçilecektir.</p><p>Bilgisayar ID: %1</p>").arg(esc(m.computerId)));
            } catch (const StoreError &error) {
                message = QStringLiteral("<p class=\"hata\">%1</p>").arg(esc(error.text()));
            }
        }
    }
    auto value = [&](const char *key) { return field(posted, QString::fromLatin1(key)); };
    const QString body = message + QStringLiteral(
        "<p>Bu bilgisayar henüz kayıtlı değil. Bayilik ya da kullanıcı isteğinizi aşağıdaki "
        "formla iletebilirsiniz.</p><p><b>Bilgisayar ID:</b> %1</p>"
        "<form method=\"post\" action=\"/formmailgonder.aspx?%2\">"
        "<input type=\"hidden\" name=\"id\" value=\"%1\">").arg(esc(computerId),
                                                            esc(query.toString(QUrl::FullyEncoded)))
        + input(QStringLiteral("firmaadi"), QStringLiteral("Firma Adı:"), value("firmaadi"))
        + input(QStringLiteral("adres"), QStringLiteral("Adres:"), value("adres"))
        + input(QStringLiteral("ilce"), QStringLiteral("İlçe:"), value("ilce"))
        + input(QStringLiteral("sehir"), QStringLiteral("Şehir:"), value("sehir"))
        + input(QStringLiteral("telefon"), QStringLiteral("Telefon:"), value("telefon"))
        + input(QStringLiteral("vd"), QStringLiteral("Vergi Dairesi:"), value("vd"))
        + input(QStringLiteral("vn"), QStringLiteral("Vergi No:"), value("vn"))
        + input(QStringLiteral("yetkili"), QStringLiteral("Yetkili:"), value("yetkili"))
        + input(QStringLiteral("kullaniciadi"), QStringLiteral("Kullanıcı Adı:"),
                value("kullaniciadi").isEmpty() ? field(query, QStringLiteral("kullanici"))
                                                : value("kullaniciadi"))
        + input(QStringLiteral("mail"), QStringLiteral("Mail:"), value("mail"),
                QStringLiteral("email"))
        + QStringLiteral("<label for=\"aciklama\">Açıklama:</label>"
                         "<textarea id=\"aciklama\" name=\"aciklama\" rows=\"4\">%1</textarea>"
                         "<button type=\"submit\">Gönder</button></form>")
              .arg(esc(value("aciklama")));
    return html(title, body);
}

QHttpServerResponse WebServer::cardPayment(const QHttpServerRequest &request)
{
    const QString title = QStringLiteral("Sanal Pos ile Ödeme");
    const QUrlQuery query = request.query();
    bool ok = false;
    const int carino = field(query, QStringLiteral("carino")).toInt(&ok);
    const QString branch = field(query, QStringLiteral("sube"));
    const QString firm = field(query, QStringLiteral("firmasi"));
    const QString balanceText = field(query, QStringLiteral("bakiye"));
    if (!ok || carino <= 0)
        return html(title, QStringLiteral("<p class=\"hata\">Cari numarası geçersiz.</p>"),
                    QHttpServerResponse::StatusCode::BadRequest);
    const std::optional<TMobilCariBilgisi> customer = m_business.store().customerInfo(carino);
    if (!customer)
        return html(title, QStringLiteral("<p class=\"hata\">Cari hesap bulunamadı.</p>"),
                    QHttpServerResponse::StatusCode::NotFound);

    QString message;
    QUrlQuery posted;
    if (request.method() == QHttpServerRequest::Method::Post) {
        posted = formOf(request);
        const QString holder = field(posted, QStringLiteral("kartsahibi"));
        const QString number = field(posted, QStringLiteral("kartno")).remove(QRegularExpression(QStringLiteral("[\\s-]")));
        const QString expiry = field(posted, QStringLiteral("skt"));
        const QString cvv = field(posted, QStringLiteral("cvv"));
        bool amountOk = false;
        const double amount = QLocale(QLocale::Turkish, QLocale::Turkey)
                                   .toDouble(field(posted, QStringLiteral("tutar")), &amountOk);
        const int installments = qBound(1, field(posted, QStringLiteral("taksit")).toInt(), 12);
        static const QRegularExpression digits16(QStringLiteral("^\\d{16}$"));
        static const QRegularExpression expiryForm(QStringLiteral("^(\\d{2})/(\\d{2})$"));
        static const QRegularExpression cvvForm(QStringLiteral("^\\d{3}$"));
        const QRegularExpressionMatch e = expiryForm.match(expiry);
        const QDate today = QDate::currentDate();
        const bool expiryOk = e.hasMatch() && e.captured(1).toInt() >= 1
            && e.captured(1).toInt() <= 12
            && QDate(2000 + e.captured(2).toInt(), e.captured(1).toInt(), 1).addMonths(1) > today;
        if (holder.isEmpty())
            message = QStringLiteral("Kart sahibinin adını giriniz.");
        else if (!digits16.match(number).hasMatch() || !luhnValid(number))
            message = QStringLiteral("Kart numarası geçersiz.");
        else if (!expiryOk)
            message = QStringLiteral("Son kullanma tarihi geçersiz (AA/YY).");
        else if (!cvvForm.match(cvv).hasMatch())
            message = QStringLiteral("Güvenlik kodu geçersiz.");
        else if (!amountOk || amount <= 0 || amount > 1000000)
            message = QStringLiteral("Tutar geçersiz.");
        if (!message.isEmpty()) {
            message = QStringLiteral("<p class=\"hata\">%1</p>").arg(esc(message));
        } else {
            // Only the last four digits of the card are ever kept.
            CollectionEntry entry;
            entry.kind = QStringLiteral("Kredi Kartı");
            entry.amount = roundDecimal(amount, 2);
            entry.cardHolder = holder;
            entry.cardMasked = number.left(4) + QStringLiteral(" **** **** ") + number.right(4);
            entry.bank = QStringLiteral("DEMO SANAL POS");
            entry.installments = installments;
            entry.description = QStringLiteral("Sanal pos ile kart tahsilatı");
            try {
                const int movement = m_business.store().addCollection(
                    carino, QDateTime(), {entry}, false);
                const int receipt = m_business.store().cardPaymentNumber(movement);
                return html(title, QStringLiteral(
                    "<p class=\"tamam\">Ödemeniz alındı. Teşekkür ederiz.</p>"
                    "<table><tr><td>Firma:</td><td>%1</td></tr>"
                    "<tr><td>Tutar:</td><td>%2 TL</td></tr>"
                    "<tr><td>Dekont No:</td><td>%3</td></tr></table>"
                    "<p>Dekontunuza B2B programındaki Cari Ekstre sekmesinden "
                    "ulaşabilirsiniz.</p>")
                    .arg(esc(customer->FCARIADI), money(entry.amount)).arg(receipt));
            } catch (const StoreError &error) {
                message = QStringLiteral("<p class=\"hata\">%1</p>").arg(esc(error.text()));
            }
        }
    }
    const QString body = message + QStringLiteral(
        "<p>Bu sayfa bir deneme ödeme sayfasıdır; kart numarasının yalnızca son dört hanesi "
        "saklanır.</p><table><tr><td><b>Firma:</b></td><td>%1</td></tr>"
        "<tr><td><b>Cari No:</b></td><td>%2</td></tr><tr><td><b>Şube:</b></td><td>%3</td></tr>"
        "<tr><td><b>Bakiye:</b></td><td>%4 TL</td></tr></table>"
        "<form method=\"post\" action=\"/morlenkart.html?%5\">")
        .arg(esc(firm.isEmpty() ? customer->FCARIADI : firm)).arg(carino).arg(esc(branch))
        .arg(esc(balanceText), esc(query.toString(QUrl::FullyEncoded)))
        + input(QStringLiteral("kartsahibi"), QStringLiteral("Kart Sahibi:"),
                field(posted, QStringLiteral("kartsahibi")))
        + input(QStringLiteral("kartno"), QStringLiteral("Kart Numarası:"))
        + input(QStringLiteral("skt"), QStringLiteral("Son Kullanma (AA/YY):"))
        + input(QStringLiteral("cvv"), QStringLiteral("Güvenlik Kodu:"), QString(),
                QStringLiteral("password"))
        + input(QStringLiteral("tutar"), QStringLiteral("Tutar (TL):"),
                field(posted, QStringLiteral("tutar")).isEmpty()
                    ? QString(balanceText).replace(u'.', u',')
                    : field(posted, QStringLiteral("tutar")))
        + QStringLiteral("<label for=\"taksit\">Taksit:</label><select id=\"taksit\" "
                         "name=\"taksit\"><option value=\"1\">Tek Çekim</option>"
                         "<option value=\"2\">2 Taksit</option><option value=\"3\">3 Taksit"
                         "</option><option value=\"6\">6 Taksit</option></select>"
                         "<button type=\"submit\">Öde</button></form>");
    return html(title, body);
}

QHttpServerResponse WebServer::picture(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,9})\\.jpg$"));
    const QRegularExpressionMatch match = form.match(name);
    if (!match.hasMatch())
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    const QByteArray jpeg = m_business.store().itemPicture(match.captured(1).toInt());
    if (jpeg.isEmpty())
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    return QHttpServerResponse(QByteArrayLiteral("image/jpeg"), jpeg);
}

} // namespace Mervak::Server
