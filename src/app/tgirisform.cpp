// SPDX-License-Identifier: LicenseRef-Mervak
#include "tgirisform.h"

#include "await.h"
#include "baglantiu.h"
#include "busyindicator.h"
#include "customerselection.h"
#include "deploysettings.h"
#include "endprocess.h"
#include "inifile.h"
#include "machineidentity.h"
#include "messagedialog.h"
#include "pictures.h"
#include "publicaddress.h"
#include "serverconnection.h"
#include "sessionfetch.h"
#include "sharedsettings.h"
#include "systempaths.h"
#include "tdosyaindir.h"
#include "tformistekyeni.h"
#include "webbrowser.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <memory>

namespace Mervak {

namespace {

const char Section[] = "kullanici";
const char KeyName[] = "isim";
const char KeyPassword[] = "sifre";
const char KeyRemember[] = "hatırla";

const char NoAddressText[] = "Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !";
const char NoConnectionText[] = "Bağlantı Kurulamadı !";
const char WrongLoginText[] = "Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !";

// The version of this client; the server's session record says which one is shipped.
constexpr int ClientVersion = 2;

QLabel *fieldLabel(const QString &text, QWidget *parent)
{
    auto label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    label->setStyleSheet(QStringLiteral("color: white; background: rgb(22,24,99); "
                                        "padding: 0 4px; border-radius: 2px;"));
    return label;
}

} // namespace

Tgirisform::Tgirisform(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(QStringLiteral("Giriş"));
    // A window of its own with a taskbar button: the main window is not visible yet.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(368, 550);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    m_Image1 = new QLabel(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setGeometry(0, 0, 368, 550);
    m_Image1->setPixmap(Pictures::LoginBackground(QSize(368, 550)));

    m_RxLabel1 = new QLabel(this);
    m_RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    m_RxLabel1->setGeometry(8, 128, 352, 120);
    m_RxLabel1->setAlignment(Qt::AlignCenter);
    m_RxLabel1->setWordWrap(true);
    QFont address(QStringLiteral("Arial"));
    address.setPixelSize(15);
    address.setBold(true);
    m_RxLabel1->setFont(address);
    m_RxLabel1->setStyleSheet(QStringLiteral("color: black; background: rgba(255,255,255,150); "
                                             "border-radius: 6px;"));
    m_RxLabel1->setText(QStringLiteral(
        "Mervak Otomotiv Yedek Parça San. ve Tic. A.Ş.\n"
        "Sanayi Mah. Yedek Parça Cad. No: 12\nİkitelli OSB / İstanbul\n"
        "Tel: 0 (212) 555 01 01  Faks: 0 (212) 555 01 02"));
    auto shadow = new QGraphicsDropShadowEffect(m_RxLabel1);
    shadow->setColor(Qt::white);
    shadow->setOffset(1, 1);
    shadow->setBlurRadius(0);
    m_RxLabel1->setGraphicsEffect(shadow);

    auto card = new QLabel(this);
    card->setGeometry(16, 268, 336, 262);
    card->setStyleSheet(QStringLiteral("background: rgba(255,255,255,40); border-radius: 10px;"));

    m_benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    m_benihatirla->setObjectName(QStringLiteral("benihatirla"));
    m_benihatirla->setGeometry(36, 286, 200, 22);
    m_benihatirla->setStyleSheet(QStringLiteral("color: white;"));
    m_benihatirla->setChecked(true);

    auto label1 = fieldLabel(QStringLiteral(" Kullanıcı Adı:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(36, 320, 296, 22);
    m_adi = new QLineEdit(this);
    m_adi->setObjectName(QStringLiteral("adi"));
    m_adi->setGeometry(36, 344, 296, 30);

    auto label2 = fieldLabel(QStringLiteral(" Şifre:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(36, 384, 296, 22);
    m_sifre = new QLineEdit(this);
    m_sifre->setObjectName(QStringLiteral("sifre"));
    m_sifre->setGeometry(36, 408, 296, 30);
    m_sifre->setEchoMode(QLineEdit::Password);

    m_Button1 = new QPushButton(QStringLiteral("Giriş"), this);
    m_Button1->setObjectName(QStringLiteral("Button1"));
    m_Button1->setGeometry(36, 460, 140, 40);
    m_Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    m_Button2->setObjectName(QStringLiteral("Button2"));
    m_Button2->setGeometry(192, 460, 140, 40);
    // Enter belongs to the edits; no button of the dialog takes it.
    m_Button1->setAutoDefault(false);
    m_Button2->setAutoDefault(false);

    m_RxGIFAnimator1 = new BusyIndicator(this, QSize(28, 28));
    m_RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    m_RxGIFAnimator1->setColor(Qt::white);
    m_RxGIFAnimator1->move(4, 466);
    m_RxGIFAnimator1->hide();

    setTabOrder(m_Button1, m_Button2);
    setTabOrder(m_Button2, m_benihatirla);
    setTabOrder(m_benihatirla, m_adi);
    setTabOrder(m_adi, m_sifre);

    for (QLineEdit *edit : {m_adi, m_sifre}) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit](const QString &text) { upperCaseEdit(edit, text); });
    }
    connect(m_Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] {
        Button1Click(); }); });
    connect(m_Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
    m_adi->setFocus();
}

Tgirisform::~Tgirisform() = default;

QString Tgirisform::settingsPath()
{
    return QDir(SettingsFolder()).filePath(QStringLiteral("ayar.ini"));
}

QString Tgirisform::upperCased(const QString &text)
{
    // As the upper-case edit control of the system does it, whatever the language: the
    // plain Unicode mapping (i -> I, ı -> I, ş -> Ş), not the Turkish one (i -> İ).
    return text.toUpper();
}

void Tgirisform::upperCaseEdit(QLineEdit *edit, const QString &text)
{
    const QString upper = upperCased(text);
    if (upper == text)
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(upper);
    edit->setCursorPosition(qMin(cursor, int(upper.size())));
}

void Tgirisform::FormCreate()
{
    const DeploySettings &d = Deployment();
    setServerHost(d.serverHost);
    setWebBase(d.webBase);
    baglimi = false;
    idsi = ComputerId();
    loadSettings();
}

void Tgirisform::loadSettings()
{
    IniFile ini(settingsPath());
    if (!ini.exists() || !ini.load())
        return;
    const QString section = QString::fromUtf8(Section);
    m_benihatirla->setChecked(ini.boolValue(section, QString::fromUtf8(KeyRemember), true));
    if (m_benihatirla->isChecked()) {
        m_adi->setText(ini.value(section, QString::fromUtf8(KeyName)));
        m_sifre->setText(ini.value(section, QString::fromUtf8(KeyPassword)));
    }
}

void Tgirisform::saveSettings()
{
    IniFile ini(settingsPath());
    ini.load();
    const QString section = QString::fromUtf8(Section);
    ini.setValue(section, QString::fromUtf8(KeyName), m_adi->text());
    ini.setValue(section, QString::fromUtf8(KeyPassword), m_sifre->text());
    ini.setValue(section, QString::fromUtf8(KeyRemember),
                 m_benihatirla->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    ini.save();
}

bool Tgirisform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_adi) {
                adiKeyDown();
                return true;
            }
            if (watched == m_sifre) {
                RunGuarded([this] { sifreKeyDown(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::adiKeyDown()
{
    if (m_adi->text().trimmed().isEmpty()) {
        QApplication::beep();
        ShowMessageDialog(QStringLiteral("Lütfen kullanıcı adını giriniz !"), mtWarning,
                          mbOKOnly, mbOK);
        m_adi->selectAll();
        m_adi->setFocus();
        return;
    }
    m_sifre->selectAll();
    m_sifre->setFocus();
}

void Tgirisform::sifreKeyDown()
{
    if (m_sifre->text().trimmed().isEmpty()) {
        QApplication::beep();
        ShowMessageDialog(QStringLiteral("Lütfen kullanıcı şifresini giriniz !"), mtWarning,
                          mbOKOnly, mbOK);
        m_sifre->selectAll();
        m_sifre->setFocus();
        return;
    }
    if (m_Button1->isEnabled())
        Button1Click();
}

void Tgirisform::Button1Click()
{
    m_Button1->setText(QStringLiteral("Bağlanıyor..."));
    m_Button1->setEnabled(false);

    auto address = std::make_shared<QString>();
    const PublicAddressRequest request = PublicAddressRequest::fromDeployment();
    // The worker touches the animation only through a guard read on the user-interface
    // thread: the dialog may be gone by the time it gets there.
    QPointer<BusyIndicator> busy = m_RxGIFAnimator1;
    BeginAsync([busy, address, request] {
        RunOnUiThread([busy] {
            if (busy)
                busy->show();
        });
        *address = FetchPublicAddress(request);
    })->Await([this, address] {
        m_Button1->setText(QStringLiteral("Giriş!"));
        m_RxGIFAnimator1->hide();
        Devamet(*address);
    }, this);
}

void Tgirisform::Button2Click()
{
    EndProcess(0);
    reject();
}

void Tgirisform::Devamet(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty()) {
        ShowMessageDialog(QString::fromUtf8(NoAddressText), mtError, mbOKOnly, mbOK);
        m_Button1->setEnabled(true);
        return;
    }
    const DeploySettings &d = Deployment();
    // Inside the distributor's own network the server is reached by its LAN address.
    if (trimmed == d.ownPublicIp) {
        setServerHost(d.serverLanHost);
        setWebBase(d.webBaseLan);
    }
    if (Bilgim)
        Bilgim->setDisip(trimmed);
    if (bagim)
        bagim->HostName = ServerHost();

    // The worker gets a clone made here, where bagim lives.
    SessionFetchInput input;
    if (bagim)
        input.connection = std::shared_ptr<ServerConnection>(bagim->clone());
    input.computerId = idsi;
    input.publicAddress = trimmed;
    input.addressRequest = PublicAddressRequest::fromDeployment();
    auto result = std::make_shared<SessionFetchResult>();
    BeginAsync([input, result] {
        *result = FetchSession(input);
    })->Await([this, result] {
        if (result->ok && Bilgim)
            Bilgim->Kopyala(result->session);
        Checks(result->ok);
    }, this);
}

void Tgirisform::backToIdle(bool focusName)
{
    m_Button1->setEnabled(true);
    if (focusName) {
        m_adi->selectAll();
        m_adi->setFocus();
    }
}

void Tgirisform::Checks(bool dogrusonuc)
{
    m_RxGIFAnimator1->hide();
    if (!dogrusonuc || !Bilgim) {
        ShowMessageDialog(QString::fromUtf8(NoConnectionText), mtError, mbOKOnly, mbOK);
        backToIdle(true);
        return;
    }
    if (Bilgim->Version() != ClientVersion) {
        Tdosyaindir indir(Bilgim->Version(), this);
        indir.bag = bagim;
        indir.exec();
        // The download ends the program; under a test hook it returns here.
        reject();
        return;
    }
    if (!Bilgim->Varmi()) {
        Tformistekyeni form(this);
        form.setWindowTitle(QStringLiteral("Mervak B2B İstek Formu"));
        form.sitem()->navigate(QUrl(Tformistekyeni::requestAddress(WebBase(), idsi),
                                    QUrl::TolerantMode));
        form.exec();
        EndProcess(0);
        reject();
        return;
    }
    if (Bilgim->ADI() == m_adi->text() && Bilgim->SIFRE() == m_sifre->text()) {
        saveSettings();
        if (Bilgim->AKTIF() == 1) {
            const int type = Bilgim->MusteriTipi();
            if ((type == 1 || type == 2) && bagim
                && !RunCustomerSelection(this, *bagim, *Bilgim)) {
                EndProcess(0);
                reject();
                return;
            }
            accept();
            return;
        }
    }
    ShowMessageDialog(QString::fromUtf8(WrongLoginText), mtWarning, mbOKOnly, mbOK);
    backToIdle(true);
}

} // namespace Mervak
