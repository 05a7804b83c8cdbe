// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace Mervak::Server {

/*
    Pictures of the demo distributor, drawn rather than shipped: item photos, banners,
    announcement and advert pictures. Drawing text needs a QGuiApplication (the server runs
    one on the offscreen platform).
*/

QByteArray jpegBytes(const QImage &image, int quality = 82);

// A catalogue photo of a part: a drawing chosen by its main group, with brand and code.
QImage itemPicture(const QString &mainGroup, const QString &brand, const QString &code,
                   const QString &name, quint32 seed);

// Header banner: 409 x 100, one frame per slogan (an animated GIF).
QByteArray headerBannerGif(const QString &company, const QStringList &slogans);
// Upper banner across the window: width x 60, GIF.
QByteArray upperBannerGif(const QString &text, int width = 1200);
// Lower banner scrolled along the bottom: a Windows bitmap of width x 36.
QByteArray lowerBannerBmp(const QString &text, int width = 1800);

// An announcement or advert picture: a title, a few lines and a coloured band.
QImage noticePicture(const QSize &size, const QString &title, const QStringList &lines,
                     const QColor &colour);

} // namespace Mervak::Server
