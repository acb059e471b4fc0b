#include "download/JpegDecoder.h"
#include "download/Thumbnail.h"
#include "download/ThumbnailCache.h"
#include "support/TestSupport.h"
#include "support/pictures/JpegSamples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace {

struct TScaleCase {
    int Width, Height, Side;
    QSize Decoded; // what the decoder gives before any smoothing
};

// The largest of 1/8, 1/4 and 1/2 that keeps the longer side at least
// Side pixels; never the full size, however small the picture.
TEST(JpegThumbnail, DecoderScalesByTheLargestFittingFactor)
{
    const TScaleCase cases[] = {
        {2000, 1500, 128, {250, 188}}, // 1/8
        {1000, 750, 128, {250, 188}},  // 1/4
        {1023, 767, 128, {256, 192}},  // 1/8 gives 127: 1/4
        {300, 200, 128, {150, 100}},   // 1/2
        {100, 80, 128, {50, 40}},      // already small: still 1/2
        {200, 1600, 128, {25, 200}},   // the longer side counts
    };
    for (const TScaleCase& c : cases) {
        const std::string jpeg = EncodeJpeg(c.Width, c.Height, 80, false);
        const auto* data = reinterpret_cast<const unsigned char*>(jpeg.data());
        EXPECT_EQ(DecodeJpegThumbnail(data, jpeg.size(), c.Side).size(), c.Decoded) << c.Width << "x" << c.Height;
    }
}

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

TEST(JpegThumbnail, AProgressiveFileIsReadAsFarAsItsFirstScanOnly)
{
    const std::string jpeg = EncodeJpeg(2000, 1500, 90, true);
    const size_t first = jpeg.find("\xFF\xDA");
    const size_t second = jpeg.find("\xFF\xDA", first + 2);
    ASSERT_NE(second, std::string::npos);
    const QImage whole = DecodeJpegThumbnail(Bytes(jpeg), jpeg.size(), 128);
    EXPECT_EQ(whole.size(), QSize(250, 188));
    const std::string firstScan = jpeg.substr(0, second);
    EXPECT_EQ(DecodeJpegThumbnail(Bytes(firstScan), firstScan.size(), 128), whole);
    // Close to the full picture: each pixel the mean of its block.
    const QImage full = DecodeJpeg(Bytes(jpeg), jpeg.size());
    const QColor block = full.copy(800, 800, 8, 8).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
    const QColor pixel = whole.pixelColor(100, 100);
    EXPECT_NEAR(block.red(), pixel.red(), 8);
    EXPECT_NEAR(block.green(), pixel.green(), 8);
    EXPECT_NEAR(block.blue(), pixel.blue(), 8);
    for (const size_t cut : {first + 4, (first + second) / 2}) {
        const std::string part = jpeg.substr(0, cut);
        EXPECT_THROW(DecodeJpegThumbnail(Bytes(part), part.size(), 128), EPictureError) << cut;
    }
    // Every block where it belongs: close, over the whole picture, to the
    // thumbnail of the same picture written in one scan (whose chroma has
    // its first few AC coefficients too).
    const std::string sequential = EncodeJpeg(2000, 1500, 90, false);
    const QImage reference = DecodeJpegThumbnail(Bytes(sequential), sequential.size(), 128);
    ASSERT_EQ(reference.size(), whole.size());
    int64_t apart = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) {
            const QRgb a = whole.pixel(x, y), b = reference.pixel(x, y);
            apart += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(apart / (3.0 * whole.width() * whole.height()), 3.0);
}

struct TCameraCase {
    const char* What;
    std::string File;
    QSize Decoded; // empty: the file fails
};

// A camera's own thumbnail stands in for the decoding only where it looks
// right at the side asked for, and a cut file still fails.
TEST(JpegThumbnail, ACamerasThumbnailIsUsedWhenItFits)
{
    const std::string fourByThree = EncodeJpeg(160, 120, 90, false);
    const std::string camera = EncodeCameraJpeg(1600, 1200, 85, false, fourByThree);
    const TCameraCase cases[] = {
        {"4:3, little-endian", camera, {160, 120}},
        {"big-endian, progressive", EncodeCameraJpeg(1600, 1200, 85, true, fourByThree, true), {160, 120}},
        {"padded to 4:3 for a 3:2 picture", EncodeCameraJpeg(1500, 1000, 85, false, fourByThree), {188, 125}},
        {"smaller than the side", EncodeCameraJpeg(1600, 1200, 85, false, EncodeJpeg(96, 72, 90, false)), {200, 150}},
        {"broken after its frame header", EncodeCameraJpeg(1600, 1200, 85, false, fourByThree.substr(0, 400)), {200, 150}},
        {"in a file without its end marker", camera.substr(0, camera.size() - 2), {200, 150}},
        {"in a file cut short", camera.substr(0, camera.size() / 2), {}},
    };
    for (const TCameraCase& c : cases) {
        if (c.Decoded.isEmpty())
            EXPECT_THROW(DecodeJpegThumbnail(Bytes(c.File), c.File.size(), 128), EPictureError) << c.What;
        else
            EXPECT_EQ(DecodeJpegThumbnail(Bytes(c.File), c.File.size(), 128).size(), c.Decoded) << c.What;
    }
}

TEST(Thumbnail, EveryTypeFitsTheSideKeepingItsShape)
{
    EXPECT_EQ(MakeThumbnail(EncodeJpeg(2000, 1500, 80, true), 128).size(), QSize(128, 96));
    EXPECT_EQ(MakeThumbnail(EncodeJpeg(60, 40, 80, false), 128).size(), QSize(30, 20));
    const std::string samples = std::string(std::getenv("GS_SOURCE_DIR")) + "/tests/pictures/samples/";
    EXPECT_EQ(MakeThumbnail(ReadFile(samples + "extended.webp"), 128).size(), QSize(128, 93));
    EXPECT_EQ(MakeThumbnail(ReadFile(samples + "plain.gif"), 128).size(), QSize(128, 72));
    EXPECT_EQ(MakeThumbnail(ReadFile(samples + "plain.png"), 128).size(), QSize(70, 45));
    EXPECT_THROW(MakeThumbnail("<html>Not found</html>", 128), EPictureError);
    EXPECT_THROW(MakeThumbnail(EncodeJpeg(300, 200, 80, false).substr(0, 300), 128), EPictureError);
}

QImage Tile(int side) { return QImage(side, side, QImage::Format_ARGB32_Premultiplied); }

TEST(ThumbnailCache, KeepsTheRecentlyUsedWithinItsBound)
{
    const int64_t tile = Tile(64).sizeInBytes() + 256;
    TThumbnailCache cache(2 * tile + 300); // two tiles and a failure
    QImage image;
    cache.Put("a", Tile(64));
    cache.Put("b", Tile(64));
    cache.Put("bad", {});
    EXPECT_EQ(cache.Find("bad", image), TThumbnailCache::TState::Failed);
    EXPECT_EQ(cache.Find("a", image), TThumbnailCache::TState::Ready); // a is now the latest used
    cache.Put("c", Tile(64));                                         // b, the least recently used, goes
    EXPECT_EQ(cache.Find("b", image), TThumbnailCache::TState::Missing);
    EXPECT_EQ(cache.Find("a", image), TThumbnailCache::TState::Ready);
    EXPECT_EQ(cache.Find("c", image), TThumbnailCache::TState::Ready);
    EXPECT_LE(cache.Bytes(), cache.MaxBytes());
    cache.Put("c", Tile(32)); // replaced, counted once
    EXPECT_EQ(cache.Bytes(), tile + 256 + Tile(32).sizeInBytes() + 256); // a, the failure, c
    cache.Clear();
    EXPECT_EQ(cache.Bytes(), 0);
    EXPECT_EQ(cache.Find("a", image), TThumbnailCache::TState::Missing);
}

} // namespace
