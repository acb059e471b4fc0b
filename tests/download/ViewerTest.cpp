#include "download/PictureFile.h"
#include "download/ViewerFit.h"
#include "support/TestSupport.h"
#include "support/pictures/JpegSamples.h"

#include <gtest/gtest.h>

void PrintTo(const TPictureRect& r, std::ostream* os)
{
    *os << r.Left << "," << r.Top << " " << r.Width << "x" << r.Height;
}

namespace {

TEST(ViewerFit, LargePicturesShrinkToFitAndSmallOnesKeepTheirSize)
{
    // rW = 800/401 beats rH = 600/313: 401 x 300.75, taken whole, less 5.
    EXPECT_EQ(FitPicture(800, 600, 401, 313), (TPictureRect{2, 8, 396, 296}));
    EXPECT_EQ(FitPicture(300, 1000, 400, 400), (TPictureRect{142, 2, 115, 395}));
    // As wide as the page counts as too large.
    EXPECT_EQ(FitPicture(400, 10, 400, 300), (TPictureRect{2, 148, 395, 5}));
    EXPECT_EQ(FitPicture(100, 50, 401, 313), (TPictureRect{150, 131, 100, 50}));
    EXPECT_EQ(FitPicture(100, 50, 0, 0), TPictureRect{});
    EXPECT_EQ(FitPicture(1000, 1000, 3, 3), (TPictureRect{2, 2, 0, 0}));
}

TEST(ViewerFiles, LoadsJpegsAndTheLoadingBitmap)
{
    TempDir dir;
    WriteFile(dir.File("pic"), EncodeJpeg(30, 20, 90, false));
    EXPECT_EQ(LoadPicture(dir.File("pic")).size(), QSize(30, 20));
    const QImage loading = LoadPicture(GS_PROGRAM_DIR "/loading.bmp");
    EXPECT_FALSE(loading.isNull());
    EXPECT_LT(loading.width(), 401); // shown unscaled on the smallest viewer page
}

TEST(ViewerFiles, LoadsEveryPictureType)
{
    const std::pair<const char*, QSize> files[] = {
        {"plain.png", {70, 45}}, {"plain.gif", {160, 90}}, {"lossy.webp", {131, 83}},
        {"lossless.webp", {70, 45}}, {"extended.webp", {203, 149}}, {"progressive.jpg", {203, 149}},
    };
    for (const auto& [file, size] : files)
        EXPECT_EQ(LoadPicture(std::string(std::getenv("GS_SOURCE_DIR")) + "/tests/pictures/samples/" + file).size(), size)
            << file;
}

} // namespace
