#pragma once
#include "net/WSocketTypes.h"

#include <functional>
#include <string>

// The message of the socket exception the call throws; empty when it throws none.
inline std::string Message(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ESocketException& e) {
        return e.what();
    }
    return {};
}
