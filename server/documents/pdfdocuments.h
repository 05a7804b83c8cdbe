// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Mervak::Server {

// A column of a table report: which field, under which caption, how wide (a share of the
// page width) and whether it holds an amount.
struct PdfColumn
{
    QString field;
    QString caption;
    int weight = 1;
    bool amount = false;
    bool total = false;     // summed in the last line
};

struct PdfTable
{
    QString company;        // the distributor, in the page head
    QString title;
    QStringList headerLines;
    QList<PdfColumn> columns;
    const DataSet *rows = nullptr;
    QStringList footerLines;
    bool landscape = false;
};

// The documents the server hands out as PDF files. Drawing needs a QGuiApplication.
QByteArray tablePdf(const PdfTable &table);
QByteArray customerSummaryPdf(const QString &company, const CustomerSummary &summary);
QByteArray cardReceiptPdf(const QString &company, const CardPayment &payment);

} // namespace Mervak::Server
