// SPDX-License-Identifier: LicenseRef-Mervak
#include "admincommands.h"

#include "demogenerator.h"
#include "store.h"

#include <QHash>

namespace Mervak::Server {

namespace {

const QStringList kCommands = {
    QStringLiteral("user-add"), QStringLiteral("user-list"), QStringLiteral("user-deactivate"),
    QStringLiteral("user-activate"), QStringLiteral("computer-add"),
    QStringLiteral("computer-list"), QStringLiteral("computer-deactivate"),
    QStringLiteral("computer-activate"), QStringLiteral("outbox-list"),
    QStringLiteral("setting-set"),
    QStringLiteral("demo-generate")};

// "--name value" pairs after the command, and the words that are not options.
struct CommandLine
{
    QHash<QString, QString> options;
    QStringList words;
    QString error;
};

CommandLine parse(const QStringList &arguments)
{
    CommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a.startsWith(QLatin1String("--"))) {
            const int eq = a.indexOf(u'=');
            if (eq > 0) {
                line.options.insert(a.mid(2, eq - 2), a.mid(eq + 1));
            } else if (i + 1 < arguments.size()) {
                line.options.insert(a.mid(2), arguments[++i]);
            } else {
                line.error = QStringLiteral("%1 seçeneğinin değeri yok").arg(a);
                return line;
            }
        } else {
            line.words << a;
        }
    }
    return line;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("evet") : QStringLiteral("hayır");
}

} // namespace

QString adminCommandsHelp()
{
    return QStringLiteral(
        "Yönetim komutları (--db ile verilen veritabanında çalışır, sunucuyu başlatmaz):\n"
        "  user-add --name AD --password SIFRE --type 0..4 [--carino N] [--rep N] [--email E]\n"
        "      Kullanıcı ekler. Tip: 0 bayi, 1 satış temsilcisi, 2 satış yöneticisi,\n"
        "      3 durum sütunlarını görmeyen bayi, 4 kampanyaları görmeyen bayi.\n"
        "      İstemci adı ve şifreyi büyük harfe çevirerek karşılaştırır: büyük harf yazın.\n"
        "  user-list                         Kullanıcıları listeler.\n"
        "  user-deactivate AD | user-activate AD\n"
        "  computer-add BILGISAYARID KULLANICI [--note ACIKLAMA]\n"
        "      Bilgisayarı kullanıcıya kaydeder (kayıtlıysa o kullanıcıya taşır).\n"
        "  computer-list                     Kayıtlı bilgisayarları listeler.\n"
        "  computer-deactivate ID | computer-activate ID\n"
        "  outbox-list                       Gönderilmek üzere bekleyen mailleri listeler.\n"
        "  setting-set ANAHTAR DEGER         Ayar yazar: istemci_surumu (beklenen istemci\n"
        "      sürümü, 2), firma_adi, yeni_urun_gun (yeni sayılan gün, 60), kayan_yazi (HTML).\n"
        "  demo-generate [--items N]         Boş veritabanına demo verisi yazar.\n");
}

bool isAdminCommand(const QStringList &arguments)
{
    return !arguments.isEmpty() && kCommands.contains(arguments.first());
}

int runAdminCommand(Store &store, const QStringList &arguments, QTextStream &out,
                    QTextStream &err)
{
    if (!isAdminCommand(arguments)) {
        err << "Bilinmeyen komut: " << arguments.value(0) << "\n";
        return 2;
    }
    const QString command = arguments.first();
    const CommandLine line = parse(arguments);
    if (!line.error.isEmpty()) {
        err << line.error << "\n";
        return 2;
    }
    auto needWords = [&](int count) {
        if (line.words.size() == count)
            return true;
        err << command << ": " << count << " değer bekleniyordu\n";
        return false;
    };
    try {
        if (command == QLatin1String("user-add")) {
            UserInfo user;
            user.name = line.options.value(QStringLiteral("name"));
            user.password = line.options.value(QStringLiteral("password"));
            bool ok = false;
            user.type = line.options.value(QStringLiteral("type")).toInt(&ok);
            if (user.name.isEmpty() || user.password.isEmpty() || !ok) {
                err << "user-add: --name, --password ve --type gerekli\n";
                return 2;
            }
            user.carino = line.options.value(QStringLiteral("carino")).toInt();
            user.repId = line.options.value(QStringLiteral("rep")).toInt();
            user.email = line.options.value(QStringLiteral("email"));
            const int id = store.addUser(user);
            out << "Kullanıcı eklendi: " << user.name << " (no " << id << ")\n";
        } else if (command == QLatin1String("user-list")) {
            out << "NO\tAD\tTIP\tCARINO\tTEMSILCI\tAKTIF\tEMAIL\n";
            for (const UserInfo &u : store.users()) {
                out << u.id << '\t' << u.name << '\t' << u.type << '\t' << u.carino << '\t'
                    << u.repId << '\t' << yesNo(u.active) << '\t' << u.email << '\n';
            }
        } else if (command == QLatin1String("user-deactivate")
                   || command == QLatin1String("user-activate")) {
            if (!needWords(1))
                return 2;
            store.setUserActive(line.words[0], command == QLatin1String("user-activate"));
            out << "Kullanıcı " << line.words[0] << ": "
                << (command == QLatin1String("user-activate") ? "aktif" : "pasif") << "\n";
        } else if (command == QLatin1String("computer-add")) {
            if (!needWords(2))
                return 2;
            const std::optional<UserInfo> user = store.userByName(line.words[1]);
            if (!user) {
                err << "Kullanıcı bulunamadı: " << line.words[1] << "\n";
                return 1;
            }
            store.registerComputer(line.words[0], user->id,
                                   line.options.value(QStringLiteral("note")), false);
            out << "Bilgisayar " << line.words[0] << " kullanıcı " << user->name
                << " için kaydedildi\n";
        } else if (command == QLatin1String("computer-list")) {
            out << "BILGISAYARID\tKULLANICI\tAKTIF\tDEMO\tKAYIT\tSON GIRIS\tACIKLAMA\n";
            for (const ComputerInfo &c : store.computers()) {
                out << c.computerId << '\t' << c.userName << '\t' << yesNo(c.active) << '\t'
                    << yesNo(c.demo) << '\t' << c.registeredAt.toString(Qt::ISODate) << '\t'
                    << c.lastSeenAt.toString(Qt::ISODate) << '\t' << c.note << '\n';
            }
        } else if (command == QLatin1String("computer-deactivate")
                   || command == QLatin1String("computer-activate")) {
            if (!needWords(1))
                return 2;
            store.setComputerActive(line.words[0],
                                    command == QLatin1String("computer-activate"));
            out << "Bilgisayar " << line.words[0] << ": "
                << (command == QLatin1String("computer-activate") ? "aktif" : "pasif") << "\n";
        } else if (command == QLatin1String("outbox-list")) {
            for (const QueuedMail &m : store.outbox()) {
                out << "#" << m.id << " " << m.createdAt.toString(Qt::ISODate) << " "
                    << m.mail.kind << " bilgisayar " << m.mail.computerId << " cari "
                    << m.mail.carino << "\n  Başlık: " << m.mail.subject << "\n  Firma: "
                    << m.mail.firm << ", " << m.mail.city << ", " << m.mail.phone
                    << "\n  Yetkili: " << m.mail.contact << ", kullanıcı: " << m.mail.userName
                    << ", mail: " << m.mail.mail << "\n";
                if (!m.mail.body.isEmpty())
                    out << "  Metin: " << m.mail.body << "\n";
            }
        } else if (command == QLatin1String("setting-set")) {
            if (!needWords(2))
                return 2;
            store.setSetting(line.words[0], line.words[1]);
            out << line.words[0] << " = " << line.words[1] << "\n";
        } else if (command == QLatin1String("demo-generate")) {
            DemoOptions options;
            if (line.options.contains(QStringLiteral("items"))) {
                bool ok = false;
                options.items = line.options.value(QStringLiteral("items")).toInt(&ok);
                if (!ok || options.items < 1) {
                    err << "demo-generate: --items pozitif bir sayı olmalı\n";
                    return 2;
                }
            }
            DemoGenerator(store, options).run();
            out << "Demo verisi yazıldı (" << options.items << " stok)\n";
        }
    } catch (const StoreError &error) {
        err << error.text() << "\n";
        return 1;
    }
    return 0;
}

} // namespace Mervak::Server
