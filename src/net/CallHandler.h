#pragma once
#include <utility>

// Calls a copy of Handler, if set: a handler may free its component, and
// with it the member that holds the handler.
template <class Handler, class... Args>
void CallHandler(const Handler& handler, Args&&... args)
{
    if (!handler)
        return;
    const Handler copy = handler;
    copy(std::forward<Args>(args)...);
}
