// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>

#include <optional>

class QIODevice;

namespace Mervak {

/*!
    The stream reading rule of every picture and document result: with an announced size of
    0 there is nothing to read; otherwise the stream is read from its start in blocks of
    1024 bytes until a read returns fewer, and the content counts only when its size equals
    the announced size exactly. Anything else gives nothing, without a message.
*/
std::optional<QByteArray> readAnnouncedStream(QIODevice *stream, qint64 announcedSize);

} // namespace Mervak
