#pragma once
#include <deque>
#include <functional>

// Something an object tells whoever listens: each listener is called in the
// order it was added, every time. Only Owner fires it, so a listener cannot
// pretend the owner spoke, nor replace the others.
template <class Owner, class... Args>
class TEvent {
public:
    using THandler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void Listen(THandler handler) { FHandlers.push_back(std::move(handler)); }

private:
    friend Owner;

    // A listener added while the event fires hears the next firing; a deque
    // keeps the handler being called in place meanwhile.
    void operator()(Args... args) const
    {
        for (size_t i = 0, n = FHandlers.size(); i < n; ++i)
            FHandlers[i](args...);
    }

    std::deque<THandler> FHandlers;
};
