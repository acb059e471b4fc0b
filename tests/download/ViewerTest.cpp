#include "download/PictureFile.h"
#include "controls/PictureView.h"
#include "download/JpegSamples.h"
#include "platform/ErrorLog.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <vector>

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

TEST(PictureView, RefitsWhenResized)
{
    TPictureView view;
    view.resize(401, 313);
    view.SetPicture(QImage(800, 600, QImage::Format_RGB888));
    EXPECT_EQ(view.PictureRect(), (TPictureRect{2, 8, 396, 296}));
    view.resize(1000, 800);
    EXPECT_EQ(view.PictureRect(), (TPictureRect{100, 100, 800, 600}));
}

class ViewerFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorLog::ClearForTest();
        Dialogs::SetResponder([this](const Dialogs::Request& r) {
            messages.push_back(r.text);
            return Dialogs::Answer{};
        });
    }
    void TearDown() override { Dialogs::SetResponder({}); }

    TempDir dir;
    std::vector<std::string> messages;
};

TEST_F(ViewerFiles, LoadsJpegsAndTheLoadingBitmap)
{
    WriteFile(dir.File("pic"), EncodeJpeg(30, 20, 90, false));
    EXPECT_EQ(LoadPicture(dir.File("pic")).size(), QSize(30, 20));
    const QImage loading = LoadPicture(GS_PROGRAM_DIR "/loading.bmp");
    EXPECT_FALSE(loading.isNull());
    EXPECT_LT(loading.width(), 401); // shown unscaled on the smallest viewer page
}

TEST_F(ViewerFiles, AFileThatIsNoPictureIsReportedAndTheViewKeepsItsPicture)
{
    TPictureView view;
    WriteFile(dir.File("good.jpg"), EncodeJpeg(30, 20, 90, false));
    WriteFile(dir.File("error.jpg"), "<html><body>404 Not Found</body></html>");
    ASSERT_TRUE(ViewPictureFile(view, dir.File("good.jpg")));
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(ViewPictureFile(view, dir.File("error.jpg")));
    EXPECT_FALSE(ViewPictureFile(view, dir.File("missing.jpg")));
    EXPECT_EQ(messages, (std::vector<std::string>{"Error viewing file.", "Error viewing file."}));
    EXPECT_EQ(ErrorLog::Lines(), (std::vector<std::string>{"error code : #0052 (ViewImages)", "error code : #0052 (ViewImages)"}));
    EXPECT_EQ(view.Picture().size(), QSize(30, 20));
}

} // namespace
