// SPDX-License-Identifier: LicenseRef-Mervak
#include "testshell.h"

#include "await.h"
#include "busyindicator.h"
#include "dataset.h"
#include "pagecontrol.h"
#include "textrules.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Mervak {

TestShell::TestShell()
{
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto bar = new QHBoxLayout;
    m_araedit = new QLineEdit(this);
    m_araedit->setObjectName(QStringLiteral("araedit"));
    // As the main window's search edit: Turkish letters folded, then upper case.
    QObject::connect(m_araedit, &QLineEdit::textEdited, m_araedit, [this](const QString &text) {
        const QString upper = SearchText(text);
        if (upper != text)
            m_araedit->setText(upper);
    });
    bar->addWidget(m_araedit);
    for (int i = 0; i < BusyGifCount; ++i) {
        m_gifs[std::size_t(i)] = new BusyIndicator(this);
        m_gifs[std::size_t(i)]->hide();
        bar->addWidget(m_gifs[std::size_t(i)]);
    }
    bar->addStretch(1);
    layout->addLayout(bar);

    m_pages = new PageControl(this);
    const char *captions[TabPageCount] = {"Stok Listesi", "Sepet", "Önceki Siparişler",
                                          "Cari Ekstre", "Yeni Stoklar", "Kampanyalı Stoklar",
                                          "Duyurular", "Bakiyeler", "Sanal Pos"};
    for (int i = 0; i < TabPageCount; ++i) {
        auto page = new QWidget(m_pages);
        auto pl = new QVBoxLayout(page);
        pl->setContentsMargins(0, 0, 0, 0);
        m_page[std::size_t(i)] = page;
        m_pages->addPage(page, QString::fromUtf8(captions[i]));
        const TabPage tab = TabPage(i);
        if (tab == TabPage::StokListesi || tab == TabPage::Sepet || tab == TabPage::YeniStoklar
            || tab == TabPage::Kampanyali)
            m_dataSets[std::size_t(i)] = new DataSet(this);
    }
    m_pages->setCurrentIndex(0);
    layout->addWidget(m_pages, 1);
}

TestShell::~TestShell() = default;

void TestShell::setTabCaption(TabPage page, const QString &caption)
{
    RunOnUiThread([this, page, caption] { m_pages->setCaption(int(page), caption); });
}

QString TestShell::tabCaption(TabPage page) const
{
    return m_pages->caption(int(page));
}

void TestShell::placePage(TabPage page, QWidget *content)
{
    m_page[std::size_t(page)]->layout()->addWidget(content);
}

} // namespace Mervak
