// SPDX-License-Identifier: LicenseRef-Mervak
#include "endprocess.h"

#include <QMutex>
#include <QMutexLocker>

#include <cstdio>
#include <cstdlib>

namespace Mervak {

namespace {

QMutex hookMutex;
EndProcessHook &hookRef()
{
    static EndProcessHook hook;
    return hook;
}

} // namespace

void setEndProcessHook(EndProcessHook hook)
{
    QMutexLocker lock(&hookMutex);
    hookRef() = std::move(hook);
}

void EndProcess(int code)
{
    EndProcessHook hook;
    {
        QMutexLocker lock(&hookMutex);
        hook = hookRef();
    }
    if (hook) {
        hook(code);
        return;
    }
    std::fflush(nullptr);
    // Like the process termination of the system: no destructors, no pending events.
    std::_Exit(code);
}

} // namespace Mervak
