// SPDX-License-Identifier: LicenseRef-Mervak
#include "pagecontrol.h"

#include "appstyle.h"
#include "ttabcolorcontrolstylehook.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace Mervak {

namespace {
constexpr int TabGap = 2;      // between tabs of a row
constexpr int RowGap = 2;      // between rows
constexpr int Margin = 2;
} // namespace

PageTabBar::PageTabBar(PageControl *control)
    : QWidget(control)
    , m_control(control)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

int PageTabBar::perRow(int width) const
{
    const int w = m_control->m_tabSize.width() + TabGap;
    return qMax(1, (width - 2 * Margin + TabGap) / w);
}

int PageTabBar::heightForWidth(int width) const
{
    int visible = 0;
    for (const auto &p : m_control->m_pages)
        visible += p.visible ? 1 : 0;
    const int rows = qMax(1, (visible + perRow(width) - 1) / perRow(width));
    return 2 * Margin + rows * m_control->m_tabSize.height() + (rows - 1) * RowGap;
}

QSize PageTabBar::sizeHint() const
{
    return QSize(m_control->m_tabSize.width() * 4, heightForWidth(width() > 0 ? width() : 1000));
}

QSize PageTabBar::minimumSizeHint() const
{
    return QSize(m_control->m_tabSize.width() + 2 * Margin, heightForWidth(width()));
}

QRect PageTabBar::tabRect(int index) const
{
    const auto &pages = m_control->m_pages;
    if (index < 0 || index >= int(pages.size()) || !pages[size_t(index)].visible)
        return {};
    int slot = 0;
    for (int i = 0; i < index; ++i)
        slot += pages[size_t(i)].visible ? 1 : 0;
    const int n = perRow(width());
    const QSize ts = m_control->m_tabSize;
    const int row = slot / n;
    const int col = slot % n;
    return QRect(Margin + col * (ts.width() + TabGap), Margin + row * (ts.height() + RowGap),
                 ts.width(), ts.height());
}

int PageTabBar::tabAt(const QPoint &pos) const
{
    for (int i = 0; i < m_control->count(); ++i) {
        if (tabRect(i).contains(pos))
            return i;
    }
    return -1;
}

void PageTabBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The line the pages hang from.
    p.fillRect(QRect(0, height() - 2, width(), 2), AppColors::TabSelected);
    for (int i = 0; i < m_control->count(); ++i) {
        const QRect r = tabRect(i);
        if (r.isEmpty())
            continue;
        const auto &page = m_control->m_pages[size_t(i)];
        const auto state = i == m_control->m_current ? TTabColorControlStyleHook::Selected
                         : i == m_hot                ? TTabColorControlStyleHook::Hot
                                                     : TTabColorControlStyleHook::Normal;
        TTabColorControlStyleHook::paint(p, r, page.caption, page.picture, state,
                                         m_control->m_tabFont);
    }
}

void PageTabBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int i = tabAt(event->position().toPoint());
    if (i >= 0)
        m_control->setCurrentIndex(i);
}

void PageTabBar::mouseMoveEvent(QMouseEvent *event)
{
    const int hot = tabAt(event->position().toPoint());
    if (hot != m_hot) {
        m_hot = hot;
        setCursor(hot >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
}

void PageTabBar::leaveEvent(QEvent *)
{
    m_hot = -1;
    update();
}

void PageTabBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int h = heightForWidth(width());
    if (h != height())
        setFixedHeight(h);
}

PageControl::PageControl(QWidget *parent)
    : QWidget(parent)
{
    m_tabFont = QFont(QStringLiteral("Tahoma"));
    m_tabFont.setPixelSize(13);
    m_tabFont.setBold(true);
    m_bar = new PageTabBar(this);
    m_bar->setFixedHeight(m_bar->heightForWidth(1000));
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("PageStack"));
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_stack, 1);
}

int PageControl::addPage(QWidget *page, const QString &caption, const QPixmap &picture)
{
    m_pages.push_back(Page{page, caption, picture, true});
    m_stack->addWidget(page);
    m_bar->setFixedHeight(m_bar->heightForWidth(m_bar->width()));
    m_bar->update();
    const int index = count() - 1;
    if (m_current < 0)
        setCurrentIndex(index);
    return index;
}

QWidget *PageControl::page(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_pages[size_t(index)].widget;
}

int PageControl::indexOf(const QWidget *page) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_pages[size_t(i)].widget == page)
            return i;
    }
    return -1;
}

QString PageControl::caption(int index) const
{
    return index >= 0 && index < count() ? m_pages[size_t(index)].caption : QString();
}

void PageControl::setCaption(int index, const QString &caption)
{
    if (index < 0 || index >= count() || m_pages[size_t(index)].caption == caption)
        return;
    m_pages[size_t(index)].caption = caption;
    m_bar->update(m_bar->tabRect(index));
}

QPixmap PageControl::picture(int index) const
{
    return index >= 0 && index < count() ? m_pages[size_t(index)].picture : QPixmap();
}

void PageControl::setTabVisible(int index, bool visible)
{
    if (index < 0 || index >= count() || m_pages[size_t(index)].visible == visible)
        return;
    m_pages[size_t(index)].visible = visible;
    m_bar->setFixedHeight(m_bar->heightForWidth(m_bar->width()));
    m_bar->update();
}

bool PageControl::isTabVisible(int index) const
{
    return index >= 0 && index < count() && m_pages[size_t(index)].visible;
}

void PageControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    const int old = m_current;
    m_current = index;
    m_stack->setCurrentWidget(m_pages[size_t(index)].widget);
    m_bar->update();
    if (old >= 0)
        Q_EMIT pageHidden(old);
    Q_EMIT currentChanged(index);
    Q_EMIT pageShown(index);
}

void PageControl::setTabSize(const QSize &size)
{
    m_tabSize = size;
    m_bar->setFixedHeight(m_bar->heightForWidth(m_bar->width()));
    m_bar->update();
}

void PageControl::setTabFont(const QFont &font)
{
    m_tabFont = font;
    m_bar->update();
}

} // namespace Mervak
