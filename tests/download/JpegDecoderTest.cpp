#include "download/JpegDecoder.h"
#include "support/pictures/JpegSamples.h"

#include <gtest/gtest.h>

namespace {

QImage Decode(const std::string& bytes)
{
    return DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string DecodeError(const std::string& bytes)
{
    try {
        Decode(bytes);
    } catch (const EPictureError& e) {
        return e.what();
    }
    return "decoded";
}

// Offset of the frame header's height field (SOF0 or SOF2).
size_t FrameSize(const std::string& jpeg)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (static_cast<uchar>(jpeg[i]) == 0xFF && (static_cast<uchar>(jpeg[i + 1]) == 0xC0 || static_cast<uchar>(jpeg[i + 1]) == 0xC2))
            return i + 5;
    return std::string::npos;
}

// The file with its last scan repeated, as a hostile encoder might.
std::string RepeatLastScan(const std::string& jpeg, int times)
{
    const size_t sos = jpeg.rfind("\xFF\xDA");
    const std::string scan = jpeg.substr(sos, jpeg.size() - 2 - sos);
    std::string out = jpeg.substr(0, jpeg.size() - 2);
    for (int i = 0; i < times; ++i)
        out += scan;
    return out + "\xFF\xD9";
}

TEST(JpegDecoder, DecodesColourGreyAndCmykPictures)
{
    for (bool progressive : {false, true}) {
        const QImage image = Decode(EncodeJpeg(37, 21, 90, progressive));
        EXPECT_EQ(image.size(), QSize(37, 21));
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
    }
    const QImage red = Decode(EncodeSolidJpeg(16, 16, 250, 10, 10));
    const QColor c = red.pixelColor(8, 8);
    EXPECT_NEAR(c.red(), 250, 4);
    EXPECT_NEAR(c.green(), 10, 4);

    const QImage cyan = Decode(EncodeSolidCmykJpeg(16, 16, 255, 0, 0, 0));
    const QColor k = cyan.pixelColor(8, 8);
    EXPECT_LT(k.red(), 8);
    EXPECT_GT(k.green(), 247);
    EXPECT_GT(k.blue(), 247);
}

TEST(JpegDecoder, RefusesDamagedData)
{
    const std::string good = EncodeJpeg(64, 64, 90, false);
    EXPECT_EQ(DecodeError(""), "Empty JPEG data");
    EXPECT_NE(DecodeError(good.substr(0, good.size() / 2)), "decoded"); // truncated in the scan
    EXPECT_NE(DecodeError(good.substr(0, 40)), "decoded");               // truncated in the header
    EXPECT_NE(DecodeError(EncodeJpeg(64, 64, 90, true).substr(0, 600)), "decoded");
    EXPECT_NE(DecodeError("\xFF\xD8<html>404 Not Found</html>"), "decoded");
    std::string garbage = "\xFF\xD8\xFF";
    for (int i = 0; i < 500; ++i)
        garbage += static_cast<char>((i * 131) & 0xFF);
    EXPECT_NE(DecodeError(garbage), "decoded");
}

TEST(JpegDecoder, AFileLackingOnlyItsEndMarkerShows)
{
    for (bool progressive : {false, true}) {
        const std::string whole = EncodeJpeg(64, 64, 90, progressive);
        ASSERT_EQ(whole.substr(whole.size() - 2), "\xFF\xD9");
        EXPECT_EQ(Decode(whole.substr(0, whole.size() - 2)), Decode(whole)) << progressive;
        // Cut between two scans, with no end marker either: refinements are missing.
        if (progressive) {
            EXPECT_EQ(DecodeError(whole.substr(0, whole.rfind("\xFF\xDA"))), "Premature end of JPEG file");
        }
    }
}

TEST(JpegDecoder, RefusesHugeDeclaredSizesBeforeDecoding)
{
    std::string huge = EncodeJpeg(16, 16, 90, false);
    const size_t at = FrameSize(huge);
    ASSERT_NE(at, std::string::npos);
    huge[at] = huge[at + 2] = static_cast<char>(0xFF); // 65500 x 65500
    huge[at + 1] = huge[at + 3] = static_cast<char>(0xDC);
    EXPECT_EQ(DecodeError(huge), "JPEG is too large");
}

TEST(JpegDecoder, RefusesThousandsOfScans)
{
    const std::string progressive = EncodeJpeg(16, 16, 90, true);
    EXPECT_EQ(DecodeError(RepeatLastScan(progressive, 5)), "decoded"); // odd but harmless
    EXPECT_EQ(DecodeError(RepeatLastScan(progressive, 3000)), "JPEG has too many scans");
}

} // namespace
