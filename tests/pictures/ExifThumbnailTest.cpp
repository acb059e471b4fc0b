#include "pictures/ExifThumbnail.h"
#include "support/pictures/JpegSamples.h"

#include <gtest/gtest.h>

namespace {

// Whole, the block gives its thumbnail in either byte order; cut anywhere,
// it gives none, however its offsets point.
TEST(ExifThumbnail, FoundOnlyInAWholeBlock)
{
    const std::string thumbnail = EncodeJpeg(32, 24, 80, false);
    for (const bool bigEndian : {false, true}) {
        const std::string block = MakeExifBlock(thumbnail, bigEndian);
        EXPECT_EQ(FindExifThumbnail(block), thumbnail) << bigEndian;
        for (size_t length = 0; length < block.size(); ++length)
            ASSERT_TRUE(FindExifThumbnail(std::string_view(block).substr(0, length)).empty()) << length;
    }
    EXPECT_TRUE(FindExifThumbnail(MakeExifBlock("not a picture", false)).empty());
}

} // namespace
