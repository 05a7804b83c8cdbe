// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QHeaderView>

#include <functional>

namespace Mervak {

struct GridLook;

/*!
    The column header of a grid: captions in the header style, the sort mark, and a filter
    button per column that opens the pop-up of the column's values. Pressing the filter
    button does not sort.
*/
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    GridHeader(const GridLook *look, QWidget *parent = nullptr);

    void applyLook();   // after the grid's style changed
    void setHeight(int height);
    int height() const { return m_height; }
    void setFilterButtons(bool on);
    bool filterButtons() const { return m_filterButtons; }
    // Which columns have a filter button, and which are filtered now.
    void setFilterFunctions(std::function<bool(int)> filterable, std::function<bool(int)> filtered);
    QRect filterButtonRect(int logicalIndex) const;   // in the header's coordinates

    QSize sizeHint() const override;

Q_SIGNALS:
    void filterButtonClicked(int logicalIndex, const QPoint &globalPos);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QRect buttonRectIn(const QRect &section) const;
    int buttonAt(const QPoint &pos) const;

    const GridLook *m_look;
    std::function<bool(int)> m_filterable;
    std::function<bool(int)> m_filtered;
    int m_height = 40;
    int m_pressedButton = -1;
    int m_hover = -1;
    bool m_filterButtons = true;
};

/*!
    The row indicator left of the rows: a narrow strip in the indicator style that marks the
    focused row.
*/
class GridIndicator : public QHeaderView
{
    Q_OBJECT

public:
    GridIndicator(const GridLook *look, QWidget *parent = nullptr);

    void applyLook();
    void setIndicatorWidth(int width);
    int indicatorWidth() const { return m_width; }
    void setFocusedSection(int section);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    const GridLook *m_look;
    int m_width = 5;
    int m_focused = -1;
};

} // namespace Mervak
