#pragma once
#include "net/WSocketLine.h"

#include <functional>

// Blocking helpers that pump messages until a flag is set.
class TCustomSyncWSocket : public TCustomLineWSocket {
public:
    static constexpr int WaitTimedOut = 12001;

    // Pumps messages until Flag becomes true: 0, or WaitTimedOut when the time
    // limit passed, the application is quitting or the pump met a quit message.
    virtual int WaitForFlag(const bool& Flag);
    // Clears Flag, runs Proc when given, then waits for Flag.
    virtual int RunAndWait(bool& Flag, const std::function<void()>& Proc);

    int Timeout() const { return FTimeout; } // milliseconds, 0 for none
    void SetTimeout(int Value) { FTimeout = Value; }

private:
    int FTimeout = 0;
};
