#include "cli/CliUnique.h"
#include "net/winsock/WinSockDns.h"
#include "sampleweb/SampleWeb.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Held pictures come out once their thumbnails have been tried: one of
// each group of look-alikes, the largest, numbered by its group's first
// picture; a picture without a thumbnail stands alone.
TEST(CliUnique, KeepsTheLargestOfEachGroupInTheOrderFound)
{
    WSocketSetDnsLookups("f");
    sampleweb::SampleWeb web;
    web.Start();
    const std::string lake = web.GetAddresses().Expand("{SiteB}/photos/pics/lake-64000.jpg");
    std::string byName = lake;
    byName.replace(byName.find("127.0.0.1"), 9, "localhost");
    TCliUnique unique(2);
    unique.Hold(web.GetAddresses().Expand("{SiteA}/errors/missing.jpg"), TPictureSize::Unchecked(), {});
    unique.Hold(lake, TPictureSize::Checked(64000), {});
    unique.Hold(web.GetAddresses().Expand("{SiteA}/gallery/pics/sunset-20000.jpg"), TPictureSize::Unchecked(), {});
    unique.Hold(byName, TPictureSize::Checked(64000), {240, 180});
    ASSERT_TRUE(WaitUntil([&] { return !unique.Busy(); }));
    const std::vector<TCliUnique::TPicture> kept = unique.Kept();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].Group, 1);
    EXPECT_EQ(kept[1].Url, lake);
    EXPECT_EQ(kept[1].Group, 2);
    EXPECT_EQ(kept[1].Size.Bytes(), 64000);
    EXPECT_EQ(kept[2].Group, 3);
}

} // namespace
