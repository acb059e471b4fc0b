#include "extract/LinkExtractor.h"
#include "extract/SinkRecorder.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kGalleryUrl = "http://example.test/gallery/index.html";
const TPictureTypes kAll = TPictureTypes::All();

std::vector<std::string> Listed(const std::vector<std::string>& lines, TPictureTypes types, bool thumbnailPage = false)
{
    TSinkRecorder sink;
    sink.Types = types;
    if (thumbnailPage)
        CheckNewPageForSrc(lines, kGalleryUrl, sink);
    else
        StartExtractLoop(lines, kGalleryUrl, sink);
    return sink.Results();
}

TEST(ExtractorOtherTypes, QuotedLinksOfTheTypesSwitchedOn)
{
    const std::vector<std::string> page{
        R"(<img src="pics/a.png"> <img src='b.gif'>)",
        R"(<a href="http://example.test/x/c.webp">c</a> <img src="d.PNG"> <img src="e.png?x=1">)",
        R"(<img src="f.png"><img src="pics/a.png">)",
    };
    EXPECT_THAT(Listed(page, TPictureTypes::JpegOnly()), IsEmpty());
    EXPECT_THAT(Listed(page, kAll),
                ElementsAre("AddToListView http://example.test/gallery/pics/a.png 0",
                            "AddToListView http://example.test/gallery/b.gif 0",
                            "AddToListView http://example.test/x/c.webp 0",
                            "AddToListView http://example.test/gallery/f.png 0"));
    EXPECT_THAT(Listed(page, TPictureTypes().With(TPictureType::Gif)),
                ElementsAre("AddToListView http://example.test/gallery/b.gif 0"));
    // A page behind a thumbnail is read the same way.
    EXPECT_THAT(Listed({R"(<img src="big.webp">)"}, kAll, true),
                ElementsAre("AddToListView http://example.test/gallery/big.webp 0"));
}

TEST(ExtractorOtherTypes, JpegLinksAreFoundOnceAsBefore)
{
    EXPECT_THAT(Listed({R"(<img src="pics/a.jpg"> <img src="b.png">)"}, kAll),
                ElementsAre("AddToListView http://example.test/gallery/pics/a.jpg 0",
                            "AddToListView http://example.test/gallery/b.png 0"));
}

} // namespace
