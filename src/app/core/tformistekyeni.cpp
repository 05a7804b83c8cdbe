// SPDX-License-Identifier: LicenseRef-Mervak
#include "tformistekyeni.h"

#include "webbrowser.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace Mervak {

Tformistekyeni::Tformistekyeni(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("formistekyeni"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(780, 555);

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sitem = new WebBrowser(this);
    m_sitem->setObjectName(QStringLiteral("sitem"));
    layout->addWidget(m_sitem, 1);

    auto panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(41);
    auto row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 1, 2, 1);
    m_Button1 = new QPushButton(QStringLiteral("Kapat"), panel);
    m_Button1->setObjectName(QStringLiteral("Button1"));
    m_Button1->setFixedSize(131, 39);
    m_Button1->setAutoDefault(false);
    row->addWidget(m_Button1);
    row->addStretch(1);
    layout->addWidget(panel);
    connect(m_Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QString Tformistekyeni::requestAddress(const QString &webBase, const QString &computerId)
{
    return webBase + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") + computerId;
}

} // namespace Mervak
