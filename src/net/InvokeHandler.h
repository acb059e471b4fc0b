#pragma once
#include <memory>
#include <utility>

class TAliveWatch;

// Dies with the object that holds it. A handler may free its component at
// any time; a watch taken before code that runs handlers tells afterwards
// whether the component is still there.
class TAliveToken {
public:
    TAliveToken() = default;
    TAliveToken(const TAliveToken&) = delete;
    TAliveToken& operator=(const TAliveToken&) = delete;

    TAliveWatch Watch() const;

private:
    std::shared_ptr<const char> FToken = std::make_shared<const char>(0);
};

class TAliveWatch {
public:
    explicit TAliveWatch(std::weak_ptr<const char> Token) : FToken(std::move(Token)) {}
    // false once the token's owner is destroyed
    explicit operator bool() const { return !FToken.expired(); }

private:
    std::weak_ptr<const char> FToken;
};

inline TAliveWatch TAliveToken::Watch() const { return TAliveWatch(FToken); }

// Calls a copy of Handler (a handler may free its component, and with it the
// member that holds the handler); false when the call destroyed the owner of
// Alive. Without a handler: true.
template <class Handler, class... Args>
bool Invoke(const TAliveToken& Alive, const Handler& handler, Args&&... args)
{
    if (!handler)
        return true;
    const TAliveWatch alive = Alive.Watch();
    const Handler copy = handler;
    copy(std::forward<Args>(args)...);
    return static_cast<bool>(alive);
}
