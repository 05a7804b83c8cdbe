// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QTableView>
#include <QWidget>

#include <functional>

namespace Mervak {

class GridDelegate;
class GridHeader;
class GridIndicator;
class GridProxyModel;
struct GridLook;

/*!
    The table of a DataGrid: whole-row selection, fixed row heights (so 100,000 rows scroll
    without measuring any), group header rows spanning the width, and the mouse and keyboard
    handling of check boxes, groups and incremental search. What those mean is decided by
    DataGrid; the view only reports them.
*/
class GridView : public QTableView
{
    Q_OBJECT

public:
    GridView(GridProxyModel *proxy, const GridLook *look, QWidget *parent = nullptr);

    GridHeader *gridHeader() const { return m_header; }
    GridIndicator *indicator() const { return m_indicator; }
    GridDelegate *gridDelegate() const { return m_delegate; }
    GridProxyModel *proxy() const { return m_proxy; }

    void applyLook();
    void setRowHeight(int height);
    int rowHeight() const;
    void applySpans();
    bool isCheckCell(const QModelIndex &index) const;
    // True when the point (viewport coordinates) is on the expander of a group header row.
    bool isOnExpander(const QModelIndex &index, const QPoint &pos) const;

    void keyboardSearch(const QString &search) override;

Q_SIGNALS:
    void checkClicked(const QModelIndex &index);
    void groupToggleRequested(int viewRow, bool collapse);
    void rowDoubleClicked(const QModelIndex &index);
    void contextMenuAt(const QPoint &globalPos, const QModelIndex &index);
    void searchTyped(const QString &text);
    void searchEdited(int key);     // Qt::Key_Backspace or Qt::Key_Escape

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    GridProxyModel *m_proxy;
    const GridLook *m_look;
    GridHeader *m_header;
    GridIndicator *m_indicator;
    GridDelegate *m_delegate;
    int m_spannedColumns = 0;
    std::vector<int> m_spannedRows;
};

/*!
    The footer row under the table: the summaries of each column, aligned with the columns
    and following the horizontal scrolling.
*/
class GridFooter : public QWidget
{
    Q_OBJECT

public:
    GridFooter(GridView *view, const GridLook *look, QWidget *parent = nullptr);

    void setHeight(int height);
    void setTextFunction(std::function<QString(int column)> text) { m_text = std::move(text); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GridView *m_view;
    const GridLook *m_look;
    std::function<QString(int column)> m_text;
    int m_height = 26;
};

} // namespace Mervak
