// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QObject>

namespace Mervak::Server {

/*!
    Turns SIGTERM and SIGINT (Ctrl+C and the console's close on Windows) into the signal
    stopRequested on the thread that created the watcher, where it is safe to stop.
    One instance per process.
*/
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void stopRequested();

private:
    void install();
};

} // namespace Mervak::Server
