#pragma once
#include <utility>

// Where a failure is to end a step and nothing more (a handler's exception
// in a receive loop, a close while being destroyed, what a posted message
// runs), the step runs through Ignoring; false when it failed.
template <class Step>
bool Ignoring(Step&& step) noexcept
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}
