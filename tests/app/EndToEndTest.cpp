#include "EndToEndFixture.h"

#include "platform/TickCount.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <map>

namespace {

using sampleweb::Host;
using sampleweb::ListedPicture;

TEST_F(EndToEnd, CheckedSearchListsExactlyWhatPassesTheFilter)
{
    Search(true, true);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(90)));
    const auto expected = Expected(true, true);
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(form->FoundLabel->text().toStdString(), std::to_string(expected.size()));

    // The picture sizes around the filter's bounds, by their exact sizes.
    std::vector<std::string> sizes;
    for (const auto& row : Listed())
        sizes.push_back(row.size);
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), "20000"), sizes.end());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), "1000000"), sizes.end());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), "UNKNOWN"), sizes.end());
    EXPECT_EQ(std::find(sizes.begin(), sizes.end(), "15000"), sizes.end());
    EXPECT_EQ(std::find(sizes.begin(), sizes.end(), "1000001"), sizes.end());
    for (const auto& row : Listed())
        EXPECT_EQ(row.url.find('?'), std::string::npos) << row.url;

    // The stalling check ends by the time-out and is reaped.
    SetTickCountOffset(TickCountOffset() + 31000);
    EXPECT_TRUE(WaitUntil([&] { return form->Engine.Work().ChecksHeld == 0; }, std::chrono::seconds(10)));
    SetTickCountOffset(0);
    EXPECT_NE(form->TimeoutLog->toPlainText().toStdString().find("CheckLink:\t" + web.GetAddresses().Base(Host::Stall)),
              std::string::npos);
    EXPECT_EQ(Listed(), expected);
}

TEST_F(EndToEnd, RecursionOffLeavesOutOnlyThePicturesBehindThumbnailPages)
{
    const auto withRecursion = Expected(true, true);
    const auto without = Expected(true, false);
    ASSERT_LT(without.size(), withRecursion.size());
    Search(true, false);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(90)));
    EXPECT_EQ(Listed(), without);
}

TEST_F(EndToEnd, UncheckedSearchListsEveryPictureAtOnceAsUnknown)
{
    Search(false, true);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(90)));
    const auto expected = Expected(false, true);
    EXPECT_EQ(Listed(), expected);
    EXPECT_TRUE(form->Engine.Work().ChecksHeld == 0);
    for (const auto& row : Listed())
        EXPECT_EQ(row.size, "UNKNOWN");
}

TEST_F(EndToEnd, NothingIsAddedAfterAbort)
{
    Search(true, true);
    ASSERT_TRUE(WaitUntil([&] { return form->ResultList->RowCount() > 0; }, std::chrono::seconds(60)));
    form->AbortButtonClick();
    const auto atAbort = Listed();
    ASSERT_TRUE(WaitUntil([&] { return form->Engine.Work().PagesHeld == 0 && form->Engine.Work().ChecksHeld == 0; },
                          std::chrono::seconds(30)));
    // Every timer of the search ticks twice more: nothing left starts or adds a row.
    QObject watch;
    std::map<QTimer*, int> ticks;
    for (QTimer* t : SchedulerTimers())
        QObject::connect(t, &QTimer::timeout, &watch, [&ticks, t] { ++ticks[t]; });
    ASSERT_TRUE(WaitUntil([&] {
        const auto timers = SchedulerTimers();
        return std::all_of(timers.begin(), timers.end(), [&](QTimer* t) { return ticks[t] >= 2; });
    }));
    EXPECT_EQ(Listed(), atAbort);
    EXPECT_EQ(form->Engine.Work().PagesQueued, 0u);
    EXPECT_EQ(form->Engine.Work().ChecksQueued, 0u);
}

} // namespace
