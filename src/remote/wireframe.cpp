// SPDX-License-Identifier: LicenseRef-Mervak
#include "wireframe.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace Mervak::Wire {

namespace {

constexpr int SliceMs = 250;

enum class Wait { Data, Closed, TimedOut, Cancelled };

// Waits until bytes are available; a silent peer is given timeoutMs in total.
Wait waitForData(QTcpSocket &socket, int timeoutMs, const ReadOptions &options)
{
    if (socket.bytesAvailable() > 0)
        return Wait::Data;
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (options.cancelled && options.cancelled())
            return Wait::Cancelled;
        if (socket.state() != QAbstractSocket::ConnectedState)
            return socket.bytesAvailable() > 0 ? Wait::Data : Wait::Closed;
        const int slice = int(std::min<qint64>(SliceMs, deadline.remainingTime()));
        if (socket.waitForReadyRead(std::max(slice, 0)) || socket.bytesAvailable() > 0)
            return Wait::Data;
        if (socket.error() != QAbstractSocket::SocketTimeoutError
            && socket.error() != QAbstractSocket::UnknownSocketError)
            return socket.bytesAvailable() > 0 ? Wait::Data : Wait::Closed;
        if (deadline.hasExpired())
            return Wait::TimedOut;
    }
}

// Reads exactly size bytes into out; first says whether nothing of the frame has come yet.
ReadStatus readExactly(QTcpSocket &socket, char *out, qint64 size, bool first,
                       const ReadOptions &options)
{
    qint64 done = 0;
    while (done < size) {
        const int timeout = first && done == 0 ? options.firstByteTimeoutMs
                                               : options.silenceTimeoutMs;
        switch (waitForData(socket, timeout, options)) {
        case Wait::Data:
            break;
        case Wait::Closed:
            return first && done == 0 ? ReadStatus::Closed : ReadStatus::Broken;
        case Wait::TimedOut:
            return first && done == 0 ? ReadStatus::Idle : ReadStatus::Stalled;
        case Wait::Cancelled:
            return ReadStatus::Cancelled;
        }
        const qint64 n = socket.read(out + done, size - done);
        if (n < 0)
            return ReadStatus::Broken;
        done += n;
    }
    return ReadStatus::Ok;
}

} // namespace

QByteArray frameHeader(quint32 length)
{
    QByteArray header(4, Qt::Uninitialized);
    qToBigEndian(length, header.data());
    return header;
}

ReadStatus readFrame(QTcpSocket &socket, const ReadOptions &options, QByteArray *payload,
                     quint32 *announced)
{
    char header[4];
    ReadStatus status = readExactly(socket, header, 4, true, options);
    if (status != ReadStatus::Ok)
        return status;
    const quint32 length = qFromBigEndian<quint32>(header);
    if (announced)
        *announced = length;
    if (length == 0 || length > MaxFrameSize)
        return ReadStatus::BadLength;

    // Room for the parser's read-ahead; resize keeps the capacity.
    QByteArray body(qsizetype(length) + PayloadPadding, Qt::Uninitialized);
    std::memset(body.data() + length, 0, std::size_t(PayloadPadding));
    body.resize(qsizetype(length));
    status = readExactly(socket, body.data(), qint64(length), false, options);
    if (status != ReadStatus::Ok)
        return status;
    *payload = std::move(body);
    return ReadStatus::Ok;
}

bool writeFrame(QTcpSocket &socket, const QByteArray &payload, int timeoutMs)
{
    if (payload.size() <= 0 || quint64(payload.size()) > MaxFrameSize)
        return false;
    if (socket.write(frameHeader(quint32(payload.size()))) != 4
        || socket.write(payload) != payload.size())
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesToWrite() > 0) {
        if (socket.state() != QAbstractSocket::ConnectedState)
            return false;
        const int left = int(std::max<qint64>(deadline.remainingTime(), 0));
        if (!socket.waitForBytesWritten(std::min(left, SliceMs)) && deadline.hasExpired())
            return false;
    }
    return true;
}

} // namespace Mervak::Wire
