#include "RawHttp.h"
#include "RunningWeb.h"

#include "sampleweb/Catalogue.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace sampleweb;

namespace {

std::vector<ListedPicture> Sorted(std::vector<ListedPicture> list)
{
    for (ListedPicture& p : list)
        p.url = RunningWeb().Expand(p.url);
    std::sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.url < b.url; });
    return list;
}

SearchSettings Settings(bool checkLinks, bool recursive, SizeFilter filter = {})
{
    SearchSettings settings;
    settings.checkLinks = checkLinks;
    settings.recursive = recursive;
    settings.filter = filter;
    return settings;
}

const std::vector<ListedPicture> BehindThumbnails = {
    {"{SiteA}/gallery/pics/more-50000.jpg", "50000"},
    {"{SiteA}/gallery/thumbs/deeper-21000.jpg", "21000"},
    {"{SiteB}/photos/pics/reeds-120000.jpg", "120000"},
    {"{SiteB}/photos/pics/heron-999000.jpg", "999000"},
};

std::vector<ListedPicture> CheckedAndRecursive()
{
    std::vector<ListedPicture> list = {
        {"{SiteB}/stock/boat-45000.jpg", "45000"},
        {"{SiteA}/gallery/pics/sunset-20000.jpg", "20000"},
        {"{SiteB}/stock/kite-70000.jpg", "70000"},
        {"{SiteB}/stock/storm-400000.jpg", "400000"},
        {"{SiteA}/catalog/fjord-120000.jpg", "120000"},
        {"{SiteA}/catalog/meadow-20001.jpg", "20001"},
        {"{SiteB}/photos/pics/lake-64000.jpg", "64000"},
        {"{SiteA}/catalog/aurora-75000.jpg", "75000"},
        {"{SiteA}/gallery/pics/lighthouse-48000.jpg", "48000"},
        {"{SiteA}/gallery/big/beach-1000000.jpg", "1000000"},
        {"{SiteA}/downloads/harbour-35000.jpg", "35000"},
        {"{SiteB}/photos/big/forest-250000.jpg", "250000"},
        {"{SiteA}/stream/nolength.jpg", "UNKNOWN"},
        {"{SiteB}/photos/thumbs/to-gallery-25000.jpg", "25000"},
        {"{SiteB}/travel/trip/pier-80000.jpg", "80000"},
    };
    list.insert(list.end(), BehindThumbnails.begin(), BehindThumbnails.end());
    return list;
}

// Found, but out with checks: too small, too large, not pictures, never answered.
const std::vector<std::string> OnlyUnchecked = {
    "{SiteA}/shared/banner-15000.jpg", "{SiteA}/gallery/big/dunes-1000001.jpg", "{SiteA}/errors/missing.jpg",
    "{SiteA}/errors/page-as-picture.jpg", "{SiteA}/errors/moved.jpg", "{Stall}/never.jpg",
    "{SiteB}/stock/pebble-19999.jpg", "{SiteA}/catalog/glacier-1200000.jpg", "{SiteB}/travel/trip/gull-9000.jpg",
};

TEST(SampleWebCatalogue, CheckedRecursiveSearchListsPicturesInsideTheFilterOnce)
{
    const Catalogue catalogue(RunningWeb());
    EXPECT_EQ(catalogue.Listing({}), Sorted(CheckedAndRecursive()));
}

TEST(SampleWebCatalogue, UncheckedSearchListsEveryAcceptableLinkAsUnknown)
{
    std::vector<ListedPicture> expected = CheckedAndRecursive();
    for (ListedPicture& p : expected)
        p.size = "UNKNOWN";
    for (const std::string& url : OnlyUnchecked)
        expected.push_back({url, "UNKNOWN"});
    EXPECT_EQ(Catalogue(RunningWeb()).Listing(Settings(false, true)), Sorted(expected));
}

TEST(SampleWebCatalogue, WithoutRecursionPagesBehindThumbnailsAreNotVisited)
{
    std::vector<ListedPicture> expected = CheckedAndRecursive();
    std::erase_if(expected, [](const ListedPicture& p) {
        return std::find(BehindThumbnails.begin(), BehindThumbnails.end(), p) != BehindThumbnails.end();
    });
    const Catalogue catalogue(RunningWeb());
    EXPECT_EQ(catalogue.Listing(Settings(true, false)), Sorted(expected));

    const Addresses& web = RunningWeb();
    std::vector<std::string> listedPages = {web.Expand("{SiteA}/gallery/index.html"),
                                            web.Expand("{SiteB}/photos/index.html"),
                                            web.Expand("{SiteB}/travel/index.html")};
    std::sort(listedPages.begin(), listedPages.end());
    EXPECT_EQ(catalogue.PagesVisited(false), listedPages);
    EXPECT_EQ(catalogue.PagesVisited(true).size(), 5u);
}

TEST(SampleWebCatalogue, SizeFilterBoundsAreInclusiveAndCanBeSwitchedOff)
{
    const Catalogue catalogue(RunningWeb());
    const auto sizeOf = [&](const SearchSettings& settings, const std::string& url) {
        for (const ListedPicture& p : catalogue.Listing(settings))
            if (p.url == RunningWeb().Expand(url))
                return p.size;
        return std::string("not listed");
    };
    const SearchSettings narrow = Settings(true, true, {true, 64, true, 64});
    EXPECT_EQ(sizeOf(narrow, "{SiteB}/photos/pics/lake-64000.jpg"), "64000");
    EXPECT_EQ(sizeOf(narrow, "{SiteB}/stock/kite-70000.jpg"), "not listed");
    EXPECT_EQ(sizeOf(narrow, "{SiteA}/stream/nolength.jpg"), "UNKNOWN");
    const SearchSettings open = Settings(true, true, {false, 20, false, 1000});
    EXPECT_EQ(sizeOf(open, "{SiteB}/travel/trip/gull-9000.jpg"), "9000");
    EXPECT_EQ(sizeOf(open, "{SiteA}/catalog/glacier-1200000.jpg"), "1200000");
}

// What the catalogue lists after a check is what the servers answer.
TEST(SampleWebCatalogue, CheckedSizesAreTheServersContentLengths)
{
    for (const ListedPicture& p : Catalogue(RunningWeb()).Listing({})) {
        const RawAnswer answer = RawGet(p.url);
        EXPECT_EQ(answer.Header("content-type"), "image/jpeg") << p.url;
        EXPECT_EQ(p.size == "UNKNOWN" ? std::string() : p.size, answer.Header("content-length")) << p.url;
    }
}

} // namespace
