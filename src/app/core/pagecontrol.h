// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QPixmap>
#include <QWidget>

#include <vector>

class QStackedWidget;

namespace Mervak {

class PageControl;

// The tab buttons of a PageControl: fixed-size tabs in as many rows as the width needs.
class PageTabBar : public QWidget
{
    Q_OBJECT

public:
    explicit PageTabBar(PageControl *control);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QRect tabRect(int index) const;   // empty for a hidden tab
    int tabAt(const QPoint &pos) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int perRow(int width) const;
    PageControl *m_control;
    int m_hot = -1;
};

/*!
    The main window's tab control: pages in a stack under multi-line tabs drawn by
    TTabColorControlStyleHook. Captions may carry a count (count "=" title). A page whose tab
    is hidden keeps its place and index but cannot be chosen by a click.

    pageShown is sent for the page that becomes current and pageHidden for the one left, as
    the pages' show and hide handlers expect.
*/
class PageControl : public QWidget
{
    Q_OBJECT

public:
    explicit PageControl(QWidget *parent = nullptr);

    int addPage(QWidget *page, const QString &caption, const QPixmap &picture = QPixmap());
    int count() const { return int(m_pages.size()); }
    QWidget *page(int index) const;
    int indexOf(const QWidget *page) const;

    QString caption(int index) const;
    void setCaption(int index, const QString &caption);
    QPixmap picture(int index) const;
    void setTabVisible(int index, bool visible);
    bool isTabVisible(int index) const;

    int currentIndex() const { return m_current; }
    QWidget *currentPage() const { return page(m_current); }
    void setCurrentIndex(int index);
    void setCurrentPage(QWidget *page) { setCurrentIndex(indexOf(page)); }

    void setTabSize(const QSize &size);
    QSize tabSize() const { return m_tabSize; }
    void setTabFont(const QFont &font);
    QFont tabFont() const { return m_tabFont; }

    PageTabBar *tabBar() const { return m_bar; }

Q_SIGNALS:
    void currentChanged(int index);
    void pageShown(int index);
    void pageHidden(int index);

private:
    friend class PageTabBar;
    struct Page {
        QWidget *widget = nullptr;
        QString caption;
        QPixmap picture;
        bool visible = true;
    };
    std::vector<Page> m_pages;
    PageTabBar *m_bar = nullptr;
    QStackedWidget *m_stack = nullptr;
    QSize m_tabSize{120, 45};
    QFont m_tabFont;
    int m_current = -1;
};

} // namespace Mervak
