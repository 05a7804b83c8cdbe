// SPDX-License-Identifier: LicenseRef-Mervak
// One executable for the server's tests: the business rules on known numbers, the demo
// distributor with its pictures and web pages, and the documents the server writes.
#include "tst_business.h"
#include "tst_demoserver.h"
#include "tst_documents.h"

#include <QGuiApplication>
#include <QTest>

namespace {

// Test functions named on the command line; a class runs only when it has them all.
bool hasFunctions(const QObject &test, int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith('-'))
            return true;    // options (and their values) are QTest's
        const QByteArray name = arg.left(arg.indexOf(':') < 0 ? arg.size() : arg.indexOf(':'));
        if (test.metaObject()->indexOfMethod(name + "()") < 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Pictures are decoded and drawn: Qt Gui, offscreen (set by the test runner).
    QGuiApplication app(argc, argv);
    TestDocuments documents;
    TestBusiness business;
    TestDemoServer demo;
    int failed = 0;
    for (QObject *test : {static_cast<QObject *>(&documents), static_cast<QObject *>(&business),
                          static_cast<QObject *>(&demo)}) {
        if (hasFunctions(*test, argc, argv))
            failed += QTest::qExec(test, argc, argv);
    }
    return failed;
}
