// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "gridstyle.h"

#include <QCache>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace Mervak {

class DataSetModel;
class GridProxyModel;
struct GridColumn;

// How a grid paints its rows; set by DataGrid.
struct GridLook
{
    GridStyle style = GridStyle::mainWindow();
    bool alternatingRows = true;
    bool evenRowsAlternate = false;   // even rows in style.alternate, odd in style.content
    bool gridLines = true;
    int pictureSize = 24;
    int checkSize = 18;
};

/*!
    Paints every cell of a grid: the row colours, the selection, the grid lines, the texts,
    the pictures and check boxes by value, the owner-drawn cells, picture cells, and the group
    header and footer rows.
*/
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    GridDelegate(const GridProxyModel *proxy, const GridLook *look, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    QColor rowColour(int viewRow) const;
    // The rectangle of a check box inside its cell.
    QRect checkRect(const QRect &cell, Qt::Alignment alignment) const;

private:
    void paintDataCell(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index,
                       const GridColumn &column) const;
    void paintGroupHeader(QPainter *p, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const;
    void paintGroupFooter(QPainter *p, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const;
    void paintText(QPainter *p, const QRect &rect, const QString &text, Qt::Alignment alignment,
                   bool wrap) const;
    void paintPixmap(QPainter *p, const QRect &rect, const QPixmap &pixmap,
                     Qt::Alignment alignment) const;
    QPixmap picturePixmap(const QByteArray &bytes, const QSize &size) const;

    const GridProxyModel *m_proxy;
    const GridLook *m_look;
    mutable QCache<quint64, QPixmap> m_pictures;
};

// One line of cell text in \a area: pressed together sideways when it is a little too wide,
// elided only when that is not enough.
void drawFittedLine(QPainter *p, const QRect &area, const QString &text, Qt::Alignment alignment);

} // namespace Mervak
