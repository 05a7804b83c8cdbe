// SPDX-License-Identifier: LicenseRef-Mervak
#include "webbrowser.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifdef MERVAK_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace Mervak {

WebBrowser::WebBrowser(QWidget *parent)
    : QWidget(parent)
{
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef MERVAK_HAVE_WEBENGINE
    auto view = new QWebEngineView(this);
    m_view = view;
    layout->addWidget(view);
#else
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addStretch(1);
    auto info = new QLabel(QStringLiteral("Sayfa varsayılan web tarayıcınızda açıldı."), this);
    info->setAlignment(Qt::AlignCenter);
    QFont f = info->font();
    f.setPixelSize(18);
    info->setFont(f);
    layout->addWidget(info);
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("adres"));
    m_address->setAlignment(Qt::AlignCenter);
    m_address->setWordWrap(true);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_address);
    auto again = new QPushButton(QStringLiteral("Tarayıcıda Tekrar Aç"), this);
    again->setObjectName(QStringLiteral("tekrarac"));
    again->setAutoDefault(false);
    connect(again, &QPushButton::clicked, this, [this] { QDesktopServices::openUrl(m_url); });
    layout->addWidget(again, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    m_view = info;
#endif
}

bool WebBrowser::isEmbedded()
{
#ifdef MERVAK_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

void WebBrowser::navigate(const QUrl &url)
{
    m_url = url;
#ifdef MERVAK_HAVE_WEBENGINE
    static_cast<QWebEngineView *>(m_view)->setUrl(url);
#else
    m_address->setText(url.toString());
    QDesktopServices::openUrl(url);
#endif
}

} // namespace Mervak
