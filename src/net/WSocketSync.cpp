#include "net/WSocketSync.h"

#include "platform/TickCount.h"

#include <QCoreApplication>
#include <QThread>

int TCustomSyncWSocket::WaitForFlag(const bool& Flag)
{
    const uint32_t start = GetTickCount();
    while (!Flag) {
        if (FTimeout > 0 && GetTickCount() - start >= static_cast<uint32_t>(FTimeout))
            return WaitTimedOut;
        if (QCoreApplication::closingDown() || !InTurn([] { ProcessMessages(); }))
            return WaitTimedOut;
        QThread::yieldCurrentThread();
    }
    return 0;
}

int TCustomSyncWSocket::RunAndWait(bool& Flag, const std::function<void()>& Proc)
{
    Flag = false;
    if (Proc)
        Proc();
    return WaitForFlag(Flag);
}
