// SPDX-License-Identifier: LicenseRef-Mervak
#include "tonaysip.h"

#include "baglantiu.h"
#include "dataset.h"
#include "messagedialog.h"
#include "orderstexts.h"
#include "remotecall.h"
#include "serverconnection.h"
#include "await.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Mervak {

namespace {

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QFont makeFont(const QString &family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QFont fixedPitch()
{
    QFont f = makeFont(QStringLiteral("Courier New"), 16, true);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

} // namespace

QString TONAYSIP::SummaryText(const QString &user, const QString &customer, const QString &amount)
{
    return str(OrdersTexts::SummaryUser) + user + QStringLiteral("\r\n")
           + str(OrdersTexts::SummaryCustomer) + customer + QStringLiteral("\r\n")
           + str(OrdersTexts::SummaryAmount) + amount;
}

TONAYSIP::TONAYSIP(QWidget *owner, ServerConnection &_c, const QString &mesaj,
                   TSonucBilgisi &sbilgi, const QString &toplam)
    : QDialog(owner)
    , m_kargo(std::make_unique<DataSet>())
    , m_bagc(_c)
    , m_sbilgi(sbilgi)
    , m_toplam(toplam)
{
    setObjectName(QStringLiteral("ONAYSIP"));
    setWindowTitle(str(OrdersTexts::ConfirmCaption));
    setFont(makeFont(QStringLiteral("Tahoma"), 13, true));
    setFixedSize(894, 526);

    auto main = new QVBoxLayout(this);
    main->setContentsMargins(14, 12, 14, 12);
    main->setSpacing(10);

    // Delivery type, cargo type, cargo company.
    auto top = new QHBoxLayout;
    top->setSpacing(10);
    m_teslimbox = new QGroupBox(str(OrdersTexts::DeliveryGroup), this);
    m_teslimbox->setObjectName(QStringLiteral("teslimbox"));
    m_teslimButtons = new QButtonGroup(this);
    new QVBoxLayout(m_teslimbox);
    m_boxkargo = new QGroupBox(str(OrdersTexts::CargoTypeGroup), this);
    m_boxkargo->setObjectName(QStringLiteral("boxkargo"));
    m_kargoButtons = new QButtonGroup(this);
    new QVBoxLayout(m_boxkargo);
    for (QGroupBox *g : {m_teslimbox, m_boxkargo})
        g->setMinimumWidth(250);
    top->addWidget(m_teslimbox, 1);
    top->addWidget(m_boxkargo, 1);

    auto kargoGroup = new QGroupBox(str(OrdersTexts::CargoGroup), this);
    kargoGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto kl = new QVBoxLayout(kargoGroup);
    m_kargocombo = new QComboBox(kargoGroup);
    m_kargocombo->setObjectName(QStringLiteral("kargocombo"));
    m_kargocombo->setMinimumHeight(30);
    m_uyarikargo = new QLabel(kargoGroup);
    m_uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
    m_uyarikargo->setFixedSize(210, 59);
    m_uyarikargo->setWordWrap(true);
    m_uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_uyarikargo->setStyleSheet(QStringLiteral("color: #6a358e;"));
    kl->addWidget(m_kargocombo);
    kl->addWidget(m_uyarikargo);
    kl->addStretch(1);
    top->addWidget(kargoGroup);
    main->addLayout(top, 3);

    // Message on the left, the summary and the warning on the right.
    auto middle = new QHBoxLayout;
    middle->setSpacing(10);
    auto mesajGroup = new QGroupBox(str(OrdersTexts::MessageGroup), this);
    mesajGroup->setObjectName(QStringLiteral("GroupBox2"));
    auto ml = new QVBoxLayout(mesajGroup);
    m_aciklamagir = new QPlainTextEdit(mesajGroup);
    m_aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
    m_aciklamagir->setFont(makeFont(QStringLiteral("Tahoma"), 14, true));
    m_aciklamagir->setTabChangesFocus(true);
    ml->addWidget(m_aciklamagir);
    middle->addWidget(mesajGroup, 1);

    auto info = new QVBoxLayout;
    m_Label2 = new QLabel(this);
    m_Label2->setObjectName(QStringLiteral("Label2"));
    m_Label2->setFont(fixedPitch());
    m_Label2->setTextFormat(Qt::PlainText);
    m_Label2->setText(SummaryText(m_sbilgi.ADI(), m_sbilgi.CariAdi(), m_toplam));
    m_Label3 = new QLabel(this);
    m_Label3->setObjectName(QStringLiteral("Label3"));
    m_Label3->setFont(fixedPitch());
    m_Label3->setWordWrap(true);
    m_Label3->setStyleSheet(QStringLiteral("color: #d01010;"));
    m_Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->addWidget(m_Label2);
    info->addWidget(m_Label3, 1);
    middle->addLayout(info, 1);
    main->addLayout(middle, 2);

    m_Label1 = new QLabel(str(OrdersTexts::ConfirmQuestion), this);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setFont(makeFont(QStringLiteral("Tahoma"), 20, true));
    m_Label1->setAlignment(Qt::AlignCenter);
    main->addWidget(m_Label1);

    auto buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_Button1 = new QPushButton(str(OrdersTexts::YesButton), this);
    m_Button1->setObjectName(QStringLiteral("Button1"));
    m_Button2 = new QPushButton(str(OrdersTexts::NoButton), this);
    m_Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton *b : {m_Button1, m_Button2}) {
        b->setFont(makeFont(QStringLiteral("Tahoma"), 16, true));
        b->setMinimumSize(160, 42);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    main->addLayout(buttons);

    connect(m_Button1, &QPushButton::clicked, this, &TONAYSIP::Button1Click);
    connect(m_Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_kargoButtons, &QButtonGroup::idClicked, this, [this] {
        RunGuarded([this] { boxkargoClick(); });
    });
    connect(m_kargocombo, &QComboBox::currentIndexChanged, this, [this] { kargocomboChange(); });

    setWarning(mesaj);
    LoadDeliveryAndCargoTypes();
}

TONAYSIP::~TONAYSIP() = default;

void TONAYSIP::setWarning(const QString &text)
{
    m_Label3->setText(text);
}

QString TONAYSIP::aciklama() const
{
    return m_aciklamagir->toPlainText();
}

void TONAYSIP::fillGroup(QGroupBox *group, QButtonGroup *buttons, QList<QRadioButton *> &items,
                         QList<int> &ids, const DataSet &rows)
{
    qDeleteAll(items);
    items.clear();
    ids.clear();
    auto layout = static_cast<QVBoxLayout *>(group->layout());
    while (QLayoutItem *item = layout->takeAt(0))
        delete item;
    if (rows.fieldCount() >= 2) {
        for (int row = 0; row < rows.rowCount(); ++row) {
            auto radio = new QRadioButton(rows.displayText(row, 1), group);
            buttons->addButton(radio, int(items.size()));
            layout->addWidget(radio);
            items << radio;
            ids << int(rows.intAt(row, 0));
        }
    }
    layout->addStretch(1);
}

int TONAYSIP::selectedIndex(const QList<QRadioButton *> &items) const
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->isChecked())
            return i;
    }
    return -1;
}

void TONAYSIP::LoadDeliveryAndCargoTypes()
{
    DataSet teslim;
    DataSet kargoTurleri;
    const bool connected = RemoteCall::run(
        m_bagc, nullptr, 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *) {
            client.TeslimVer(&teslim);
            client.KargoVer(&kargoTurleri);
        },
        RemoteCall::Use::Clone);
    if (!connected)
        return;
    fillGroup(m_teslimbox, m_teslimButtons, m_teslimItems, m_teslimIds, teslim);
    // The second delivery type is the usual one; with only one, that one.
    if (m_teslimItems.size() > 1)
        m_teslimItems.at(1)->setChecked(true);
    else if (!m_teslimItems.isEmpty())
        m_teslimItems.first()->setChecked(true);
    fillGroup(m_boxkargo, m_kargoButtons, m_kargoItems, m_kargoIds, kargoTurleri);
}

void TONAYSIP::boxkargoClick()
{
    m_uyarikargo->clear();
    const int index = selectedIndex(m_kargoItems);
    if (index >= 0)
        LoadCargoCompanies(m_kargoIds.at(index));
}

void TONAYSIP::LoadCargoCompanies(int cargoType)
{
    const bool connected = RemoteCall::run(
        m_bagc, nullptr, 1,
        [&](TServerMethods1Client &client, TSonucBilgisi *) {
            client.KargolarVer(cargoType, m_kargo.get());
        },
        RemoteCall::Use::Itself);
    if (!connected)
        return;
    const int adi = m_kargo->fieldIndex(QStringLiteral("ADI"));
    const QSignalBlocker block(m_kargocombo);
    m_kargocombo->clear();
    m_kargocombo->addItem(QStringLiteral(" "));
    for (int row = 0; row < m_kargo->rowCount(); ++row)
        m_kargocombo->addItem(adi < 0 ? QString() : m_kargo->displayText(row, adi));
    m_kargocombo->setCurrentIndex(0);
    // A cargo type with a single company needs no choice.
    if (m_kargocombo->count() == 2) {
        m_kargocombo->setCurrentIndex(1);
        kargocomboChange();
    }
}

void TONAYSIP::kargocomboChange()
{
    // The entries follow the rows of kargo after the blank one, so the row is found by its
    // place even when two companies share a name.
    const int row = m_kargocombo->currentIndex() - 1;
    const int uyari = m_kargo->fieldIndex(QStringLiteral("UYARI"));
    if (row < 0 || row >= m_kargo->rowCount() || uyari < 0) {
        m_uyarikargo->clear();
        return;
    }
    m_uyarikargo->setText(m_kargo->displayText(row, uyari));
}

void TONAYSIP::Button1Click()
{
    const int teslim = selectedIndex(m_teslimItems);
    if (teslim < 0) {
        ShowMessageDialog(str(OrdersTexts::ChooseDelivery), mtWarning, mbOKOnly, mbOK);
        return;
    }
    const int kargoTuru = selectedIndex(m_kargoItems);
    if (kargoTuru < 0) {
        ShowMessageDialog(str(OrdersTexts::ChooseCargoType), mtWarning, mbOKOnly, mbOK);
        return;
    }
    const int row = m_kargocombo->currentIndex() - 1;
    if (row < 0 || row >= m_kargo->rowCount()) {
        ShowMessageDialog(str(OrdersTexts::ChooseCargo), mtWarning, mbOKOnly, mbOK);
        m_kargocombo->setFocus();
        return;
    }
    KN = int(m_kargo->intAt(row, m_kargo->fieldIndex(QStringLiteral("SIRANO"))));
    td = m_teslimIds.at(teslim);
    kt = m_kargoIds.at(kargoTuru);
    accept();
}

} // namespace Mervak
