// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridheader.h"

#include "griddelegate.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Mervak {

namespace {

constexpr int kButtonSize = 14;
constexpr int kMargin = 4;

QString colourSheet(const char *widget, const QColor &colour)
{
    return QStringLiteral("%1 { background-color: %2; border: none; }")
        .arg(QLatin1String(widget), colour.name());
}

} // namespace

GridHeader::GridHeader(const GridLook *look, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_look(look)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(8);
    setDefaultSectionSize(84);
    setStretchLastSection(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
    applyLook();
}

void GridHeader::applyLook()
{
    setStyleSheet(colourSheet("QHeaderView", m_look->style.header));
    viewport()->update();
}

void GridHeader::setHeight(int height)
{
    m_height = qMax(1, height);
    updateGeometry();
    viewport()->update();
}

void GridHeader::setFilterButtons(bool on)
{
    m_filterButtons = on;
    viewport()->update();
}

void GridHeader::setFilterFunctions(std::function<bool(int)> filterable,
                                    std::function<bool(int)> filtered)
{
    m_filterable = std::move(filterable);
    m_filtered = std::move(filtered);
}

QSize GridHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(m_height);
    return size;
}

QRect GridHeader::buttonRectIn(const QRect &section) const
{
    return QRect(section.right() - kMargin - kButtonSize + 1,
                 section.top() + (section.height() - kButtonSize) / 2, kButtonSize, kButtonSize);
}

QRect GridHeader::filterButtonRect(int logicalIndex) const
{
    if (!m_filterButtons || !m_filterable || !m_filterable(logicalIndex)
        || isSectionHidden(logicalIndex))
        return {};
    const QRect section(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                        viewport()->height());
    if (section.width() < kButtonSize + 2 * kMargin)
        return {};
    return buttonRectIn(section);
}

int GridHeader::buttonAt(const QPoint &pos) const
{
    const int logical = logicalIndexAt(pos);
    if (logical < 0)
        return -1;
    return filterButtonRect(logical).contains(pos) ? logical : -1;
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const GridStyle &s = m_look->style;
    painter->save();
    painter->fillRect(rect, s.header);
    painter->setPen(s.headerLine);
    painter->drawLine(rect.topRight(), rect.bottomRight());

    // The filter button shows under the mouse and while the column is filtered; only a
    // filtered column keeps room for it, so captions keep their width otherwise.
    QRect text = rect.adjusted(kMargin, 2, -kMargin, -2);
    const bool filtered = m_filtered && m_filtered(logicalIndex);
    const bool button = filterButtonRect(logicalIndex).isValid()
                        && (filtered || logicalIndex == m_hover);
    if (filtered)
        text.setRight(text.right() - kButtonSize - 2);

    const bool sorted = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex;
    if (sorted)
        text.setRight(text.right() - 10);

    painter->setFont(s.headerFont);
    painter->setPen(s.headerText);
    const QAbstractItemModel *m = model();
    const QString caption = m ? m->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    Qt::Alignment alignment = m ? Qt::Alignment(m->headerData(logicalIndex, Qt::Horizontal,
                                                              Qt::TextAlignmentRole).toInt())
                                : Qt::AlignCenter;
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    const QFontMetrics metrics(s.headerFont);
    const QRect wrapped = metrics.boundingRect(text, int(alignment) | Qt::TextWordWrap, caption);
    if (wrapped.width() <= text.width() && wrapped.height() <= text.height()) {
        painter->drawText(text, int(alignment) | Qt::TextWordWrap, caption);
    } else {
        // Too narrow even when wrapped: one line cut with an ellipsis, from the left.
        const Qt::Alignment single = (alignment & Qt::AlignVertical_Mask) | Qt::AlignLeft;
        painter->drawText(text, int(single) | Qt::TextSingleLine,
                          metrics.elidedText(caption, Qt::ElideRight, text.width()));
    }

    painter->setRenderHint(QPainter::Antialiasing);
    if (sorted) {
        // A small triangle: up for ascending, down for descending.
        const QPointF c(text.right() + 6, rect.center().y() + 0.5);
        QPainterPath arrow;
        if (sortIndicatorOrder() == Qt::AscendingOrder) {
            arrow.moveTo(c + QPointF(-4, 2));
            arrow.lineTo(c + QPointF(4, 2));
            arrow.lineTo(c + QPointF(0, -3));
        } else {
            arrow.moveTo(c + QPointF(-4, -2));
            arrow.lineTo(c + QPointF(4, -2));
            arrow.lineTo(c + QPointF(0, 3));
        }
        arrow.closeSubpath();
        painter->setPen(Qt::NoPen);
        painter->setBrush(s.headerText);
        painter->drawPath(arrow);
    }
    if (button) {
        const QRect b = buttonRectIn(rect);
        const bool active = filtered;
        painter->setPen(QPen(active ? s.accent : s.headerLine.lighter(140), 1));
        painter->setBrush(active ? s.accent : s.header.lighter(125));
        painter->drawRoundedRect(QRectF(b).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        // A funnel.
        QPainterPath funnel;
        const QPointF o = b.topLeft();
        funnel.moveTo(o + QPointF(3, 4));
        funnel.lineTo(o + QPointF(11, 4));
        funnel.lineTo(o + QPointF(8, 7.5));
        funnel.lineTo(o + QPointF(8, 11));
        funnel.lineTo(o + QPointF(6, 10));
        funnel.lineTo(o + QPointF(6, 7.5));
        funnel.closeSubpath();
        painter->setPen(Qt::NoPen);
        painter->setBrush(active ? s.header : s.headerText);
        painter->drawPath(funnel);
    }
    painter->restore();
}

void GridHeader::mouseMoveEvent(QMouseEvent *event)
{
    QHeaderView::mouseMoveEvent(event);
    const int hover = logicalIndexAt(event->position().toPoint());
    if (hover != m_hover) {
        m_hover = hover;
        viewport()->update();
    }
}

void GridHeader::leaveEvent(QEvent *event)
{
    QHeaderView::leaveEvent(event);
    if (m_hover >= 0) {
        m_hover = -1;
        viewport()->update();
    }
}

void GridHeader::mousePressEvent(QMouseEvent *event)
{
    const int logical = event->button() == Qt::LeftButton ? buttonAt(event->position().toPoint())
                                                          : -1;
    if (logical >= 0) {
        m_pressedButton = logical;
        const QRect section(sectionViewportPosition(logical), 0, sectionSize(logical), height());
        Q_EMIT filterButtonClicked(logical, mapToGlobal(QPoint(section.left(), section.bottom())
                                                        + QPoint(0, 1)));
        event->accept();
        return;
    }
    m_pressedButton = -1;
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressedButton >= 0) {
        m_pressedButton = -1;
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

void GridHeader::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (buttonAt(event->position().toPoint()) >= 0) {
        event->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(event);
}

GridIndicator::GridIndicator(const GridLook *look, QWidget *parent)
    : QHeaderView(Qt::Vertical, parent)
    , m_look(look)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(1);
    setHighlightSections(false);
    setSectionsClickable(true);
    applyLook();
}

void GridIndicator::applyLook()
{
    setStyleSheet(colourSheet("QHeaderView", m_look->style.indicator));
    viewport()->update();
}

void GridIndicator::setIndicatorWidth(int width)
{
    m_width = qMax(0, width);
    updateGeometry();
}

void GridIndicator::setFocusedSection(int section)
{
    if (section == m_focused)
        return;
    m_focused = section;
    viewport()->update();
}

QSize GridIndicator::sizeHint() const
{
    return QSize(m_width, QHeaderView::sizeHint().height());
}

void GridIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->fillRect(rect, m_look->style.indicator);
    if (logicalIndex != m_focused)
        return;
    if (rect.width() >= 9) {
        // Wide enough for the usual arrow.
        QPainterPath arrow;
        const QPointF c(rect.center().x() + 0.5, rect.center().y() + 0.5);
        arrow.moveTo(c + QPointF(-2.5, -4));
        arrow.lineTo(c + QPointF(2.5, 0));
        arrow.lineTo(c + QPointF(-2.5, 4));
        arrow.closeSubpath();
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_look->style.indicatorFocus);
        painter->drawPath(arrow);
        painter->restore();
    } else {
        painter->fillRect(rect, m_look->style.indicatorFocus);
    }
}

} // namespace Mervak
