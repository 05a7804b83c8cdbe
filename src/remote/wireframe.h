// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QTcpSocket;

namespace Mervak::Wire {

// A frame is a 4-byte big-endian length N and N bytes of UTF-8 JSON holding one object.
inline constexpr quint32 MaxFrameSize = 64u * 1024u * 1024u;
// Bytes kept free after every received payload: the JSON parser reads ahead into them.
inline constexpr qsizetype PayloadPadding = 64;

enum class ReadStatus {
    Ok,
    Closed,      // the peer closed before a new frame started: the normal end of a sequence
    Idle,        // no frame started within the first-byte time-out
    Stalled,     // a frame started but stopped arriving within the silence time-out
    BadLength,   // N was 0 or above MaxFrameSize; the body was not read
    Broken,      // the connection ended in the middle of a frame, or a socket error
    Cancelled    // the cancel test said stop while waiting
};

struct ReadOptions
{
    int firstByteTimeoutMs = 30000;   // waiting for a frame to start
    int silenceTimeoutMs = 30000;     // longest pause inside a frame
    // Asked between waits of at most a quarter second; true stops the read.
    std::function<bool()> cancelled;
};

/*!
    Reads one frame with the socket's blocking calls, so it works on any thread without an
    event loop. On Ok, payload holds the N bytes, with PayloadPadding bytes of spare capacity
    after them. announced receives N as soon as the header has arrived.
*/
ReadStatus readFrame(QTcpSocket &socket, const ReadOptions &options, QByteArray *payload,
                     quint32 *announced = nullptr);

// Writes one frame and waits until the socket has sent it; false on failure or time-out.
bool writeFrame(QTcpSocket &socket, const QByteArray &payload, int timeoutMs);

QByteArray frameHeader(quint32 length);

} // namespace Mervak::Wire
