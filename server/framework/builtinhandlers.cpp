// SPDX-License-Identifier: LicenseRef-Mervak
#include "builtinhandlers.h"

#include "baglantiu.h"
#include "dataset.h"
#include "mobilstokunit.h"
#include "remoteerror.h"

#include <QHash>
#include <QJsonObject>
#include <QMutex>
#include <QThread>

#include <algorithm>

namespace Mervak::Server {

namespace {

const Wire::ArgValue &arg(const Wire::Request &request, QStringView name)
{
    const int i = request.method->paramIndex(name);
    if (i < 0)
        throw std::logic_error("no such parameter");
    return request.args[std::size_t(i)];
}

QString text(const Wire::Request &request, QStringView name)
{
    return std::get<QString>(arg(request, name));
}

int integer(const Wire::Request &request, QStringView name)
{
    return int(std::get<qint64>(arg(request, name)));
}

const TransferRecord *record(const Wire::Request &request, QStringView name)
{
    return std::get_if<std::unique_ptr<TransferRecord>>(&arg(request, name))
        ? std::get<std::unique_ptr<TransferRecord>>(arg(request, name)).get()
        : nullptr;
}

// Bytes 0, 1, 2, ... 255, 0, 1, ...: easy to check at the other end.
QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i % 256);
    return bytes;
}

// One table with every field class, a row of nulls and text that needs escaping.
void allKindsTable(DataSet &table, int rows)
{
    table.addField(QStringLiteral("ID"), FieldType::Integer);
    table.addField(QStringLiteral("ADI"), FieldType::String, 40);
    table.addField(QStringLiteral("BUYUK"), FieldType::LargeInt);
    table.addField(QStringLiteral("FIYAT"), FieldType::Float);
    table.addField(QStringLiteral("TUTAR"), FieldType::Currency);
    table.addField(QStringLiteral("ORAN"), FieldType::Bcd);
    table.addField(QStringLiteral("SEC"), FieldType::Boolean);
    table.addField(QStringLiteral("TARIH"), FieldType::Date);
    table.addField(QStringLiteral("SAAT"), FieldType::Time);
    table.addField(QStringLiteral("ZAMAN"), FieldType::DateTime);
    table.addField(QStringLiteral("RESIM"), FieldType::Blob);
    for (int r = 0; r < rows; ++r) {
        const int row = table.appendRow();
        if (r == 1)
            continue;   // the row of nulls
        table.setInt(row, 0, r + 1);
        table.setString(row, 1, r == 0 ? QStringLiteral("Şanzıman \"ön\" \\ yağı\nçift satır")
                                       : QStringLiteral("PARÇA %1").arg(r));
        table.setInt(row, 2, 5000000000LL + r);
        table.setDouble(row, 3, 412.5 + r);
        table.setDouble(row, 4, 1234.56);
        table.setDouble(row, 5, 0.18);
        table.setBool(row, 6, r % 2 == 0);
        table.setValue(row, 7, QDate(2026, 12, 11).addDays(r));
        table.setValue(row, 8, QTime(14, 5, 0, r == 0 ? 250 : 0));
        table.setValue(row, 9, QDateTime(QDate(2026, 12, 11), QTime(14, 5, 0)));
        table.setBlob(row, 10, pattern(5 + r));
    }
}

struct SavedSessions
{
    QMutex mutex;
    QHash<QString, std::shared_ptr<TSonucBilgisi>> byComputer;
};

SavedSessions &savedSessions()
{
    static SavedSessions s;
    return s;
}

} // namespace

void registerBuiltinHandlers(HandlerRegistry &registry)
{
    registry.registerHandler(u"EchoString", [](const Wire::Request &in, Wire::ReplyWriter &out) {
        out.resultString(text(in, u"Value"));
    });
    registry.registerHandler(u"ReverseString",
                             [](const Wire::Request &in, Wire::ReplyWriter &out) {
        QString value = text(in, u"Value");
        std::reverse(value.begin(), value.end());
        // Reversing swapped the halves of characters outside the basic plane back.
        for (qsizetype i = 0; i + 1 < value.size(); ++i) {
            if (value[i].isLowSurrogate() && value[i + 1].isHighSurrogate()) {
                std::swap(value[i], value[i + 1]);
                ++i;
            }
        }
        out.resultString(value);
    });
}

void registerTestHandlers(HandlerRegistry &registry)
{
    // Records both ways: CikisGonder keeps the session by computer, BuyukGetir gives it back.
    registry.registerHandler(u"CikisGonder", [](const Wire::Request &in, Wire::ReplyWriter &) {
        const auto *session = dynamic_cast<const TSonucBilgisi *>(record(in, u"bilgi"));
        if (!session)
            throw RemoteError(QStringLiteral("Oturum bilgisi gelmedi"));
        auto copy = std::make_shared<TSonucBilgisi>();
        copy->Kopyala(*session);
        SavedSessions &saved = savedSessions();
        QMutexLocker lock(&saved.mutex);
        saved.byComputer.insert(session->BILGISAYARID(), copy);
    });
    registry.registerHandler(u"BuyukGetir", [](const Wire::Request &in, Wire::ReplyWriter &out) {
        SavedSessions &saved = savedSessions();
        QMutexLocker lock(&saved.mutex);
        const auto found = saved.byComputer.value(text(in, u"idsi"));
        out.resultRecord(found.get());
    });
    registry.registerHandler(u"SiparisAytintisiDip",
                             [](const Wire::Request &in, Wire::ReplyWriter &out) {
        TSiparisDipAyrinti footer;
        footer.setDurumu(QStringLiteral("Onaylandı"));
        footer.setSizinMesaj(QStringLiteral("Sipariş %1").arg(integer(in, u"siranosu")));
        out.resultRecord(&footer);
    });
    registry.registerHandler(u"AcilisEkranlarVer2",
                             [](const Wire::Request &, Wire::ReplyWriter &out) {
        TAcilisEkranlariki holder;
        QList<TAcilisEkran> screens;
        for (int i = 1; i <= 2; ++i) {
            TAcilisEkran screen;
            screen.setSiraNo(i);
            screen.setBaslik(QStringLiteral("Duyuru %1").arg(i));
            screen.setResim(QStringLiteral("FFD8FFE0"));
            screens.append(screen);
        }
        holder.setEkranlar(screens);
        out.resultRecord(&holder);
    });

    // Tables: every field class; KargolarVer answers gn rows.
    registry.registerHandler(u"TeslimVer", [](const Wire::Request &, Wire::ReplyWriter &out) {
        DataSet table;
        allKindsTable(table, 3);
        out.resultTable(table);
    });
    registry.registerHandler(u"KargolarVer", [](const Wire::Request &in, Wire::ReplyWriter &out) {
        DataSet table;
        allKindsTable(table, std::max(0, integer(in, u"gn")));
        out.resultTable(table);
    });

    // Streams: stokno 0 announces nothing, a positive stokno that many bytes, a negative one
    // announces 100 bytes more than it sends.
    registry.registerHandler(u"ResimVer5", [](const Wire::Request &in, Wire::ReplyWriter &out) {
        const int stokno = integer(in, u"stokno");
        if (stokno == 0) {
            out.setInt64(u"boy", 0);
            out.resultStream(std::nullopt);
            return;
        }
        const QByteArray bytes = pattern(std::abs(stokno));
        out.setInt64(u"boy", bytes.size() + (stokno < 0 ? 100 : 0));
        out.resultStream(bytes);
    });
    registry.registerHandler(u"BelgeIndir", [](const Wire::Request &in, Wire::ReplyWriter &out) {
        const QByteArray bytes = pattern(integer(in, u"sirano"));
        out.setInt64(u"size", bytes.size());
        out.setString(u"adi", QStringLiteral("belge-%1.pdf").arg(bytes.size()));
        out.resultStream(bytes);
    });

    // Out parameters of every plain kind.
    registry.registerHandler(u"KurlariAl", [](const Wire::Request &, Wire::ReplyWriter &out) {
        out.setDouble(u"usd", 38.5);
        out.setDouble(u"eur", 41.25);
        out.resultInteger(1);
    });
    registry.registerHandler(u"BalonGetir2", [](const Wire::Request &in, Wire::ReplyWriter &out) {
        const int base = integer(in, u"carino");
        const char16_t *names[] = {u"sepet", u"yenistok", u"kampnayali", u"duyuru", u"Bakiye",
                                   u"dosya"};
        int n = 0;
        for (const char16_t *name : names)
            out.setInteger(name, base + ++n);
        out.resultInteger(base);
    });
    registry.registerHandler(u"MobilStokaraAdimli",
                             [](const Wire::Request &in, Wire::ReplyWriter &out) {
        out.setBoolean(u"kalan", integer(in, u"Adet") > 10);
        out.setInteger(u"toplam", integer(in, u"ilk") + integer(in, u"Adet"));
        out.resultRecord(nullptr);
    });
    registry.registerHandler(u"CarileriVer", [](const Wire::Request &, Wire::ReplyWriter &out) {
        out.resultJsonArray(QJsonArray{1, QStringLiteral("bir"), QJsonObject{{"x", true}}});
    });

    // An error, and a call that takes its time (SepetSecimGuncelle with a negative line
    // number sleeps secim milliseconds).
    registry.registerHandler(u"SepetSayisi", [](const Wire::Request &, Wire::ReplyWriter &) {
        throw RemoteError(QStringLiteral("Sepet sayısı okunamadı: deneme hatası"));
    });
    registry.registerHandler(u"SepetSecimGuncelle",
                             [](const Wire::Request &in, Wire::ReplyWriter &) {
        if (integer(in, u"sirano") < 0)
            QThread::msleep(ulong(std::max(0, integer(in, u"secim"))));
    });
}

} // namespace Mervak::Server
