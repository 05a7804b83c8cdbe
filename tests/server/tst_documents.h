// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QObject>

class TestDocuments : public QObject
{
    Q_OBJECT

private slots:
    void gifRoundTrip_data();
    void gifRoundTrip();
    void bannersAreReadable();
    void longTablesContinueOnNewPages();
};
