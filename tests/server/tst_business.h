// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "serverprocess.h"

#include <QObject>
#include <QTemporaryDir>

class TestBusiness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void everyMethodHasAHandler();
    void pricesAndDiscounts_data();
    void pricesAndDiscounts();
    void fieldClasses_data();
    void fieldClasses();
    void basketAmounts();
    void orderMovesExactlyTheTickedLines();
    void failedOrderStoresNothing();
    void balanceChanges();
    void statementAndDocuments();
    void userLookup_data();
    void userLookup();
    void reportsArePdfs_data();
    void reportsArePdfs();
    void tabularReports();
    void concurrentBasketsLoseNothing();
    void badInputIsRefused_data();
    void badInputIsRefused();
    void mailGoesToTheOutbox();
    void customersByState();
    void administrationCommands();

private:
    QTemporaryDir m_dir;
    QString m_db;
    Mervak::Test::ServerProcess m_server;
    Mervak::Test::ServerProcess m_demoServer;
};
