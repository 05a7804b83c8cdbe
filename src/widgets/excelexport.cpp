// SPDX-License-Identifier: LicenseRef-Mervak
#include "excelexport.h"

#include "datagrid.h"
#include "datasetmodel.h"
#include "gridproxymodel.h"
#include "messagedialog.h"
#include "systempaths.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <cmath>

namespace Mervak {

namespace {

constexpr int kMaxCellText = 32767;   // longest text a cell can hold

lxw_color_t excelColour(const QColor &c)
{
    return lxw_color_t((c.red() << 16) | (c.green() << 8) | c.blue());
}

QString failureReason(const QString &target)
{
    const QFileInfo file(target);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists() || !folder.isDir())
        return QStringLiteral("Klasör bulunamadı.");
    if (file.exists() && file.isDir())
        return QStringLiteral("Bu adda bir klasör var.");
    if (!folder.isWritable())
        return QStringLiteral("Bu klasöre yazma izniniz yok.");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("Dosya salt okunur ya da başka bir programda açık.");
    return QStringLiteral("Dosya yazılamadı; başka bir programda açık olabilir.");
}

// Builds one workbook; formats are created once per number format and role.
class WorkbookWriter
{
public:
    WorkbookWriter(lxw_workbook *workbook, const DataGrid &grid)
        : m_workbook(workbook)
        , m_grid(grid)
        , m_model(grid.model())
        , m_proxy(grid.proxyModel())
        , m_columns(grid.visibleColumnIndexes())
    {}

    void write();

private:
    enum class Role { Cell, GroupHeader, Footer };

    lxw_format *format(const QString &numberFormat, Role role);
    QString columnFormat(int column) const;
    void writeHeader();
    void writeDataRow(int dataSetRow);
    void writeGroupHeader(int group);
    void writeSummaries(const QList<GridSummary> &summaries, int group);

    lxw_workbook *m_workbook;
    lxw_worksheet *m_sheet = nullptr;
    const DataGrid &m_grid;
    const DataSetModel *m_model;
    const GridProxyModel *m_proxy;
    const QList<int> m_columns;
    QHash<QString, lxw_format *> m_formats;
    lxw_row_t m_row = 0;
};

lxw_format *WorkbookWriter::format(const QString &numberFormat, Role role)
{
    const QString key = QString::number(int(role)) + QLatin1Char('|') + numberFormat;
    if (lxw_format *found = m_formats.value(key))
        return found;
    lxw_format *f = workbook_add_format(m_workbook);
    if (!numberFormat.isEmpty())
        format_set_num_format(f, numberFormat.toUtf8().constData());
    const GridStyle &style = m_grid.gridStyle();
    switch (role) {
    case Role::Cell:
        break;
    case Role::GroupHeader:
        format_set_bold(f);
        format_set_bg_color(f, excelColour(style.groupRow));
        break;
    case Role::Footer:
        format_set_bold(f);
        format_set_top(f, LXW_BORDER_THIN);
        format_set_bg_color(f, excelColour(style.footer));
        break;
    }
    m_formats.insert(key, f);
    return f;
}

QString WorkbookWriter::columnFormat(int column) const
{
    const int f = m_model->fieldColumn(column);
    if (f < 0)
        return {};
    const FieldDef &def = m_model->dataSet()->field(f);
    switch (def.type) {
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        return excelNumberFormat(def.displayFormat);
    case FieldType::Date:
        return QStringLiteral("dd.mm.yyyy");
    case FieldType::DateTime:
        return QStringLiteral("dd.mm.yyyy hh:mm:ss");
    case FieldType::Time:
        return QStringLiteral("hh:mm:ss");
    default:
        return {};
    }
}

void WorkbookWriter::writeHeader()
{
    lxw_format *header = workbook_add_format(m_workbook);
    const GridStyle &style = m_grid.gridStyle();
    format_set_bold(header);
    format_set_font_color(header, excelColour(style.headerText));
    format_set_bg_color(header, excelColour(style.header));
    format_set_align(header, LXW_ALIGN_CENTER);
    format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
    format_set_text_wrap(header);
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = m_columns.at(i);
        const GridColumn &c = m_model->column(column);
        const int pixels = m_grid.columnWidth(c.key());
        worksheet_set_column_pixels(m_sheet, lxw_col_t(i), lxw_col_t(i),
                                    uint32_t(qBound(30, pixels, 900)), nullptr);
        worksheet_write_string(m_sheet, 0, lxw_col_t(i), c.headerText().toUtf8().constData(),
                               header);
    }
    worksheet_set_row_pixels(m_sheet, 0, 30, nullptr);
    worksheet_freeze_panes(m_sheet, 1, 0);
    m_row = 1;
}

void WorkbookWriter::writeDataRow(int row)
{
    const DataSet *ds = m_model->dataSet();
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = m_columns.at(i);
        const auto col = lxw_col_t(i);
        const GridColumn &c = m_model->column(column);
        const int f = m_model->fieldColumn(column);
        if (f < 0 || c.kind == ColumnKind::Drawn) {
            const QString text = m_model->cellText(row, column).left(kMaxCellText);
            if (!text.isEmpty())
                worksheet_write_string(m_sheet, m_row, col, text.toUtf8().constData(), nullptr);
            continue;
        }
        if (ds->isNull(row, f))
            continue;
        lxw_format *cell = format(columnFormat(column), Role::Cell);
        switch (ds->field(f).type) {
        case FieldType::String: {
            const QString text = ds->stringAt(row, f).left(kMaxCellText);
            worksheet_write_string(m_sheet, m_row, col, text.toUtf8().constData(), nullptr);
            break;
        }
        case FieldType::Integer:
        case FieldType::LargeInt:
            worksheet_write_number(m_sheet, m_row, col, double(ds->intAt(row, f)), nullptr);
            break;
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::Bcd:
            worksheet_write_number(m_sheet, m_row, col, ds->doubleAt(row, f), cell);
            break;
        case FieldType::Boolean:
            worksheet_write_boolean(m_sheet, m_row, col, ds->boolAt(row, f) ? 1 : 0, nullptr);
            break;
        case FieldType::Date:
        case FieldType::DateTime: {
            const QDateTime dt = fromDayCount(ds->doubleAt(row, f));
            if (dt.date().year() < 1900) {
                worksheet_write_number(m_sheet, m_row, col, ds->doubleAt(row, f), cell);
                break;
            }
            const QTime t = dt.time();
            lxw_datetime value = {dt.date().year(), dt.date().month(), dt.date().day(),
                                  t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
            worksheet_write_datetime(m_sheet, m_row, col, &value, cell);
            break;
        }
        case FieldType::Time: {
            const double days = ds->doubleAt(row, f);
            worksheet_write_number(m_sheet, m_row, col, days - std::floor(days), cell);
            break;
        }
        case FieldType::Blob:
            break;
        }
    }
    ++m_row;
}

void WorkbookWriter::writeGroupHeader(int group)
{
    lxw_format *f = format(QString(), Role::GroupHeader);
    const QString caption = m_proxy->data(m_proxy->index(m_proxy->headerRowOf(group), 0))
                                .toString();
    for (int i = 0; i < m_columns.size(); ++i) {
        if (i == 0)
            worksheet_write_string(m_sheet, m_row, 0, caption.toUtf8().constData(), f);
        else
            worksheet_write_blank(m_sheet, m_row, lxw_col_t(i), f);
    }
    ++m_row;
}

void WorkbookWriter::writeSummaries(const QList<GridSummary> &summaries, int group)
{
    bool any = false;
    for (const GridSummary &s : summaries)
        any = any || m_columns.contains(m_grid.columnIndex(s.column));
    if (!any)
        return;
    const DataSet *ds = m_model->dataSet();
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = m_columns.at(i);
        const auto col = lxw_col_t(i);
        const GridSummary *summary = nullptr;
        for (const GridSummary &s : summaries) {
            if (m_grid.columnIndex(s.column) == column) {
                summary = &s;
                break;
            }
        }
        if (!summary) {
            worksheet_write_blank(m_sheet, m_row, col, format(QString(), Role::Footer));
            continue;
        }
        const double value = m_grid.summaryValue(*summary, group);
        QString numberFormat;
        if (summary->kind == SummaryKind::Sum) {
            numberFormat = excelNumberFormat(summary->format);
            if (numberFormat.isEmpty() && ds) {
                const int f = summary->field.isEmpty() ? m_model->fieldColumn(column)
                                                       : ds->fieldIndex(summary->field);
                if (f >= 0)
                    numberFormat = excelNumberFormat(ds->field(f).displayFormat);
            }
        }
        worksheet_write_number(m_sheet, m_row, col, value, format(numberFormat, Role::Footer));
    }
    ++m_row;
}

void WorkbookWriter::write()
{
    m_sheet = workbook_add_worksheet(m_workbook, "Sayfa1");
    writeHeader();
    if (!m_model->dataSet() || m_columns.isEmpty())
        return;
    const std::vector<int> &rows = m_proxy->orderedRows();
    if (m_proxy->groupColumn() >= 0) {
        for (int g = 0; g < m_proxy->groupCount(); ++g) {
            const auto &grp = m_proxy->group(g);
            writeGroupHeader(g);
            for (int i = grp.first; i < grp.first + grp.count; ++i)
                writeDataRow(rows[std::size_t(i)]);
            writeSummaries(m_grid.groupSummaries(), g);
        }
    } else {
        for (int row : rows)
            writeDataRow(row);
    }
    if (m_grid.isFooterVisible())
        writeSummaries(m_grid.footerSummaries(), -1);
}

} // namespace

QString excelFileName(const QString &chosen)
{
    if (chosen.isEmpty())
        return {};
    const QFileInfo info(chosen);
    const QString fileName = info.fileName();
    QString base = info.suffix().isEmpty() ? fileName : info.completeBaseName();
    while (base.endsWith(QLatin1Char('.')))
        base.chop(1);
    return chosen.left(chosen.size() - fileName.size()) + base + QStringLiteral(".xlsx");
}

QString askExcelFileName(QWidget *parent, const QString &caption, const QString &directory)
{
    const QString chosen = QFileDialog::getSaveFileName(parent, caption, directory,
                                                        QStringLiteral("Excel (*.xls*)"));
    return chosen.isEmpty() ? QString() : excelFileName(chosen);
}

bool saveGridToExcelFile(const DataGrid &grid, const QString &file)
{
    QString error;
    if (exportGridToExcel(grid, file, &error))
        return true;
    ShowMessageDialog(error, mtError, mbOKOnly, mbOK);
    return false;
}

QString saveGridToExcel(QWidget *parent, const DataGrid &grid, const QString &caption)
{
    const QString file = askExcelFileName(parent, caption, DocumentsFolder());
    if (file.isEmpty() || !saveGridToExcelFile(grid, file))
        return {};
    return file;
}

QString excelNumberFormat(const QString &displayFormat)
{
    if (displayFormat.isEmpty())
        return {};
    const qsizetype point = displayFormat.indexOf(QLatin1Char('.'));
    const QString integer = point < 0 ? displayFormat : displayFormat.left(point);
    const QString decimals = point < 0 ? QString() : displayFormat.mid(point + 1);
    const bool grouping = integer.contains(QLatin1Char(','));
    const int zeros = int(integer.count(QLatin1Char('0')));
    QString result;
    if (grouping) {
        result = QStringLiteral("#,###");
        for (int i = 0, at = int(result.size()) - 1; i < zeros && at >= 0; ++i, --at) {
            if (result.at(at) == QLatin1Char(','))
                --at;
            result[at] = QLatin1Char('0');
        }
        for (int i = 4; i < zeros; ++i)
            result.prepend(QLatin1Char('0'));
    } else {
        result = zeros == 0 ? QStringLiteral("#") : QString(zeros, QLatin1Char('0'));
    }
    if (!decimals.isEmpty())
        result += QLatin1Char('.') + decimals;
    return result;
}

bool exportGridToExcel(const DataGrid &grid, const QString &path, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (error)
        error->clear();
    const QString target = excelFileName(path.trimmed());
    if (target.isEmpty())
        return fail(QStringLiteral("Excel dosyası için bir ad verilmedi."));

    QTemporaryDir work;
    if (!work.isValid())
        return fail(QStringLiteral("Excel dosyası hazırlanamadı: geçici klasör oluşturulamadı."));
    const QByteArray workFile = work.filePath(QStringLiteral("liste.xlsx")).toUtf8();
    QByteArray workDir = work.path().toUtf8();

    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;   // rows go out in order; 100,000 of them stay cheap
    options.tmpdir = workDir.data();
    lxw_workbook *workbook = workbook_new_opt(workFile.constData(), &options);
    if (!workbook)
        return fail(QStringLiteral("Excel dosyası hazırlanamadı."));
    WorkbookWriter(workbook, grid).write();
    const lxw_error result = workbook_close(workbook);
    if (result != LXW_NO_ERROR) {
        return fail(QStringLiteral("Excel dosyası hazırlanamadı: %1")
                        .arg(QString::fromUtf8(lxw_strerror(result))));
    }

    QFile built(QString::fromUtf8(workFile));
    if (!built.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Excel dosyası hazırlanamadı."));
    const QByteArray bytes = built.readAll();
    built.close();

    // Written beside the target and renamed over it only when complete.
    QSaveFile save(target);
    if (!save.open(QIODevice::WriteOnly) || save.write(bytes) != bytes.size() || !save.commit()) {
        return fail(QStringLiteral("Excel dosyası kaydedilemedi:\n%1\n%2")
                        .arg(QDir::toNativeSeparators(target), failureReason(target)));
    }
    return true;
}

} // namespace Mervak
