// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

class QWidget;

namespace Mervak {

class DataGrid;

/*!
    Writes a grid to an Excel workbook: the visible columns with their captions, every row
    the grid shows (groups expanded, with their footers), numbers as numbers in the grid's
    display format, dates as dates, and the footer summaries.

    The workbook is built in a temporary folder and then saved under the target name in one
    step, so a failed export never leaves a half-written file. On failure \a error gets a
    Turkish text for the user.
*/
bool exportGridToExcel(const DataGrid &grid, const QString &path, QString *error = nullptr);

// The name the workbook is saved under: the chosen name with its extension replaced by
// ".xlsx" (an Excel workbook behind an ".xls" name makes Excel call the file damaged).
QString excelFileName(const QString &chosen);

// The save dialog of the "Excel Kaydet" buttons (filter "Excel|*.xls*"); returns the file
// name to write, already given the ".xlsx" extension, or an empty text when cancelled.
QString askExcelFileName(QWidget *parent, const QString &caption,
                         const QString &directory = QString());

// The whole "Excel Kaydet" button: the save dialog (starting in the documents folder), then the
// export; a failure is shown with ShowMessageDialog. Returns the file written, or an empty
// text when the user cancelled or the export failed.
QString saveGridToExcel(QWidget *parent, const DataGrid &grid, const QString &caption);
// The export half of it, for a name already chosen; false after showing the failure.
bool saveGridToExcelFile(const DataGrid &grid, const QString &file);

// A display format such as "#,###,##0.00" as an Excel number format ("#,##0.00").
QString excelNumberFormat(const QString &displayFormat);

} // namespace Mervak
