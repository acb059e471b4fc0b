#include "platform/CatchAll.h"
#include "platform/MessageWindow.h"
#include "platform/Random.h"
#include "platform/TickCount.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

TEST(TickCount, OffsetReachesTheWrap)
{
    const uint32_t base = GetTickCount() - TickCountOffset();
    SetTickCountOffset(0xFFFFFFFFu - base - 10);
    const uint32_t before = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return GetTickCount() < before; }, std::chrono::seconds(1)));
    const uint32_t after = GetTickCount();
    SetTickCountOffset(0);
    EXPECT_GT(before, 0xFFFFFF00u);
    EXPECT_LT(after, 0x1000u); // wrapped
    EXPECT_LT(static_cast<uint32_t>(after - before), 1000u);
}

TEST(Random, StaysInRangeAndRepeatsWithASeed)
{
    RandSeed(7);
    std::vector<int32_t> first;
    for (int i = 0; i < 100; ++i) {
        first.push_back(Random(2147483647));
        EXPECT_GE(first.back(), 0);
        EXPECT_LE(first.back(), 2147483646);
    }
    RandSeed(7);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(Random(2147483647), first[static_cast<size_t>(i)]);
}

TEST(CatchAll, LogsTheFixedLineAndKeepsTheStateReached)
{
    ErrorLog::ClearForTest();
    int state = 0;
    EXPECT_FALSE(CatchAll("error code : #0033 (FixMultiQuery)", [&] {
        state = 1;
        throw std::runtime_error("whatever");
    }));
    EXPECT_EQ(state, 1);
    EXPECT_TRUE(CatchAll("unused", [&] { state = 2; }));
    ASSERT_EQ(ErrorLog::Lines().size(), 1u);
    EXPECT_EQ(ErrorLog::Lines()[0], "error code : #0033 (FixMultiQuery)");
}

TEST(MessageWindow, DeliversInOrderAndDropsWhatIsQueuedWhenDestroyed)
{
    std::vector<uint32_t> got;
    auto w = std::make_unique<TMessageWindow>([&](const TMessage& m) { got.push_back(m.Msg); });
    w->PostMessage(1);
    w->PostMessage(2, 3, -4);
    EXPECT_TRUE(got.empty()); // never delivered inside PostMessage
    ProcessMessages();
    EXPECT_EQ(got, (std::vector<uint32_t>{1, 2}));

    w->PostMessage(5);
    w.reset();
    ProcessMessages();
    EXPECT_EQ(got.size(), 2u);
}

TEST(MessageWindow, HandlerMayDestroyItsWindow)
{
    int calls = 0;
    TMessageWindow* raw = nullptr;
    raw = new TMessageWindow([&](const TMessage&) {
        ++calls;
        delete raw;
    });
    raw->PostMessage(1);
    raw->PostMessage(2);
    ProcessMessages();
    ProcessMessages();
    EXPECT_EQ(calls, 1);
}

} // namespace
