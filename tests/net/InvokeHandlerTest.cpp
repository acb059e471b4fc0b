#include "net/InvokeHandler.h"

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
// Invoke tells the caller to stop.
TEST(InvokeHandler, SaysWhetherTheOwnerSurvivedItsHandler)
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
        EXPECT_EQ(Invoke(raw->Alive, raw->OnEvent, 7), !freeOwner);
        EXPECT_EQ(seen, 7);
        EXPECT_EQ(owner == nullptr, freeOwner);
    }
}

TEST(InvokeHandler, WithoutAHandlerTheOwnerLives)
{
    TOwner owner;
    EXPECT_TRUE(Invoke(owner.Alive, owner.OnEvent, 1));
}
