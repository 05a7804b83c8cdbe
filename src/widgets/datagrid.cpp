// SPDX-License-Identifier: LicenseRef-Mervak
#include "datagrid.h"

#include "datasetmodel.h"
#include "displayformat.h"
#include "excelexport.h"
#include "griddelegate.h"
#include "gridfilterpopup.h"
#include "gridheader.h"
#include "gridproxymodel.h"
#include "gridview.h"

#include <QApplication>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace Mervak {

namespace {

// Case- and accent-insensitive enough for typing: the dotted and dotless i of Turkish meet.
QString searchFold(const QString &text)
{
    QString folded = text.toCaseFolded();
    for (QChar &c : folded) {
        if (c == QChar(0x0131) || c == QChar(0x0130))
            c = QLatin1Char('i');
    }
    return folded;
}

constexpr int kBestFitSampleRows = 2000;
constexpr int kBestFitMaxWidth = 600;

} // namespace

DataGrid::DataGrid(QWidget *parent)
    : QFrame(parent)
    , m_look(std::make_unique<GridLook>())
    , m_model(new DataSetModel(this))
    , m_proxy(new GridProxyModel(this))
{
    qRegisterMetaType<Mervak::GridRow>();
    setFrameShape(QFrame::StyledPanel);
    m_proxy->setSourceModel(m_model);
    m_view = new GridView(m_proxy, m_look.get(), this);
    m_footer = new GridFooter(m_view, m_look.get(), this);
    m_footerScroll = new QScrollBar(Qt::Horizontal, this);
    m_footer->hide();
    m_footerScroll->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);
    layout->addWidget(m_footerScroll);

    m_proxy->setGroupFooterText([this](int group, int column) -> QString {
        if (group < 0 || group >= int(m_groupFooterTexts.size()))
            return {};
        const auto &texts = m_groupFooterTexts[std::size_t(group)];
        return column >= 0 && column < int(texts.size()) ? texts[std::size_t(column)] : QString();
    });
    m_footer->setTextFunction([this](int column) -> QString {
        return column >= 0 && column < int(m_footerTexts.size()) ? m_footerTexts[std::size_t(column)]
                                                                 : QString();
    });

    GridHeader *header = m_view->gridHeader();
    header->setFilterFunctions(
        [this](int column) {
            if (column < 0 || column >= m_model->columnCount())
                return false;
            const GridColumn &c = m_model->column(column);
            return c.kind != ColumnKind::Picture && (!c.field.isEmpty() || bool(c.text));
        },
        [this](int column) { return m_proxy->isFiltered(column); });
    header->setSortIndicatorClearable(true);
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder) {
        // A drawn column has no value to sort by.
        if (column >= 0 && column < m_model->columnCount() && m_model->column(column).field.isEmpty())
            m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    });

    connect(m_proxy, &GridProxyModel::contentChanged, this, &DataGrid::onContentChanged);
    connect(m_proxy, &QAbstractItemModel::modelAboutToBeReset, this, &DataGrid::onAboutToReset);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &DataGrid::onReset);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataGrid::onCurrentChanged);
    connect(m_view, &GridView::checkClicked, this, &DataGrid::onCheckClicked);
    connect(m_view, &GridView::groupToggleRequested, this, &DataGrid::onGroupToggle);
    connect(m_view, &GridView::rowDoubleClicked, this, [this](const QModelIndex &index) {
        const int row = m_proxy->sourceRow(index.row());
        if (row >= 0)
            Q_EMIT rowDoubleClicked(m_model->gridRow(row, index.column()));
    });
    connect(m_view, &GridView::contextMenuAt, this, &DataGrid::onContextMenu);
    connect(m_view, &GridView::searchTyped, this, &DataGrid::onSearchTyped);
    connect(m_view, &GridView::searchEdited, this, &DataGrid::onSearchEdited);
    connect(header, &QWidget::customContextMenuRequested, this, &DataGrid::onHeaderMenu);
    connect(header, &GridHeader::filterButtonClicked, this, &DataGrid::onFilterButton);

    QScrollBar *inner = m_view->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, [this] { updateFooterScrolling(); });
    connect(inner, &QScrollBar::valueChanged, m_footerScroll, &QScrollBar::setValue);
    connect(m_footerScroll, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);

    m_view->viewport()->installEventFilter(this);
    setSortingEnabled(true);
    setHeaderHeight(40);
    setRowHeight(40);
    applyLook();
}

DataGrid::~DataGrid()
{
    // The view and the models go before the data set the grid may own.
    disconnect(m_proxy, nullptr, this, nullptr);
    delete m_view;
    m_view = nullptr;
    m_model->setDataSet(nullptr);
}

// --- columns

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    // Sorting, filters and grouping name columns of the old table.
    m_proxy->clearFilters();
    m_proxy->setGroupColumn(-1);
    clearSort();
    m_model->setColumns(columns);
    applyColumns();
}

const QList<GridColumn> &DataGrid::columns() const
{
    return m_model->columns();
}

void DataGrid::applyColumns()
{
    QHeaderView *header = m_view->horizontalHeader();
    const QList<GridColumn> &cols = m_model->columns();
    for (int i = 0; i < cols.size(); ++i) {
        header->resizeSection(i, cols.at(i).width > 0 ? cols.at(i).width : 84);
        header->setSectionHidden(i, !cols.at(i).shown);
    }
    m_view->applySpans();
    recomputeSummaries();
}

int DataGrid::columnIndex(const QString &key) const
{
    return m_model->columnOfKey(key);
}

bool DataGrid::setColumnShown(const QString &key, bool shown)
{
    const int c = columnIndex(key);
    if (c < 0)
        return false;
    m_model->setColumnShown(c, shown);
    m_view->horizontalHeader()->setSectionHidden(c, !shown);
    if (m_autoWidth)
        fitColumnsToWidth();
    m_footer->update();
    Q_EMIT columnsChanged();
    return true;
}

bool DataGrid::setColumnOffered(const QString &key, bool offered)
{
    const int c = columnIndex(key);
    if (c < 0)
        return false;
    m_model->setColumnOffered(c, offered);
    Q_EMIT columnsChanged();
    return true;
}

bool DataGrid::isColumnShown(const QString &key) const
{
    const int c = columnIndex(key);
    return c >= 0 && !m_view->horizontalHeader()->isSectionHidden(c);
}

bool DataGrid::isColumnOffered(const QString &key) const
{
    const int c = columnIndex(key);
    return c >= 0 && m_model->column(c).offered;
}

void DataGrid::setColumnWidth(const QString &key, int width)
{
    const int c = columnIndex(key);
    if (c >= 0)
        m_view->horizontalHeader()->resizeSection(c, qMax(0, width));
}

int DataGrid::columnWidth(const QString &key) const
{
    const int c = columnIndex(key);
    return c < 0 ? 0 : m_view->horizontalHeader()->sectionSize(c);
}

QList<int> DataGrid::visibleColumnIndexes() const
{
    QList<int> indexes;
    const QHeaderView *header = m_view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            indexes << logical;
    }
    return indexes;
}

QStringList DataGrid::visibleColumns() const
{
    QStringList keys;
    for (int c : visibleColumnIndexes())
        keys << m_model->column(c).key();
    return keys;
}

QStringList DataGrid::chooserColumns() const
{
    QStringList keys;
    for (const GridColumn &c : m_model->columns()) {
        if (c.offered)
            keys << c.key();
    }
    return keys;
}

QMenu *DataGrid::createHeaderMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->addSection(QStringLiteral("Sütunlar"));
    const QList<GridColumn> &cols = m_model->columns();
    for (int i = 0; i < cols.size(); ++i) {
        const GridColumn &c = cols.at(i);
        if (!c.offered)
            continue;
        QAction *action = menu->addAction(c.chooserText());
        action->setCheckable(true);
        action->setChecked(!m_view->horizontalHeader()->isSectionHidden(i));
        action->setData(c.key());
        const QString key = c.key();
        connect(action, &QAction::toggled, this, [this, key](bool on) { setColumnShown(key, on); });
    }
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("En Uygun Genişlik")), &QAction::triggered, this,
            &DataGrid::bestFit);
    if (isFiltered()) {
        connect(menu->addAction(QStringLiteral("Filtreyi Temizle")), &QAction::triggered, this,
                [this] { clearFilter(); });
    }
    if (isSortingEnabled() && m_proxy->sortColumn() >= 0) {
        connect(menu->addAction(QStringLiteral("Sıralamayı Kaldır")), &QAction::triggered, this,
                &DataGrid::clearSort);
    }
    if (m_proxy->groupColumn() >= 0) {
        connect(menu->addAction(QStringLiteral("Tüm Grupları Aç")), &QAction::triggered, this,
                &DataGrid::expandAllGroups);
        connect(menu->addAction(QStringLiteral("Tüm Grupları Kapat")), &QAction::triggered, this,
                &DataGrid::collapseAllGroups);
    }
    return menu;
}

void DataGrid::onHeaderMenu(const QPoint &pos)
{
    QMenu *menu = createHeaderMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_view->horizontalHeader()->mapToGlobal(pos));
}

// --- data

void DataGrid::setDataSet(DataSet *dataSet)
{
    std::unique_ptr<DataSet> previous;
    if (dataSet != m_ownData.get())
        previous = std::move(m_ownData);   // freed once the model has let go of it
    m_model->setDataSet(dataSet);
}

DataSet *DataGrid::dataSet() const
{
    return m_model->boundDataSet();
}

void DataGrid::detach()
{
    m_model->setAttached(false);
}

void DataGrid::attach()
{
    m_model->setAttached(true);
}

bool DataGrid::isAttached() const
{
    return m_model->isAttached();
}

void DataGrid::beginUpdate()
{
    if (m_updateDepth++ == 0) {
        m_view->setUpdatesEnabled(false);
        m_footer->setUpdatesEnabled(false);
    }
}

void DataGrid::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth > 0)
        return;
    if (m_summariesDirty)
        recomputeSummaries();
    m_view->applySpans();
    m_view->setUpdatesEnabled(true);
    m_footer->setUpdatesEnabled(true);
    m_view->viewport()->update();
    m_footer->update();
}

void DataGrid::setUnboundFields(const QList<FieldDef> &fields)
{
    auto data = std::make_unique<DataSet>();
    for (const FieldDef &f : fields) {
        const int column = data->addField(f.name, f.type, f.size);
        if (!f.displayFormat.isEmpty())
            data->setDisplayFormat(column, f.displayFormat);
    }
    data->open();
    m_model->setDataSet(data.get());
    m_ownData = std::move(data);
}

int DataGrid::appendRow(const QVariantMap &values)
{
    DataSet *ds = m_ownData ? m_ownData.get() : dataSet();
    if (!ds)
        return -1;
    ds->disableControls();   // one reset for the whole row
    const int row = ds->appendRow();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const int f = ds->fieldIndex(it.key());
        if (f >= 0)
            ds->setValue(row, f, it.value());
    }
    ds->enableControls();
    return row;
}

void DataGrid::clearRows()
{
    if (DataSet *ds = m_ownData ? m_ownData.get() : dataSet())
        ds->clearRows();
}

// --- look

void DataGrid::applyLook()
{
    m_view->gridHeader()->applyLook();
    m_view->indicator()->applyLook();
    m_view->applyLook();
    m_footer->update();
}

void DataGrid::setGridStyle(const GridStyle &style)
{
    m_look->style = style;
    applyLook();
}

const GridStyle &DataGrid::gridStyle() const
{
    return m_look->style;
}

void DataGrid::setEvenRowsAlternate(bool on)
{
    m_look->evenRowsAlternate = on;
    m_view->viewport()->update();
}

void DataGrid::setAlternatingRows(bool on)
{
    m_look->alternatingRows = on;
    m_view->viewport()->update();
}

void DataGrid::setGridLines(bool on)
{
    m_look->gridLines = on;
    m_view->viewport()->update();
}

void DataGrid::setRowHeight(int height)
{
    m_view->setRowHeight(height);
}

int DataGrid::rowHeight() const
{
    return m_view->rowHeight();
}

void DataGrid::setHeaderHeight(int height)
{
    m_view->gridHeader()->setHeight(height);
}

int DataGrid::headerHeight() const
{
    return m_view->gridHeader()->height();
}

void DataGrid::setHeaderVisible(bool on)
{
    m_view->horizontalHeader()->setVisible(on);
}

void DataGrid::setIndicatorWidth(int width)
{
    m_view->indicator()->setIndicatorWidth(width);
    m_view->verticalHeader()->setVisible(width > 0);
}

void DataGrid::setScrollPerPixel(bool on)
{
    m_view->setVerticalScrollMode(on ? QAbstractItemView::ScrollPerPixel
                                     : QAbstractItemView::ScrollPerItem);
}

void DataGrid::setPictureSize(int size)
{
    m_look->pictureSize = size;
    m_view->viewport()->update();
}

// --- footer and summaries

void DataGrid::setFooterVisible(bool on)
{
    m_footerVisible = on;
    m_footer->setVisible(on);
    updateFooterScrolling();
}

void DataGrid::setFooterHeight(int height)
{
    m_footer->setHeight(height);
}

void DataGrid::updateFooterScrolling()
{
    // With a footer the table's own scroll bar would sit between the rows and the footer;
    // a bar of our own under the footer follows it instead.
    QScrollBar *inner = m_view->horizontalScrollBar();
    m_view->setHorizontalScrollBarPolicy(m_footerVisible ? Qt::ScrollBarAlwaysOff
                                                         : Qt::ScrollBarAsNeeded);
    m_footerScroll->setRange(inner->minimum(), inner->maximum());
    m_footerScroll->setPageStep(inner->pageStep());
    m_footerScroll->setSingleStep(inner->singleStep());
    m_footerScroll->setValue(inner->value());
    m_footerScroll->setVisible(m_footerVisible && inner->maximum() > inner->minimum());
}

void DataGrid::setFooterSummaries(const QList<GridSummary> &summaries)
{
    m_footerSummaries = summaries;
    recomputeSummaries();
}

void DataGrid::setGroupSummaries(const QList<GridSummary> &summaries)
{
    m_groupSummaries = summaries;
    recomputeSummaries();
}

double DataGrid::summaryValueOver(const GridSummary &summary, std::size_t first,
                                  std::size_t count) const
{
    if (summary.kind == SummaryKind::Count)
        return double(count);
    const DataSet *ds = m_model->dataSet();
    if (!ds)
        return 0.0;
    int f = -1;
    if (!summary.field.isEmpty())
        f = ds->fieldIndex(summary.field);
    else
        f = m_model->fieldColumn(columnIndex(summary.column));
    if (f < 0)
        return 0.0;
    const std::vector<int> &rows = m_proxy->orderedRows();
    double sum = 0.0;
    for (std::size_t i = first; i < first + count && i < rows.size(); ++i) {
        if (rows[i] < ds->rowCount())
            sum += ds->doubleAt(rows[i], f);
    }
    return sum;
}

QString DataGrid::summaryTextOver(const GridSummary &summary, std::size_t first,
                                  std::size_t count) const
{
    const double value = summaryValueOver(summary, first, count);
    if (summary.kind == SummaryKind::Count)
        return QLocale().toString(qint64(count));
    const DataSet *ds = m_model->dataSet();
    if (!ds)
        return {};
    int f = !summary.field.isEmpty() ? ds->fieldIndex(summary.field)
                                     : m_model->fieldColumn(columnIndex(summary.column));
    if (f < 0)
        return {};
    const FieldDef &def = ds->field(f);
    const QString format = summary.format.isEmpty() ? def.displayFormat : summary.format;
    if (!format.isEmpty())
        return formatFloat(format, value);
    if (def.type == FieldType::Integer || def.type == FieldType::LargeInt)
        return QLocale().toString(qint64(std::llround(value)));
    return QLocale().toString(value, 'g', 15);
}

double DataGrid::summaryValue(const GridSummary &summary, int group) const
{
    if (group >= 0 && group < m_proxy->groupCount()) {
        const auto &g = m_proxy->group(group);
        return summaryValueOver(summary, std::size_t(g.first), std::size_t(g.count));
    }
    return summaryValueOver(summary, 0, m_proxy->orderedRows().size());
}

QString DataGrid::summaryText(const GridSummary &summary, int group) const
{
    if (group >= 0 && group < m_proxy->groupCount()) {
        const auto &g = m_proxy->group(group);
        return summaryTextOver(summary, std::size_t(g.first), std::size_t(g.count));
    }
    return summaryTextOver(summary, 0, m_proxy->orderedRows().size());
}

void DataGrid::recomputeSummaries()
{
    if (m_updateDepth > 0) {
        m_summariesDirty = true;
        return;
    }
    m_summariesDirty = false;
    const int columns = m_model->columnCount();
    auto place = [&](std::vector<QString> &texts, const GridSummary &s, const QString &text) {
        const int c = columnIndex(s.column);
        if (c < 0)
            return;
        QString &slot = texts[std::size_t(c)];
        slot = slot.isEmpty() ? text : slot + QStringLiteral("  ") + text;
    };
    m_footerTexts.assign(std::size_t(columns), QString());
    if (m_model->dataSet()) {
        for (const GridSummary &s : std::as_const(m_footerSummaries))
            place(m_footerTexts, s, summaryText(s));
    }
    m_groupFooterTexts.assign(std::size_t(m_proxy->groupCount()),
                              std::vector<QString>(std::size_t(columns)));
    for (int g = 0; g < m_proxy->groupCount(); ++g) {
        for (const GridSummary &s : std::as_const(m_groupSummaries))
            place(m_groupFooterTexts[std::size_t(g)], s, summaryText(s, g));
    }
    m_footer->update();
}

QString DataGrid::footerText(const QString &columnKey) const
{
    const int c = columnIndex(columnKey);
    if (c < 0 || c >= int(m_footerTexts.size()) || !m_footerVisible
        || m_view->horizontalHeader()->isSectionHidden(c))
        return {};
    return m_footerTexts[std::size_t(c)];
}

// --- sorting, filtering, searching

void DataGrid::setSortingEnabled(bool on)
{
    QHeaderView *header = m_view->horizontalHeader();
    if (on && !m_view->isSortingEnabled()) {
        // Enabling sorts by the header's indicator at once; keep the data set's order.
        header->setSortIndicator(m_proxy->sortColumn(), m_proxy->sortOrder());
    }
    m_view->setSortingEnabled(on);
    header->setSortIndicatorShown(on);
}

bool DataGrid::isSortingEnabled() const
{
    return m_view->isSortingEnabled();
}

void DataGrid::sortBy(const QString &key, Qt::SortOrder order)
{
    const int c = columnIndex(key);
    if (m_view->isSortingEnabled())
        m_view->horizontalHeader()->setSortIndicator(c, order);
    else
        m_proxy->sort(c, order);
}

void DataGrid::clearSort()
{
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (m_proxy->sortColumn() >= 0)
        m_proxy->sort(-1);
}

void DataGrid::setFilterButtons(bool on)
{
    m_view->gridHeader()->setFilterButtons(on);
}

void DataGrid::setColumnFilter(const QString &key, const QStringList &texts)
{
    const int c = columnIndex(key);
    if (c >= 0)
        m_proxy->setFilter(c, QSet<QString>(texts.begin(), texts.end()));
    m_view->horizontalHeader()->viewport()->update();
}

void DataGrid::clearFilter(const QString &key)
{
    if (key.isEmpty())
        m_proxy->clearFilters();
    else if (const int c = columnIndex(key); c >= 0)
        m_proxy->clearFilter(c);
    m_view->horizontalHeader()->viewport()->update();
}

bool DataGrid::isFiltered() const
{
    return m_proxy->isFiltered();
}

QStringList DataGrid::distinctValues(const QString &key) const
{
    const int c = columnIndex(key);
    return c < 0 ? QStringList() : m_proxy->distinctTexts(c);
}

GridFilterPopup *DataGrid::showFilterPopup(const QString &key)
{
    const int c = columnIndex(key);
    if (c < 0)
        return nullptr;
    QHeaderView *header = m_view->horizontalHeader();
    const QPoint at = header->mapToGlobal(
        QPoint(header->sectionViewportPosition(c), header->height()));
    onFilterButton(c, at);
    return findChildren<GridFilterPopup *>().value(0);
}

void DataGrid::onFilterButton(int column, const QPoint &globalPos)
{
    for (GridFilterPopup *old : findChildren<GridFilterPopup *>())
        old->close();
    auto *popup = new GridFilterPopup(m_proxy->distinctTexts(column), m_proxy->filter(column),
                                      m_proxy->isFiltered(column), this);
    connect(popup, &GridFilterPopup::applied, this,
            [this, column](const QSet<QString> &values, bool all) {
                if (all)
                    m_proxy->clearFilter(column);
                else
                    m_proxy->setFilter(column, values);
                m_view->horizontalHeader()->viewport()->update();
            });
    QPoint at = globalPos;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        at.setX(qMin(at.x(), area.right() - popup->width()));
        at.setY(qMin(at.y(), area.bottom() - popup->height()));
    }
    popup->move(at);
    popup->show();
}

void DataGrid::setIncrementalSearch(bool on)
{
    m_incrementalSearch = on;
    m_searchText.clear();
}

int DataGrid::searchColumn() const
{
    const QModelIndex current = m_view->currentIndex();
    auto searchable = [this](int c) {
        const GridColumn &col = m_model->column(c);
        return !m_view->horizontalHeader()->isSectionHidden(c) && !col.isPicture()
               && col.kind != ColumnKind::CheckBox && col.kind != ColumnKind::Picture
               && (!col.field.isEmpty() || bool(col.text));
    };
    if (current.isValid() && searchable(current.column()))
        return current.column();
    for (int c : visibleColumnIndexes()) {
        if (searchable(c))
            return c;
    }
    return -1;
}

bool DataGrid::incrementalSearch(const QString &text)
{
    const int column = searchColumn();
    if (column < 0 || text.isEmpty())
        return false;
    const QString wanted = searchFold(text);
    const int rows = m_proxy->rowCount();
    for (int viewRow = 0; viewRow < rows; ++viewRow) {
        const int row = m_proxy->sourceRow(viewRow);
        if (row < 0)
            continue;
        if (searchFold(m_model->cellText(row, column)).startsWith(wanted))
            return focusViewRow(viewRow, column);
    }
    return false;
}

void DataGrid::onSearchTyped(const QString &text)
{
    if (!m_incrementalSearch || text.isEmpty() || !text.at(0).isPrint())
        return;
    if (!m_searchTimer.isValid()
        || m_searchTimer.elapsed() > QApplication::keyboardInputInterval() * 2)
        m_searchText.clear();
    m_searchTimer.start();
    // A character that leads nowhere is refused; the text typed so far stays.
    const QString candidate = m_searchText + text;
    if (incrementalSearch(candidate))
        m_searchText = candidate;
}

void DataGrid::onSearchEdited(int key)
{
    if (key == Qt::Key_Escape || m_searchText.isEmpty()) {
        m_searchText.clear();
        return;
    }
    m_searchText.chop(1);
    m_searchTimer.start();
    if (!m_searchText.isEmpty())
        incrementalSearch(m_searchText);
}

// --- groups

void DataGrid::setGroupColumn(const QString &key)
{
    m_proxy->setGroupColumn(key.isEmpty() ? -1 : columnIndex(key));
}

QString DataGrid::groupColumn() const
{
    const int c = m_proxy->groupColumn();
    return c < 0 ? QString() : m_model->column(c).key();
}

int DataGrid::groupCount() const
{
    return m_proxy->groupCount();
}

QString DataGrid::groupValue(int group) const
{
    return group >= 0 && group < groupCount() ? m_proxy->group(group).value : QString();
}

int DataGrid::groupRowCount(int group) const
{
    return group >= 0 && group < groupCount() ? m_proxy->group(group).count : 0;
}

bool DataGrid::isGroupCollapsed(int group) const
{
    return group >= 0 && group < groupCount() && m_proxy->group(group).collapsed;
}

void DataGrid::setGroupCollapsed(int group, bool collapsed)
{
    m_proxy->setGroupCollapsed(group, collapsed);
}

void DataGrid::collapseAllGroups()
{
    m_proxy->setAllGroupsCollapsed(true);
}

void DataGrid::expandAllGroups()
{
    m_proxy->setAllGroupsCollapsed(false);
}

QString DataGrid::groupFooterText(int group, const QString &columnKey) const
{
    const int c = columnIndex(columnKey);
    if (group < 0 || group >= int(m_groupFooterTexts.size()) || c < 0)
        return {};
    return m_groupFooterTexts[std::size_t(group)][std::size_t(c)];
}

void DataGrid::onGroupToggle(int viewRow, bool collapse)
{
    const int g = m_proxy->groupOf(viewRow);
    if (g >= 0)
        m_proxy->setGroupCollapsed(g, collapse);
}

// --- layout

int DataGrid::weightUnit(int width, int weightSum)
{
    if (weightSum <= 0 || width <= 30)
        return 0;
    return int(std::floor(double(width - 30) / double(weightSum)));
}

int DataGrid::layoutByWeights(int width)
{
    if (width < 0)
        width = this->width();
    const QList<int> visible = visibleColumnIndexes();
    int sum = 0;
    for (int c : visible)
        sum += qMax(0, m_model->column(c).weight);
    const int unit = weightUnit(width, sum);
    if (unit <= 0)
        return 0;
    QHeaderView *header = m_view->horizontalHeader();
    for (int c : visible) {
        const int weight = m_model->column(c).weight;
        if (weight > 0)
            header->resizeSection(c, weight * unit);
    }
    return unit;
}

void DataGrid::bestFit()
{
    QHeaderView *header = m_view->horizontalHeader();
    const QFontMetrics cellMetrics(m_view->font());
    const QFontMetrics headerMetrics(m_look->style.headerFont);
    const int rows = qMin(m_proxy->rowCount(), kBestFitSampleRows);
    for (int c : visibleColumnIndexes()) {
        const GridColumn &col = m_model->column(c);
        int width = headerMetrics.horizontalAdvance(col.headerText()) + 12;
        if (m_view->gridHeader()->filterButtons())
            width += 18;
        if (isSortingEnabled())
            width += 10;
        switch (col.kind) {
        case ColumnKind::StatusPicture:
        case ColumnKind::PictureMark:
        case ColumnKind::YesNoPicture:
            width = qMax(width, m_look->pictureSize + 10);
            break;
        case ColumnKind::CheckBox:
            width = qMax(width, m_look->checkSize + 10);
            break;
        case ColumnKind::Picture:
            width = qMax(width, header->sectionSize(c));
            break;
        case ColumnKind::Drawn:
            if (!col.text) {
                width = qMax(width, header->sectionSize(c));
                break;
            }
            [[fallthrough]];
        default:
            for (int viewRow = 0; viewRow < rows; ++viewRow) {
                const int row = m_proxy->sourceRow(viewRow);
                if (row < 0)
                    continue;
                const QStringList lines = m_model->cellText(row, c).split(QLatin1Char('\n'));
                for (const QString &line : lines)
                    width = qMax(width, cellMetrics.horizontalAdvance(line.trimmed()) + 12);
            }
            break;
        }
        header->resizeSection(c, qMin(width, kBestFitMaxWidth));
    }
}

void DataGrid::setAutoWidth(bool on)
{
    m_autoWidth = on;
    if (on)
        fitColumnsToWidth();
}

void DataGrid::fitColumnsToWidth()
{
    const QList<int> visible = visibleColumnIndexes();
    int declared = 0;
    for (int c : visible)
        declared += qMax(1, m_model->column(c).width);
    const int available = m_view->viewport()->width();
    if (visible.isEmpty() || available <= 0)
        return;
    QHeaderView *header = m_view->horizontalHeader();
    int used = 0;
    for (int i = 0; i < visible.size(); ++i) {
        const int c = visible.at(i);
        const int width = i == visible.size() - 1
                              ? available - used
                              : int(qint64(available) * qMax(1, m_model->column(c).width) / declared);
        header->resizeSection(c, qMax(8, width));
        used += width;
    }
}

void DataGrid::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Q_EMIT resized(event->size().width());
}

bool DataGrid::eventFilter(QObject *watched, QEvent *event)
{
    // The rows' width changes with the grid and with the vertical scroll bar coming and going.
    if (m_autoWidth && watched == m_view->viewport() && event->type() == QEvent::Resize)
        fitColumnsToWidth();
    return QFrame::eventFilter(watched, event);
}

// --- rows

int DataGrid::rowCount() const
{
    return int(m_proxy->orderedRows().size());
}

std::vector<int> DataGrid::rows() const
{
    return m_proxy->orderedRows();
}

GridRow DataGrid::focusedRow() const
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return {};
    const int row = m_proxy->sourceRow(current.row());
    return row < 0 ? GridRow() : m_model->gridRow(row, current.column());
}

bool DataGrid::focusViewRow(int viewRow, int column)
{
    if (viewRow < 0 || viewRow >= m_proxy->rowCount())
        return false;
    if (column < 0 || m_view->horizontalHeader()->isSectionHidden(column)) {
        const QModelIndex current = m_view->currentIndex();
        column = current.isValid() ? current.column() : -1;
        if (column < 0 || m_view->horizontalHeader()->isSectionHidden(column)) {
            const QList<int> visible = visibleColumnIndexes();
            column = visible.isEmpty() ? 0 : visible.first();
        }
    }
    const QModelIndex index = m_proxy->index(viewRow, column);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
    return true;
}

bool DataGrid::focusRow(int dataSetRow)
{
    return focusViewRow(m_proxy->viewRowOf(dataSetRow));
}

GridRow DataGrid::rowAt(int dataSetRow) const
{
    return m_model->gridRow(dataSetRow);
}

void DataGrid::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
}

void DataGrid::onContextMenu(const QPoint &globalPos, const QModelIndex &index)
{
    const int row = index.isValid() ? m_proxy->sourceRow(index.row()) : -1;
    const GridRow gridRow = row >= 0 ? m_model->gridRow(row, index.column()) : GridRow();
    Q_EMIT contextMenuRequested(globalPos, gridRow);
    if (m_contextMenu)
        m_contextMenu->popup(globalPos);
}

void DataGrid::onCheckClicked(const QModelIndex &index)
{
    const int row = m_proxy->sourceRow(index.row());
    const int f = m_model->fieldColumn(index.column());
    const DataSet *ds = m_model->dataSet();
    if (row < 0 || f < 0 || !ds || !isEnabled())
        return;
    const int wanted = ds->intAt(row, f) == 1 ? 0 : 1;
    Q_EMIT checkToggled(m_model->gridRow(row, index.column()), m_model->column(index.column()).key(),
                        wanted);
}

void DataGrid::onContentChanged()
{
    m_view->applySpans();
    recomputeSummaries();
}

void DataGrid::onAboutToReset()
{
    const QModelIndex current = m_view->currentIndex();
    m_resetFocusRow = current.isValid() ? m_proxy->sourceRow(current.row()) : -1;
}

void DataGrid::onReset()
{
    m_searchText.clear();
    // Keep the focused record when it is still shown, else focus the first row, as a list
    // does after a load.
    int viewRow = m_proxy->viewRowOf(m_resetFocusRow);
    if (viewRow < 0 && m_proxy->rowCount() > 0)
        viewRow = 0;
    m_resetFocusRow = -1;
    m_lastFocused = -2;   // the rows are new: report the focus again
    if (viewRow >= 0)
        focusViewRow(viewRow);
    else
        onCurrentChanged();
}

void DataGrid::onCurrentChanged()
{
    const GridRow row = focusedRow();
    const QModelIndex current = m_view->currentIndex();
    const int key = current.isValid() ? (row.isValid() ? row.row() : -3 - current.row()) : -1;
    if (key == m_lastFocused)
        return;
    m_lastFocused = key;
    Q_EMIT focusedRowChanged(row);
}

// --- export

bool DataGrid::exportToExcel(const QString &path, QString *error) const
{
    return exportGridToExcel(*this, path, error);
}

} // namespace Mervak
