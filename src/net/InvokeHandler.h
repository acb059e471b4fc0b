#pragma once
#include <utility>

// A handler may free its component, and with it the handler itself: run a copy.
template <class Handler, class... Args>
void Invoke(const Handler& handler, Args&&... args)
{
    if (handler) {
        const Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
}
