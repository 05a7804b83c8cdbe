// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridview.h"

#include "datasetmodel.h"
#include "griddelegate.h"
#include "gridheader.h"
#include "gridproxymodel.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace Mervak {

namespace {

constexpr int kExpanderWidth = 24;

} // namespace

GridView::GridView(GridProxyModel *proxy, const GridLook *look, QWidget *parent)
    : QTableView(parent)
    , m_proxy(proxy)
    , m_look(look)
    , m_header(new GridHeader(look, this))
    , m_indicator(new GridIndicator(look, this))
    , m_delegate(new GridDelegate(proxy, look, this))
{
    setHorizontalHeader(m_header);
    setVerticalHeader(m_indicator);
    setModel(proxy);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);          // the delegate draws the lines in the grid's colour
    setWordWrap(true);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setCornerButtonEnabled(false);
    setRowHeight(40);
    applyLook();
}

void GridView::applyLook()
{
    // The corner above the row indicator belongs to the header.
    if (auto *corner = findChild<QAbstractButton *>()) {
        corner->setStyleSheet(
            QStringLiteral("QTableCornerButton::section { background-color: %1; border: none; }")
                .arg(m_look->style.header.name()));
    }
    viewport()->update();
}

void GridView::setRowHeight(int height)
{
    m_indicator->setDefaultSectionSize(qMax(1, height));
}

int GridView::rowHeight() const
{
    return m_indicator->defaultSectionSize();
}

void GridView::applySpans()
{
    // Spans are kept by the view per row; only group header rows carry one.
    const int columns = m_proxy->columnCount();
    std::vector<int> rows;
    for (int g = 0; g < m_proxy->groupCount(); ++g)
        rows.push_back(m_proxy->headerRowOf(g));
    if (rows == m_spannedRows && columns == m_spannedColumns)
        return;
    clearSpans();
    m_spannedRows.clear();
    m_spannedColumns = columns;
    if (columns < 2)
        return;
    for (int row : rows)
        setSpan(row, 0, 1, columns);
    m_spannedRows = std::move(rows);
}

bool GridView::isCheckCell(const QModelIndex &index) const
{
    if (!index.isValid() || m_proxy->rowKind(index.row()) != GridProxyModel::DataRow)
        return false;
    return m_proxy->dataModel()->column(index.column()).kind == ColumnKind::CheckBox;
}

bool GridView::isOnExpander(const QModelIndex &index, const QPoint &pos) const
{
    if (!index.isValid() || m_proxy->rowKind(index.row()) != GridProxyModel::GroupHeaderRow)
        return false;
    const QRect rect = visualRect(index);
    return pos.x() >= rect.left() && pos.x() < rect.left() + kExpanderWidth;
}

void GridView::keyboardSearch(const QString &search)
{
    Q_EMIT searchTyped(search);
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (isCheckCell(index)) {
        Q_EMIT checkClicked(index);
    } else if (isOnExpander(index, pos)) {
        const bool collapsed = index.data(GridProxyModel::GroupCollapsedRole).toBool();
        Q_EMIT groupToggleRequested(index.row(), !collapsed);
    }
}

void GridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        event->accept();
        return;
    }
    // A double click on a check box is one toggle, which the first press made.
    if (isCheckCell(index)) {
        event->accept();
        return;
    }
    switch (m_proxy->rowKind(index.row())) {
    case GridProxyModel::GroupHeaderRow:
        if (!isOnExpander(index, pos)) {
            const bool collapsed = index.data(GridProxyModel::GroupCollapsedRole).toBool();
            Q_EMIT groupToggleRequested(index.row(), !collapsed);
        }
        break;
    case GridProxyModel::DataRow:
        Q_EMIT rowDoubleClicked(index);
        break;
    case GridProxyModel::GroupFooterRow:
        break;
    }
    event->accept();
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    const auto kind = current.isValid() ? m_proxy->rowKind(current.row())
                                        : GridProxyModel::DataRow;
    if (current.isValid() && kind == GridProxyModel::GroupHeaderRow) {
        const bool collapsed = current.data(GridProxyModel::GroupCollapsedRole).toBool();
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Minus:
            if (!collapsed)
                Q_EMIT groupToggleRequested(current.row(), true);
            event->accept();
            return;
        case Qt::Key_Right:
        case Qt::Key_Plus:
            if (collapsed)
                Q_EMIT groupToggleRequested(current.row(), false);
            event->accept();
            return;
        default:
            break;
        }
    }
    switch (event->key()) {
    case Qt::Key_Space:
        if (isCheckCell(current)) {
            Q_EMIT checkClicked(current);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Escape:
        Q_EMIT searchEdited(event->key());
        event->accept();
        return;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void GridView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid() && m_proxy->rowKind(index.row()) == GridProxyModel::DataRow)
        setCurrentIndex(index);
    Q_EMIT contextMenuAt(event->globalPos(), index);
    event->accept();
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    m_indicator->setFocusedSection(current.isValid() ? current.row() : -1);
}

GridFooter::GridFooter(GridView *view, const GridLook *look, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_look(look)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(m_height);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
            qOverload<>(&QWidget::update));
    connect(view->horizontalHeader(), &QHeaderView::sectionCountChanged, this,
            qOverload<>(&QWidget::update));
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
}

void GridFooter::setHeight(int height)
{
    m_height = qMax(1, height);
    setFixedHeight(m_height);
}

QSize GridFooter::sizeHint() const
{
    return QSize(100, m_height);
}

void GridFooter::paintEvent(QPaintEvent *)
{
    const GridStyle &s = m_look->style;
    QPainter p(this);
    p.fillRect(rect(), s.footer);
    p.setPen(s.footerText.lighter(300));
    p.drawLine(rect().topLeft(), rect().topRight());
    if (!m_text)
        return;

    QFont font = this->font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(s.footerText);
    const QHeaderView *header = m_view->horizontalHeader();
    const int left = m_view->viewport()->geometry().left();
    const int right = m_view->viewport()->geometry().right();
    const DataSetModel *model = m_view->proxy()->dataModel();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const QString text = m_text(logical);
        if (text.isEmpty())
            continue;
        const int x = left + header->sectionViewportPosition(logical);
        QRect cell(x, 1, header->sectionSize(logical), height() - 1);
        if (cell.right() < left || cell.left() > right)
            continue;
        p.save();
        p.setClipRect(QRect(QPoint(left, 0), QPoint(right, height())));
        // A sunken box under the column, like the summary cells of the original lists.
        p.setPen(s.footerText.lighter(250));
        p.setBrush(s.footer.lighter(104));
        p.drawRect(cell.adjusted(2, 2, -3, -3));
        p.setPen(s.footerText);
        Qt::Alignment alignment = model->alignment(logical) & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            alignment = Qt::AlignHCenter;
        const QRect area = cell.adjusted(6, 0, -7, 0);
        drawFittedLine(&p, area, text, alignment | Qt::AlignVCenter);
        p.restore();
    }
}

} // namespace Mervak
