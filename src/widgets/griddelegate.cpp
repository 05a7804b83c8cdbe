// SPDX-License-Identifier: LicenseRef-Mervak
#include "griddelegate.h"

#include "datasetmodel.h"
#include "gridproxymodel.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

namespace Mervak {

namespace {

constexpr int kTextMargin = 4;
// Single-line text is pressed together down to this share of its width before it is elided.
constexpr qreal kLeastSqueeze = 0.75;

} // namespace

GridDelegate::GridDelegate(const GridProxyModel *proxy, const GridLook *look, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_proxy(proxy)
    , m_look(look)
    , m_pictures(64 * 1024 * 1024 / 1024)   // cost in kilobytes: 64 MB of decoded pictures
{}

QColor GridDelegate::rowColour(int viewRow) const
{
    const GridStyle &s = m_look->style;
    if (!m_look->alternatingRows)
        return s.content;
    const bool even = viewRow % 2 == 0;
    return even == m_look->evenRowsAlternate ? s.alternate : s.content;
}

QRect GridDelegate::checkRect(const QRect &cell, Qt::Alignment alignment) const
{
    const int size = qMin(m_look->checkSize, cell.height() - 2);
    QRect box(0, 0, size, size);
    const int y = cell.top() + (cell.height() - size) / 2;
    if (alignment & Qt::AlignLeft)
        box.moveTo(cell.left() + kTextMargin, y);
    else if (alignment & Qt::AlignRight)
        box.moveTo(cell.right() - kTextMargin - size, y);
    else
        box.moveTo(cell.left() + (cell.width() - size) / 2, y);
    return box;
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    if (!index.isValid())
        return;
    painter->save();
    switch (m_proxy->rowKind(index.row())) {
    case GridProxyModel::GroupHeaderRow:
        paintGroupHeader(painter, option, index);
        break;
    case GridProxyModel::GroupFooterRow:
        paintGroupFooter(painter, option, index);
        break;
    case GridProxyModel::DataRow:
        paintDataCell(painter, option, index, m_proxy->dataModel()->column(index.column()));
        break;
    }
    if (m_look->gridLines) {
        const QRect r = option.rect;
        painter->setPen(m_look->style.gridLine);
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    }
    painter->restore();
}

void GridDelegate::paintDataCell(QPainter *p, const QStyleOptionViewItem &option,
                                 const QModelIndex &index, const GridColumn &column) const
{
    const GridStyle &s = m_look->style;
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const QColor background = selected ? s.selection : rowColour(index.row());
    QColor textColour = selected ? s.selectionText : s.text;
    if (!enabled)
        textColour = QColor(120, 120, 120);
    p->fillRect(option.rect, background);

    const DataSetModel *model = m_proxy->dataModel();
    const int sourceRow = m_proxy->sourceRow(index.row());
    if (!model->isReadable(sourceRow))
        return;
    const Qt::Alignment alignment = model->alignment(index.column());
    const QRect rect = option.rect;
    p->setFont(option.font);
    p->setPen(textColour);
    p->setClipRect(rect);

    switch (column.kind) {
    case ColumnKind::Text:
    case ColumnKind::WrappedText:
    case ColumnKind::CentredLabel:
        paintText(p, rect, model->cellText(sourceRow, index.column()), alignment, column.wraps());
        return;
    case ColumnKind::StatusPicture:
    case ColumnKind::PictureMark:
    case ColumnKind::YesNoPicture: {
        const int f = model->fieldColumn(index.column());
        if (f < 0 || model->dataSet()->isNull(sourceRow, f))
            return;
        const GridPicture picture = column.effectivePictures().pictureFor(
            model->dataSet()->intAt(sourceRow, f));
        const int size = qMin(m_look->pictureSize, rect.height() - 4);
        paintPixmap(p, rect, gridPixmap(picture, size), alignment);
        return;
    }
    case ColumnKind::CheckBox: {
        const int f = model->fieldColumn(index.column());
        if (f < 0)
            return;
        const bool on = model->dataSet()->intAt(sourceRow, f) == 1;
        const QRect box = checkRect(rect, alignment);
        p->drawPixmap(box, gridPixmap(on ? GridPicture::CheckOn : GridPicture::CheckOff,
                                      box.width()));
        return;
    }
    case ColumnKind::Drawn:
        if (column.paint) {
            GridCell cell;
            cell.rect = rect;
            cell.selected = selected;
            cell.evenRow = index.row() % 2 == 0;
            cell.background = background;
            cell.textColour = textColour;
            cell.font = option.font;
            cell.row = model->gridRow(sourceRow, index.column());
            column.paint(p, cell);
        } else {
            paintText(p, rect, model->cellText(sourceRow, index.column()), alignment,
                      column.wraps());
        }
        return;
    case ColumnKind::Picture: {
        const int f = model->fieldColumn(index.column());
        if (f < 0 || model->dataSet()->isNull(sourceRow, f))
            return;
        const QPixmap pixmap = picturePixmap(model->dataSet()->blobAt(sourceRow, f),
                                             rect.size() - QSize(4, 4));
        paintPixmap(p, rect, pixmap, alignment);
        return;
    }
    }
}

void GridDelegate::paintText(QPainter *p, const QRect &rect, const QString &text,
                             Qt::Alignment alignment, bool wrap) const
{
    if (text.isEmpty())
        return;
    const QRect area = rect.adjusted(kTextMargin, 1, -kTextMargin, -1);
    const bool multiLine = text.contains(QLatin1Char('\n'));
    if (wrap || multiLine) {
        // A word longer than the column (a barcode, an OEM number) breaks inside itself
        // rather than being cut off.
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        p->drawText(QRectF(area), text, option);
        return;
    }
    drawFittedLine(p, area, text, alignment);
}

void drawFittedLine(QPainter *p, const QRect &area, const QString &text, Qt::Alignment alignment)
{
    // A value a little too wide is set closer together rather than cut: an amount or a date
    // missing its last digits reads as another one.
    const int width = p->fontMetrics().horizontalAdvance(text);
    if (width > area.width() && area.width() >= width * kLeastSqueeze) {
        p->save();
        p->translate(area.left(), area.top());
        p->scale(qreal(area.width()) / qreal(width), 1.0);
        p->drawText(QRectF(0, 0, width, area.height()), int(alignment) | Qt::TextSingleLine,
                    text);
        p->restore();
        return;
    }
    p->drawText(area, int(alignment) | Qt::TextSingleLine,
                p->fontMetrics().elidedText(text, Qt::ElideRight, area.width()));
}

void GridDelegate::paintPixmap(QPainter *p, const QRect &rect, const QPixmap &pixmap,
                               Qt::Alignment alignment) const
{
    if (pixmap.isNull())
        return;
    const QSize size = pixmap.deviceIndependentSize().toSize();
    int x = rect.left() + (rect.width() - size.width()) / 2;
    if (alignment & Qt::AlignLeft)
        x = rect.left() + kTextMargin;
    else if (alignment & Qt::AlignRight)
        x = rect.right() - kTextMargin - size.width();
    const int y = rect.top() + (rect.height() - size.height()) / 2;
    p->drawPixmap(QPoint(x, y), pixmap);
}

QPixmap GridDelegate::picturePixmap(const QByteArray &bytes, const QSize &size) const
{
    if (bytes.isEmpty() || size.width() <= 0 || size.height() <= 0)
        return {};
    const quint64 key = (quint64(qHash(bytes)) << 24) ^ (quint64(size.width()) << 12)
                        ^ quint64(size.height()) ^ quint64(bytes.size());
    if (QPixmap *cached = m_pictures.object(key))
        return *cached;
    QImage image;
    if (!image.loadFromData(bytes))
        return {};
    // Shrink to the cell keeping the proportions; never blow a small picture up.
    if (image.width() > size.width() || image.height() > size.height())
        image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    auto *pixmap = new QPixmap(QPixmap::fromImage(image));
    const int cost = qMax(1, int(qint64(image.sizeInBytes()) / 1024));
    m_pictures.insert(key, pixmap, cost);
    return m_pictures.object(key) ? *m_pictures.object(key) : QPixmap::fromImage(image);
}

void GridDelegate::paintGroupHeader(QPainter *p, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const GridStyle &s = m_look->style;
    const bool selected = option.state & QStyle::State_Selected;
    const QRect rect = option.rect;
    p->fillRect(rect, selected ? s.selection : s.groupRow);

    // The expander: a triangle pointing right when collapsed, down when open.
    const bool collapsed = index.data(GridProxyModel::GroupCollapsedRole).toBool();
    const QPointF c(rect.left() + 12, rect.center().y() + 0.5);
    QPainterPath arrow;
    if (collapsed) {
        arrow.moveTo(c + QPointF(-3, -5));
        arrow.lineTo(c + QPointF(3, 0));
        arrow.lineTo(c + QPointF(-3, 5));
    } else {
        arrow.moveTo(c + QPointF(-5, -3));
        arrow.lineTo(c + QPointF(5, -3));
        arrow.lineTo(c + QPointF(0, 3));
    }
    arrow.closeSubpath();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    p->setBrush(s.groupText);
    p->drawPath(arrow);
    p->setRenderHint(QPainter::Antialiasing, false);

    QFont font = option.font;
    font.setBold(true);
    p->setFont(font);
    p->setPen(selected ? s.selectionText : s.groupText);
    const QRect area = rect.adjusted(26, 0, -kTextMargin, 0);
    const QString text = index.data(Qt::DisplayRole).toString();
    p->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                p->fontMetrics().elidedText(text, Qt::ElideRight, area.width()));
}

void GridDelegate::paintGroupFooter(QPainter *p, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const GridStyle &s = m_look->style;
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, selected ? s.selection : s.footer);
    QFont font = option.font;
    font.setBold(true);
    p->setFont(font);
    p->setPen(selected ? s.selectionText : s.footerText);
    const Qt::Alignment alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    paintText(p, option.rect, index.data(Qt::DisplayRole).toString(), alignment, false);
}

} // namespace Mervak
