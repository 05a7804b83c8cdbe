// SPDX-License-Identifier: LicenseRef-Mervak
#include "appstyle.h"
#include "deploysettings.h"
#include "tform1.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mervak-b2b"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mervak B2B"));

    Mervak::DeploySettings settings;
    QString error;
    QString help;
    if (!Mervak::LoadDeployment(QApplication::arguments(), &settings, &error, &help)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    if (!help.isEmpty()) {
        std::fprintf(stdout, "%s", qPrintable(help));
        return 0;
    }
    Mervak::setDeployment(settings);

    Mervak::ApplyAppStyle(app);
    Mervak::TForm1 form;
    if (!form.Start())
        return 0;
    // Also where no window manager maximises (a bare X server), the window fills the screen.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    return app.exec();
}
