#include "net/AliveWatch.h"
#include "net/CallHandler.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
struct TOwner {
    TAliveToken Alive;
    std::function<void(int)> OnEvent;
};
}

// The handler frees its owner, and with it the member it is called from:
// the copy runs to its end (the sanitizer build sees a use after free) and
// the watch tells the caller to stop.
TEST(AliveWatch, SaysWhetherTheOwnerSurvivedItsHandler)
{
    for (const bool freeOwner : {false, true}) {
        SCOPED_TRACE(freeOwner);
        auto owner = std::make_unique<TOwner>();
        int seen = 0;
        owner->OnEvent = [&, freeOwner](int value) {
            if (freeOwner)
                owner.reset();
            seen = value; // captures of the handler still readable
        };
        TOwner* raw = owner.get();
        const TAliveWatch alive = raw->Alive.Watch();
        CallHandler(raw->OnEvent, 7);
        EXPECT_EQ(static_cast<bool>(alive), !freeOwner);
        EXPECT_EQ(seen, 7);
        EXPECT_EQ(owner == nullptr, freeOwner);
    }
}

TEST(AliveWatch, WithoutAHandlerTheOwnerLives)
{
    TOwner owner;
    const TAliveWatch alive = owner.Alive.Watch();
    CallHandler(owner.OnEvent, 1);
    EXPECT_TRUE(alive);
}

// A stopped request renews its token: watches taken before end, later ones live.
TEST(AliveWatch, RenewingEndsTheWatchesTakenBefore)
{
    TAliveToken token;
    const TAliveWatch before = token.Watch();
    token.Renew();
    EXPECT_FALSE(before);
    EXPECT_TRUE(token.Watch());
}
