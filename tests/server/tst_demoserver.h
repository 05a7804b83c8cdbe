// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "serverprocess.h"

#include <QObject>
#include <QTemporaryDir>

class TestDemoServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void demoUsersOfEveryType_data();
    void demoUsersOfEveryType();
    void numbersAgreeAcrossMethods();
    void ordersInEveryState();
    void picturesAndBanners();
    void announcementsAndAdverts();
    void webPages();
    void cardPaymentPage();
    void requestForm();
    void generatorIsDeterministic();

private:
    QTemporaryDir m_dir;
    QString m_db;
    Mervak::Test::ServerProcess m_server;
};
