// SPDX-License-Identifier: LicenseRef-Mervak
#include "datagrid.h"
#include "datasetmodel.h"
#include "displayformat.h"
#include "excelexport.h"
#include "gridfilterpopup.h"
#include "gridpictures.h"
#include "gridproxymodel.h"
#include "gridview.h"
#include "messagedialog.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using namespace Mervak;

namespace {

// Five items of two makes and three brands, in the order a server would send them.
std::unique_ptr<DataSet> makeItems()
{
    auto ds = std::make_unique<DataSet>();
    ds->addField("SEC", FieldType::Integer);
    ds->addField("STOK_STOKNO", FieldType::Integer);
    ds->addField("DURUM", FieldType::Integer);
    ds->addField("ADI", FieldType::String);
    ds->addField("MARKA", FieldType::String);
    ds->setDisplayFormat(ds->addField("MIKTAR", FieldType::Float), MoneyFormat);
    ds->setDisplayFormat(ds->addField("TUTAR", FieldType::Float), MoneyFormat);
    ds->addField("TARIH", FieldType::Date);
    struct Item { int sec; int no; int status; const char *name; const char *brand; double qty;
                  double amount; QDate date; };
    const Item items[] = {
        {0, 10, 1, "YAĞ FİLTRESİ", "BOSCH", 2, 1234.5, QDate(2024, 3, 1)},
        {1, 9, 0, "İNCE CONTA", "VALEO", 1, 10.25, QDate(2024, 1, 15)},
        {0, 100, 3, "FREN BALATASI", "BOSCH", 5, 99.99, QDate(2024, 2, 10)},
        {1, 25, 5, "ISI SENSÖRÜ", "MAHLE", 3, 0.1, QDate(2023, 12, 31)},
        {0, 7, 2, "FAR AMPULÜ", "VALEO", 4, 5000, QDate(2024, 3, 2)},
    };
    ds->disableControls();
    for (const Item &it : items) {
        const int r = ds->appendRow();
        ds->setInt(r, 0, it.sec);
        ds->setInt(r, 1, it.no);
        ds->setInt(r, 2, it.status);
        ds->setString(r, 3, QString::fromUtf8(it.name));
        ds->setString(r, 4, QString::fromUtf8(it.brand));
        ds->setDouble(r, 5, it.qty);
        ds->setDouble(r, 6, it.amount);
        ds->setValue(r, 7, it.date);
    }
    ds->enableControls();
    return ds;
}

QList<GridColumn> itemColumns()
{
    return {
        {.field = "SEC", .caption = "Seç", .offered = false, .kind = ColumnKind::CheckBox},
        {.field = "STOK_STOKNO", .weight = 1, .shown = false, .offered = false},
        {.field = "DURUM", .caption = "Durum", .kind = ColumnKind::StatusPicture},
        {.field = "ADI", .caption = "Açıklama", .weight = 3, .kind = ColumnKind::WrappedText},
        {.field = "MARKA", .caption = "Marka", .weight = 2},
        {.field = "MIKTAR", .caption = "Miktar"},
        {.field = "TUTAR", .caption = "Tutar", .weight = 2},
        {.field = "TARIH", .caption = "Tarih", .shown = false},
        {.field = "KALAN", .shown = false, .offered = false},
        {.field = "MARKA", .caption = "Marka 2", .shown = false, .offered = false,
         .name = "MARKA2"},
    };
}

// A grid on the items, shown so that mouse and keyboard reach it.
struct Fixture
{
    std::unique_ptr<DataSet> data = makeItems();
    std::unique_ptr<DataGrid> grid = std::make_unique<DataGrid>();

    Fixture()
    {
        grid->setColumns(itemColumns());
        grid->setDataSet(data.get());
        grid->resize(900, 400);
    }
    bool show()
    {
        grid->show();
        return QTest::qWaitForWindowExposed(grid.get());
    }
    QStringList column(const QString &field) const
    {
        QStringList texts;
        for (int row : grid->rows())
            texts << grid->rowAt(row).text(field);
        return texts;
    }
    QPoint cellCentre(int dataSetRow, const QString &key) const
    {
        GridView *view = grid->view();
        const QModelIndex index = grid->proxyModel()->index(
            grid->proxyModel()->viewRowOf(dataSetRow), grid->columnIndex(key));
        return view->visualRect(index).center();
    }
};

bool haveOpenpyxl()
{
    return QProcess::execute("/usr/bin/python3", {"-c", "import openpyxl"}) == 0;
}

// Reads a workbook back with openpyxl: per row, per cell [value, type name, number format].
QJsonArray readWorkbook(const QString &path)
{
    const char *script = R"(
import datetime, json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
rows = []
for row in ws.iter_rows():
    cells = []
    for c in row:
        v = c.value
        t = type(v).__name__
        if isinstance(v, (datetime.datetime, datetime.date)):
            v = v.isoformat()
        cells.append([v, t, c.number_format])
    rows.append(cells)
print(json.dumps({"title": ws.title, "rows": rows}))
)";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    const QJsonObject result = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    return result.value("rows").toArray();
}

} // namespace

class tst_Grid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void modelsKeepTheirContract();
    void weightLayout_data();
    void weightLayout();
    void autoWidthFillsTheRows();
    void bestFitWidensToContent();
    void chooserOffersOnlyOfferedColumns();
    void userTypeSwitchesByName();
    void footerSumsAndCounts();
    void sortingByValueAndTurnedOff();
    void filtering();
    void filterPopupAppliesTheTickedValues();
    void incrementalSearch();
    void checkBoxAsksForToggle();
    void rowSignalsGiveValuesByField();
    void groupingTotalsAndCollapse();
    void detachedGridLeavesTheDataSetAlone();
    void unboundRowsAddedByCode();
    void statusPictures();

    void excelFileName_data();
    void excelFileName();
    void excelNumberFormat_data();
    void excelNumberFormat();
    void exportedWorkbookReadsBack();
    void exportOfGroupsAndFooters();
    void exportToUnwritableTarget();
};

void tst_Grid::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

// Qt's model checker runs along every change the grid makes to its two models: sorting,
// filtering, grouping, collapsing, value changes, reloads and detaching.
void tst_Grid::modelsKeepTheirContract()
{
    Fixture f;
    QAbstractItemModelTester sourceTester(f.grid->model(),
                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester proxyTester(f.grid->proxyModel(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(f.show());
    f.grid->sortBy("TUTAR", Qt::DescendingOrder);
    f.data->setDouble(0, 6, 7.5);   // moves the row within the sorted view
    f.grid->setColumnFilter("MARKA", {"BOSCH", "VALEO"});
    f.grid->setGroupColumn("MARKA");
    f.grid->collapseAllGroups();
    f.grid->setGroupCollapsed(1, false);
    f.data->setInt(1, 0, 0);
    f.grid->expandAllGroups();
    f.grid->clearFilter();
    f.grid->setGroupColumn(QString());
    f.grid->detach();
    f.grid->attach();
    f.data->clearRows();
    QCOMPARE(f.grid->rowCount(), 0);
}

void tst_Grid::weightLayout_data()
{
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<int>("unit");

    // The stock list's start columns in the wide layout: 1000 / 19 = 52.6, cut to 52.
    QTest::newRow("sum 19") << QList<int>{1, 2, 3, 1, 1, 2, 2, 1, 1, 2, 3} << 52;
    QTest::newRow("sum 20") << QList<int>{2, 2, 3, 2, 1, 2, 2, 2, 2, 2} << 50;
    QTest::newRow("narrow, sum 18") << QList<int>{1, 2, 3, 1, 1, 2, 2, 1, 1, 2, 2} << 55;
    QTest::newRow("nothing to share") << QList<int>{0, 0} << 0;
}

void tst_Grid::weightLayout()
{
    QFETCH(QList<int>, weights);
    QFETCH(int, unit);

    QList<GridColumn> columns;
    for (int i = 0; i < weights.size(); ++i)
        columns.append({.field = QString("F%1").arg(i), .weight = weights.at(i), .width = 77});
    columns.append({.field = "HIDDEN", .weight = 5, .shown = false, .width = 33});
    DataGrid grid;
    grid.setColumns(columns);
    grid.resize(1030, 300);
    QCOMPARE(grid.layoutByWeights(), unit);
    for (int i = 0; i < weights.size(); ++i) {
        // A shown column of weight 0 keeps its width rather than disappearing.
        const int expected = weights.at(i) > 0 && unit > 0 ? weights.at(i) * unit : 77;
        QCOMPARE(grid.columnWidth(QString("F%1").arg(i)), expected);
    }
    // Hidden columns are left alone.
    grid.setColumnShown("HIDDEN", true);
    QCOMPARE(grid.columnWidth("HIDDEN"), 33);
    QCOMPARE(DataGrid::weightUnit(1030, 19), 52);
}

// Auto-width keeps the visible columns filling the rows' width, in their declared proportions.
void tst_Grid::autoWidthFillsTheRows()
{
    DataGrid grid;
    grid.setColumns({{.field = "A", .width = 100}, {.field = "B", .width = 300},
                     {.field = "C", .shown = false, .width = 500}});
    grid.setAutoWidth(true);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const int rows = grid.view()->viewport()->width();
    QCOMPARE(grid.columnWidth("A") + grid.columnWidth("B"), rows);
    QCOMPARE(grid.columnWidth("A"), rows / 4);
    grid.setColumnShown("C", true);
    QCOMPARE(grid.columnWidth("A") + grid.columnWidth("B") + grid.columnWidth("C"), rows);
    grid.resize(900, 300);
    QTRY_COMPARE(grid.columnWidth("A") + grid.columnWidth("B") + grid.columnWidth("C"),
                 grid.view()->viewport()->width());
}

void tst_Grid::bestFitWidensToContent()
{
    Fixture f;
    f.grid->setColumnWidth("ADI", 20);
    f.grid->setColumnWidth("DURUM", 300);
    f.grid->bestFit();
    const QFontMetrics metrics(f.grid->view()->font());
    QVERIFY(f.grid->columnWidth("ADI") > metrics.horizontalAdvance("FREN BALATASI"));
    QVERIFY(f.grid->columnWidth("DURUM") < 300);   // pictures need little room
}

void tst_Grid::chooserOffersOnlyOfferedColumns()
{
    Fixture f;
    QCOMPARE(f.grid->chooserColumns(), (QStringList{"DURUM", "ADI", "MARKA", "MIKTAR", "TUTAR",
                                                    "TARIH"}));
    std::unique_ptr<QMenu> menu(f.grid->createHeaderMenu());
    QStringList offered;
    QAction *date = nullptr;
    for (QAction *a : menu->actions()) {
        if (!a->isCheckable())
            continue;
        offered << a->data().toString();
        QCOMPARE(a->isChecked(), f.grid->isColumnShown(a->data().toString()));
        if (a->data() == "TARIH")
            date = a;
    }
    QCOMPARE(offered, f.grid->chooserColumns());

    // Ticking a hidden column in the chooser shows it.
    QVERIFY(date);
    QVERIFY(!f.grid->isColumnShown("TARIH"));
    date->setChecked(true);
    QVERIFY(f.grid->isColumnShown("TARIH"));
    QVERIFY(f.grid->visibleColumns().contains("TARIH"));
}

// The per-user adjustment switches columns and their offering by field name; a second
// column on the same field answers to its own name.
void tst_Grid::userTypeSwitchesByName()
{
    Fixture f;
    QSignalSpy changed(f.grid.get(), &DataGrid::columnsChanged);
    QVERIFY(f.grid->setColumnShown("kalan", true));
    QVERIFY(f.grid->setColumnOffered("KALAN", true));
    QVERIFY(f.grid->isColumnShown("KALAN"));
    QVERIFY(f.grid->chooserColumns().contains("KALAN"));

    QVERIFY(f.grid->setColumnShown("DURUM", false));
    QVERIFY(f.grid->setColumnOffered("DURUM", false));
    QVERIFY(!f.grid->visibleColumns().contains("DURUM"));
    QVERIFY(!f.grid->chooserColumns().contains("DURUM"));

    QVERIFY(f.grid->setColumnShown("MARKA2", true));
    QVERIFY(f.grid->isColumnShown("MARKA"));
    QCOMPARE(f.grid->visibleColumns().count("MARKA"), 1);
    QVERIFY(f.grid->visibleColumns().contains("MARKA2"));

    QVERIFY(!f.grid->setColumnShown("NO_SUCH_COLUMN", true));
    QCOMPARE(changed.count(), 5);
}

void tst_Grid::footerSumsAndCounts()
{
    Fixture f;
    f.grid->setFooterVisible(true);
    f.grid->setFooterSummaries({{.column = "ADI", .kind = SummaryKind::Count},
                                {.column = "MIKTAR", .kind = SummaryKind::Sum},
                                {.column = "TUTAR", .kind = SummaryKind::Sum},
                                {.column = "TARIH", .kind = SummaryKind::Count}});
    QCOMPARE(f.grid->footerText("ADI"), QString("5"));
    QCOMPARE(f.grid->footerText("MIKTAR"), QString("15,00"));
    QCOMPARE(f.grid->footerText("TUTAR"), QString("6.344,84"));

    // A summary under a hidden column shows only while the column is shown.
    QCOMPARE(f.grid->footerText("TARIH"), QString());
    f.grid->setColumnShown("TARIH", true);
    QCOMPARE(f.grid->footerText("TARIH"), QString("5"));

    // Summaries follow the filter and changed values.
    f.grid->setColumnFilter("MARKA", {"VALEO"});
    QCOMPARE(f.grid->footerText("ADI"), QString("2"));
    QCOMPARE(f.grid->footerText("TUTAR"), QString("5.010,25"));
    f.data->setDouble(4, 6, 100.0);
    QCOMPARE(f.grid->footerText("TUTAR"), QString("110,25"));
    QCOMPARE(f.grid->summaryValue({.column = "MIKTAR", .kind = SummaryKind::Sum}), 5.0);

    f.grid->setFooterVisible(false);
    QCOMPARE(f.grid->footerText("ADI"), QString());
}

void tst_Grid::sortingByValueAndTurnedOff()
{
    Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.grid->focusRow(2));
    f.grid->sortBy("STOK_STOKNO");
    // Numbers sort as numbers: 9 before 10 before 100.
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"7", "9", "10", "25", "100"}));
    QCOMPARE(f.grid->focusedRow().row(), 2);   // the focus stays on its record
    f.grid->sortBy("TARIH", Qt::DescendingOrder);
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"7", "10", "100", "9", "25"}));
    f.grid->clearSort();
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"10", "9", "100", "25", "7"}));

    // With sorting off a click on the header keeps the server's order.
    f.grid->setSortingEnabled(false);
    QHeaderView *header = f.grid->view()->horizontalHeader();
    const int x = header->sectionViewportPosition(f.grid->columnIndex("MARKA")) + 10;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 10));
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"10", "9", "100", "25", "7"}));
    f.grid->setSortingEnabled(true);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 10));
    QCOMPARE(f.column("MARKA"), (QStringList{"BOSCH", "BOSCH", "MAHLE", "VALEO", "VALEO"}));
}

void tst_Grid::filtering()
{
    Fixture f;
    QCOMPARE(f.grid->distinctValues("MARKA"), (QStringList{"BOSCH", "MAHLE", "VALEO"}));
    f.grid->setColumnFilter("MARKA", {"BOSCH", "MAHLE"});
    QVERIFY(f.grid->isFiltered());
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"10", "100", "25"}));
    // The values offered for another column are those the other filters let through;
    // numbers are listed by value.
    QCOMPARE(f.grid->distinctValues("STOK_STOKNO"), (QStringList{"10", "25", "100"}));
    f.grid->setColumnFilter("DURUM", {"3", "5"});
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"100", "25"}));
    f.grid->clearFilter("MARKA");
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"100", "25"}));
    f.grid->clearFilter();
    QVERIFY(!f.grid->isFiltered());
    QCOMPARE(f.grid->rowCount(), 5);
}

void tst_Grid::filterPopupAppliesTheTickedValues()
{
    Fixture f;
    QVERIFY(f.show());
    GridFilterPopup *popup = f.grid->showFilterPopup("MARKA");
    QVERIFY(popup);
    QListWidget *list = popup->list();
    QCOMPARE(list->count(), 4);   // "(Tümü)" and three makes
    list->item(0)->setCheckState(Qt::Unchecked);
    for (int i = 1; i < list->count(); ++i)
        QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
    list->item(3)->setCheckState(Qt::Checked);   // VALEO
    QCOMPARE(list->item(0)->checkState(), Qt::PartiallyChecked);
    for (QPushButton *b : popup->findChildren<QPushButton *>()) {
        if (b->text() == "Tamam")
            b->click();
    }
    QCOMPARE(f.column("MARKA"), (QStringList{"VALEO", "VALEO"}));

    // Ticking everything again removes the filter.
    popup = f.grid->showFilterPopup("MARKA");
    popup->list()->item(0)->setCheckState(Qt::Checked);
    for (QPushButton *b : popup->findChildren<QPushButton *>()) {
        if (b->text() == "Tamam")
            b->click();
    }
    QVERIFY(!f.grid->isFiltered());
}

void tst_Grid::incrementalSearch()
{
    Fixture f;
    QVERIFY(f.show());
    f.grid->view()->setFocus();
    f.grid->view()->setCurrentIndex(f.grid->proxyModel()->index(0, f.grid->columnIndex("ADI")));

    // Typing jumps to the first row whose focused column starts with the text.
    QTest::keyClicks(f.grid->view(), "fa");
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 7);
    QCOMPARE(f.grid->searchText(), QString("fa"));
    // A character that matches nothing is refused and the row stays.
    QTest::keyClicks(f.grid->view(), "x");
    QCOMPARE(f.grid->searchText(), QString("fa"));
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 7);
    QTest::keyClick(f.grid->view(), Qt::Key_Backspace);
    QTest::keyClicks(f.grid->view(), "r");
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 100);
    QTest::keyClick(f.grid->view(), Qt::Key_Escape);

    // Dotted and dotless i meet; the search follows the focused column.
    QVERIFY(f.grid->incrementalSearch("ince"));
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 9);
    QVERIFY(f.grid->incrementalSearch("isi"));
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 25);
    f.grid->view()->setCurrentIndex(f.grid->proxyModel()->index(0, f.grid->columnIndex("MARKA")));
    QVERIFY(f.grid->incrementalSearch("val"));
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 9);
    QVERIFY(!f.grid->incrementalSearch("zzz"));
}

// The grid only asks: the owner stores the mark (and tells the server).
void tst_Grid::checkBoxAsksForToggle()
{
    Fixture f;
    QVERIFY(f.show());
    QSignalSpy toggled(f.grid.get(), &DataGrid::checkToggled);
    QSignalSpy doubleClicked(f.grid.get(), &DataGrid::rowDoubleClicked);
    QWidget *viewport = f.grid->view()->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.cellCentre(1, "SEC"));
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).value<GridRow>().row(), 1);
    QCOMPARE(toggled.at(0).at(1).toString(), QString("SEC"));
    QCOMPARE(toggled.at(0).at(2).toInt(), 0);        // ticked: asks to untick
    QCOMPARE(f.data->intAt(1, 0), qint64(1));        // not written by the grid

    // A double click on the box (press, release, double click) is one toggle and no row
    // double click.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.cellCentre(2, "SEC"));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, f.cellCentre(2, "SEC"));
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.at(1).at(2).toInt(), 1);
    QCOMPARE(doubleClicked.count(), 0);

    // Space on the focused check cell; clicks elsewhere ask nothing.
    QTest::keyClick(f.grid->view(), Qt::Key_Space);
    QCOMPARE(toggled.count(), 3);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.cellCentre(3, "ADI"));
    QCOMPARE(toggled.count(), 3);

    f.grid->setEnabled(false);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.cellCentre(1, "SEC"));
    QCOMPARE(toggled.count(), 3);
}

void tst_Grid::rowSignalsGiveValuesByField()
{
    Fixture f;
    QVERIFY(f.show());
    QSignalSpy focused(f.grid.get(), &DataGrid::focusedRowChanged);
    QSignalSpy doubleClicked(f.grid.get(), &DataGrid::rowDoubleClicked);
    QSignalSpy context(f.grid.get(), &DataGrid::contextMenuRequested);
    QWidget *viewport = f.grid->view()->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, f.cellCentre(3, "MARKA"));
    QVERIFY(!focused.isEmpty());
    QCOMPARE(focused.last().at(0).value<GridRow>().intValue("stok_stokno"), 25);

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, f.cellCentre(2, "ADI"));
    QCOMPARE(doubleClicked.count(), 1);
    const GridRow row = doubleClicked.at(0).at(0).value<GridRow>();
    QCOMPARE(row.intValue("STOK_STOKNO"), 100);
    QCOMPARE(row.text("ADI"), QString("FREN BALATASI"));
    QCOMPARE(row.text("TUTAR"), QString("99,99"));
    QCOMPARE(row.value("TARIH").toDate(), QDate(2024, 2, 10));
    QCOMPARE(row.column(), QString("ADI"));
    QVERIFY(!row.has("NO_SUCH_FIELD"));

    QMenu menu;
    f.grid->setContextMenu(&menu);
    QContextMenuEvent event(QContextMenuEvent::Mouse, f.cellCentre(4, "ADI"),
                            viewport->mapToGlobal(f.cellCentre(4, "ADI")));
    QCoreApplication::sendEvent(viewport, &event);
    QCOMPARE(context.count(), 1);
    QCOMPARE(context.at(0).at(1).value<GridRow>().intValue("STOK_STOKNO"), 7);
    QCOMPARE(f.grid->focusedRow().intValue("STOK_STOKNO"), 7);
    menu.close();

    // An empty grid has no focused row.
    f.data->clearRows();
    QVERIFY(!f.grid->focusedRow().isValid());
    QVERIFY(!focused.last().at(0).value<GridRow>().isValid());
}

void tst_Grid::groupingTotalsAndCollapse()
{
    Fixture f;
    QVERIFY(f.show());
    const QList<GridSummary> sums = {{.column = "TUTAR", .kind = SummaryKind::Sum},
                                     {.column = "ADI", .kind = SummaryKind::Count}};
    f.grid->setFooterVisible(true);
    f.grid->setFooterSummaries(sums);
    f.grid->setGroupSummaries(sums);
    f.grid->setGroupColumn("MARKA");
    QCOMPARE(f.grid->groupCount(), 3);
    QCOMPARE(f.grid->groupValue(0), QString("BOSCH"));
    QCOMPARE(f.grid->groupValue(2), QString("VALEO"));
    QCOMPARE(f.grid->groupRowCount(0), 2);
    QCOMPARE(f.grid->groupFooterText(0, "TUTAR"), QString("1.334,49"));
    QCOMPARE(f.grid->groupFooterText(0, "ADI"), QString("2"));
    QCOMPARE(f.grid->groupFooterText(1, "TUTAR"), QString("0,10"));
    QCOMPARE(f.grid->groupFooterText(2, "TUTAR"), QString("5.010,25"));
    QCOMPARE(f.grid->footerText("TUTAR"), QString("6.344,84"));

    // The rows of a group stay in the data set's order inside it.
    QCOMPARE(f.column("STOK_STOKNO"), (QStringList{"10", "100", "25", "9", "7"}));

    // Collapsed groups keep their header and footer rows and their totals.
    f.grid->collapseAllGroups();
    QCOMPARE(f.grid->proxyModel()->rowCount(), 6);
    QVERIFY(f.grid->isGroupCollapsed(1));
    QCOMPARE(f.grid->groupFooterText(2, "TUTAR"), QString("5.010,25"));
    f.grid->setGroupCollapsed(2, false);
    QCOMPARE(f.grid->proxyModel()->rowCount(), 8);

    // A double click on a group header opens or closes it.
    GridProxyModel *proxy = f.grid->proxyModel();
    const QRect header = f.grid->view()->visualRect(proxy->index(proxy->headerRowOf(0), 0));
    QTest::mouseDClick(f.grid->view()->viewport(), Qt::LeftButton, {}, header.center());
    QVERIFY(!f.grid->isGroupCollapsed(0));
    QCOMPARE(proxy->rowCount(), 10);

    // A changed value reaches the group footer.
    f.data->setDouble(3, 6, 2.5);
    QCOMPARE(f.grid->groupFooterText(1, "TUTAR"), QString("2,50"));
    f.grid->setGroupColumn(QString());
    QCOMPARE(proxy->rowCount(), 5);
}

// A background load fills the data set on a worker thread while the grid is detached;
// the grid must neither read it nor receive its notifications meanwhile.
void tst_Grid::detachedGridLeavesTheDataSetAlone()
{
    Fixture f;
    f.grid->setFooterVisible(true);
    f.grid->setFooterSummaries({{.column = "TUTAR", .kind = SummaryKind::Sum}});
    QVERIFY(f.show());
    f.grid->setEnabled(false);
    f.grid->detach();
    f.grid->beginUpdate();
    QCOMPARE(f.grid->rowCount(), 0);
    QCOMPARE(f.grid->model()->rowCount(), 0);
    QSignalSpy resets(f.grid->model(), &QAbstractItemModel::modelReset);

    DataSet *ds = f.data.get();
    constexpr int kRows = 20000;
    std::unique_ptr<QThread> worker(QThread::create([ds] {
        // Notifications left on on purpose: a detached grid must not hear them either.
        ds->clearRows();
        for (int i = 0; i < kRows; ++i) {
            const int r = ds->appendRow();
            ds->setInt(r, 1, i);
            ds->setString(r, 4, QString("M%1").arg(i % 7));
            ds->setDouble(r, 6, 1.0);
        }
    }));
    worker->start();
    while (!worker->isFinished()) {
        f.grid->grab();
        QCOMPARE(f.grid->footerText("TUTAR"), QString());
        QVERIFY(!f.grid->incrementalSearch("M"));
        QVERIFY(f.grid->distinctValues("MARKA").isEmpty());
        QVERIFY(!f.grid->focusedRow().isValid());
        QCoreApplication::processEvents();
    }
    worker->wait();
    QCoreApplication::processEvents();
    QCOMPARE(resets.count(), 0);
    QCOMPARE(f.grid->rowCount(), 0);

    f.grid->attach();
    f.grid->endUpdate();
    f.grid->setEnabled(true);
    QCOMPARE(f.grid->rowCount(), kRows);
    QCOMPARE(f.grid->footerText("TUTAR"), formatFloat(MoneyFormat, kRows));
    QCOMPARE(f.grid->focusedRow().row(), 0);
    QCOMPARE(f.grid->distinctValues("MARKA").size(), 7);
}

void tst_Grid::unboundRowsAddedByCode()
{
    DataGrid grid;
    grid.setColumns({{.field = "duyuru", .kind = ColumnKind::Picture, .width = 300},
                     {.field = "baslik", .shown = false, .offered = false},
                     {.field = "arama", .shown = false, .offered = false}});
    grid.setUnboundFields({{"duyuru", FieldType::Blob, 0, {}},
                           {"baslik", FieldType::String, 0, {}},
                           {"arama", FieldType::String, 0, {}}});
    grid.setHeaderVisible(false);
    grid.setIndicatorWidth(0);
    grid.setRowHeight(120);

    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    grid.appendRow({{"duyuru", png}, {"baslik", "Kampanya"}, {"arama", "#KAMPANYA#"}});
    grid.appendRow({{"baslik", "Resimsiz"}, {"arama", "FREN"}});
    grid.appendRow({{"duyuru", QByteArray("not a picture")}, {"arama", "#YENİ#"}});
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(grid.rowAt(0).text("arama"), QString("#KAMPANYA#"));
    QCOMPARE(grid.rowAt(0).blob("duyuru"), png);
    QCOMPARE(grid.rowAt(1).text("baslik"), QString("Resimsiz"));

    grid.resize(400, 500);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    // The picture is drawn into the first row; a broken picture leaves its cell empty.
    const QImage shot = grid.view()->viewport()->grab().toImage();
    const QRect first = grid.view()->visualRect(grid.proxyModel()->index(0, 0));
    QCOMPARE(shot.pixelColor(first.center()), QColor(Qt::red));

    grid.clearRows();
    QCOMPARE(grid.rowCount(), 0);
}

void tst_Grid::statusPictures()
{
    QSet<qint64> seen;
    for (int code = 0; code <= 5; ++code) {
        const QPixmap pixmap = statusPixmap(code, 24);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(24, 24));
        seen.insert(pixmap.toImage().cacheKey() ^ qHash(pixmap.toImage().pixelColor(12, 12).rgba()));
    }
    QCOMPARE(seen.size(), 6);
    QVERIFY(statusPixmap(6).isNull());
    QVERIFY(statusPixmap(-1).isNull());
    QCOMPARE(PictureMap::stockStatus().pictureFor(9), GridPicture::None);
    QCOMPARE(PictureMap::yesNo().pictureFor(0), GridPicture::No);
    QCOMPARE(PictureMap::yesOnly().pictureFor(0), GridPicture::None);
}

void tst_Grid::excelFileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("xls typed") << "/home/a/sepet.xls" << "/home/a/sepet.xlsx";
    QTest::newRow("xlsx typed") << "/home/a/sepet.xlsx" << "/home/a/sepet.xlsx";
    QTest::newRow("no extension") << "/home/a/sepet" << "/home/a/sepet.xlsx";
    QTest::newRow("other extension") << "/home/a/liste.2024.csv" << "/home/a/liste.2024.xlsx";
    QTest::newRow("dot in folder") << "/home/a.b/sepet" << "/home/a.b/sepet.xlsx";
    QTest::newRow("trailing dot") << "/home/a/sepet." << "/home/a/sepet.xlsx";
    QTest::newRow("relative") << "sepet.xls" << "sepet.xlsx";
}

void tst_Grid::excelFileName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(Mervak::excelFileName(chosen), saved);
}

void tst_Grid::excelNumberFormat_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("excel");
    QTest::newRow("money") << "#,###,##0.00" << "#,##0.00";
    QTest::newRow("two digits") << "#,###,##00.00" << "#,#00.00";
    QTest::newRow("no zero") << "#,###,##.00" << "#,###.00";
    QTest::newRow("plain") << "0.000" << "0.000";
    QTest::newRow("none") << "" << "";
}

void tst_Grid::excelNumberFormat()
{
    QFETCH(QString, display);
    QFETCH(QString, excel);
    QCOMPARE(Mervak::excelNumberFormat(display), excel);
}

void tst_Grid::exportedWorkbookReadsBack()
{
    if (!haveOpenpyxl())
        QSKIP("python3 with openpyxl is not installed");
    Fixture f;
    f.grid->setColumnShown("TARIH", true);
    f.grid->setColumnShown("DURUM", false);
    f.grid->setColumnFilter("MARKA", {"BOSCH", "VALEO"});
    f.grid->sortBy("TUTAR", Qt::DescendingOrder);
    QTemporaryDir dir;
    QString error;
    // The extension typed is replaced: the file is a workbook of today's format.
    QVERIFY2(f.grid->exportToExcel(dir.filePath("sepet.xls"), &error), qPrintable(error));
    QVERIFY(error.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("sepet.xls")));
    const QJsonArray rows = readWorkbook(dir.filePath("sepet.xlsx"));
    QCOMPARE(rows.size(), 5);   // captions and the four rows the filter lets through

    auto cell = [&](int row, int column) { return rows.at(row).toArray().at(column).toArray(); };
    QStringList captions;
    for (const QJsonValue &c : rows.at(0).toArray())
        captions << c.toArray().at(0).toString();
    QCOMPARE(captions, (QStringList{"Seç", "Açıklama", "Marka", "Miktar", "Tutar", "Tarih"}));

    // First row: the largest amount, FAR AMPULÜ.
    QCOMPARE(cell(1, 0).at(0).toDouble(), 0.0);
    QCOMPARE(cell(1, 0).at(1).toString(), QString("int"));
    QCOMPARE(cell(1, 1).at(0).toString(), QString("FAR AMPULÜ"));
    QCOMPARE(cell(1, 4).at(0).toDouble(), 5000.0);
    QCOMPARE(cell(1, 4).at(2).toString(), QString("#,##0.00"));
    QCOMPARE(cell(2, 4).at(0).toDouble(), 1234.5);
    QCOMPARE(cell(2, 4).at(1).toString(), QString("float"));
    QCOMPARE(cell(4, 4).at(0).toDouble(), 10.25);
    QCOMPARE(cell(1, 5).at(1).toString(), QString("datetime"));
    QCOMPARE(cell(1, 5).at(0).toString(), QString("2024-03-02T00:00:00"));
    QCOMPARE(cell(1, 5).at(2).toString(), QString("dd.mm.yyyy"));
}

void tst_Grid::exportOfGroupsAndFooters()
{
    if (!haveOpenpyxl())
        QSKIP("python3 with openpyxl is not installed");
    Fixture f;
    const QList<GridSummary> sums = {{.column = "TUTAR", .kind = SummaryKind::Sum},
                                     {.column = "ADI", .kind = SummaryKind::Count}};
    f.grid->setFooterVisible(true);
    f.grid->setFooterSummaries(sums);
    f.grid->setGroupSummaries(sums);
    f.grid->setGroupColumn("MARKA");
    f.grid->collapseAllGroups();   // exported expanded all the same
    QTemporaryDir dir;
    QString error;
    QVERIFY2(f.grid->exportToExcel(dir.filePath("rapor.xlsx"), &error), qPrintable(error));
    const QJsonArray rows = readWorkbook(dir.filePath("rapor.xlsx"));
    // Captions, three groups of header + rows + footer (2, 1 and 2 rows), the grand footer.
    QCOMPARE(rows.size(), 1 + (2 + 2) + (2 + 1) + (2 + 2) + 1);
    auto cell = [&](int row, int column) { return rows.at(row).toArray().at(column).toArray(); };
    const int amount = 5;   // Seç, Durum, Açıklama, Marka, Miktar, Tutar
    QCOMPARE(cell(1, 0).at(0).toString(), QString("Marka: BOSCH"));
    QCOMPARE(cell(2, 2).at(0).toString(), QString("YAĞ FİLTRESİ"));
    QCOMPARE(cell(4, amount).at(0).toDouble(), 1334.49);
    QCOMPARE(cell(4, amount).at(2).toString(), QString("#,##0.00"));
    QCOMPARE(cell(4, 2).at(0).toDouble(), 2.0);
    QCOMPARE(cell(5, 0).at(0).toString(), QString("Marka: MAHLE"));
    QCOMPARE(cell(rows.size() - 1, amount).at(0).toDouble(), 6344.84);
    QCOMPARE(cell(rows.size() - 1, 2).at(0).toDouble(), 5.0);
}

// A file that cannot be written gives a Turkish error and leaves nothing half-written.
void tst_Grid::exportToUnwritableTarget()
{
    Fixture f;
    QTemporaryDir dir;
    QString error;

    QVERIFY(!f.grid->exportToExcel(dir.filePath("yok/sepet.xlsx"), &error));
    QVERIFY(error.contains("kaydedilemedi"));
    QVERIFY(error.contains("Klasör bulunamadı"));
    QVERIFY(!QFileInfo::exists(dir.filePath("yok")));

    QVERIFY(QDir(dir.path()).mkdir("sepet.xlsx"));
    QVERIFY(!f.grid->exportToExcel(dir.filePath("sepet.xls"), &error));
    QVERIFY(error.contains(QDir::toNativeSeparators(dir.filePath("sepet.xlsx"))));
    QVERIFY(QFileInfo(dir.filePath("sepet.xlsx")).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"sepet.xlsx"});

    // An existing workbook is replaced whole.
    QFile old(dir.filePath("eski.xlsx"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    QVERIFY2(f.grid->exportToExcel(dir.filePath("eski.xlsx"), &error), qPrintable(error));
    QFile replaced(dir.filePath("eski.xlsx"));
    QVERIFY(replaced.open(QIODevice::ReadOnly));
    QCOMPARE(replaced.read(2), QByteArray("PK"));
    QVERIFY(replaced.size() < 100000);

    // The "Excel Kaydet" flow shows the failure as an error message.
    QList<ShownMessage> shown;
    setMessageDialogHook([&shown](const ShownMessage &m) {
        shown << m;
        return int(mrOk);
    });
    QVERIFY(!saveGridToExcelFile(*f.grid, dir.filePath("yok/sepet.xlsx")));
    QVERIFY(saveGridToExcelFile(*f.grid, dir.filePath("yeni.xls")));
    setMessageDialogHook({});
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).type, mtError);
    QVERIFY(shown.at(0).text.startsWith("Excel dosyası kaydedilemedi"));
    QVERIFY(QFileInfo::exists(dir.filePath("yeni.xlsx")));
}

QTEST_MAIN(tst_Grid)
#include "tst_grid.moc"
