// SPDX-License-Identifier: LicenseRef-Mervak
#include "streamreading.h"

#include <QIODevice>

namespace Mervak {

std::optional<QByteArray> readAnnouncedStream(QIODevice *stream, qint64 announcedSize)
{
    if (announcedSize <= 0 || !stream)
        return std::nullopt;
    if (!stream->isOpen() && !stream->open(QIODevice::ReadOnly))
        return std::nullopt;
    if (!stream->isSequential())
        stream->seek(0);
    constexpr qint64 Block = 1024;
    QByteArray content;
    char block[Block];
    for (;;) {
        const qint64 got = stream->read(block, Block);
        if (got > 0)
            content.append(block, got);
        if (got < Block)
            break;
        // A stream far longer than announced is not the picture we were told of.
        if (content.size() > announcedSize)
            return std::nullopt;
    }
    if (content.size() != announcedSize)
        return std::nullopt;
    return content;
}

} // namespace Mervak
