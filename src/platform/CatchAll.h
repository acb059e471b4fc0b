#pragma once
#include "platform/ErrorLog.h"

// The catch-all convention: run the body; on any failure swallow it, append
// the routine's fixed log line and return with the state reached.
// Returns true when the body ran to its end.
template <class Body>
bool CatchAll(const char* logLine, Body&& body) noexcept
{
    try {
        body();
        return true;
    } catch (...) {
        try {
            ErrorLog::Append(logLine);
        } catch (...) {
        }
        return false;
    }
}
