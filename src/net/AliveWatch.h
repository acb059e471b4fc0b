#pragma once
#include <memory>
#include <utility>

class TAliveWatch;

// Dies with the object that holds it (or when renewed). A handler may free
// its component at any time: code that runs handlers takes a watch first
// and stops as soon as the watch says the token is gone.
class TAliveToken {
public:
    TAliveToken() = default;
    TAliveToken(const TAliveToken&) = delete;
    TAliveToken& operator=(const TAliveToken&) = delete;

    TAliveWatch Watch() const;
    // Ends every watch taken so far, as if the holder had died.
    void Renew() { FToken = std::make_shared<const char>(0); }

private:
    std::shared_ptr<const char> FToken = std::make_shared<const char>(0);
};

class TAliveWatch {
public:
    explicit TAliveWatch(std::weak_ptr<const char> Token) : FToken(std::move(Token)) {}
    // false once the token's owner is destroyed or the token renewed
    explicit operator bool() const { return !FToken.expired(); }

private:
    std::weak_ptr<const char> FToken;
};

inline TAliveWatch TAliveToken::Watch() const { return TAliveWatch(FToken); }
