// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace Mervak::Server {

/*!
    Writes pictures as a GIF89a file (Qt reads GIF but cannot write it). The colours are
    mapped to one fixed 256-colour palette; several frames make an endlessly looping
    animation, each frame shown for delayCs hundredths of a second. All frames take the
    size of the first.
*/
QByteArray writeGif(const QList<QImage> &frames, int delayCs = 150);

} // namespace Mervak::Server
