#include "controls/PictureView.h"
#include "platform/ErrorLog.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"
#include "support/pictures/JpegSamples.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(PictureView, RefitsWhenResized)
{
    TPictureView view;
    view.resize(401, 313);
    view.SetPicture(QImage(800, 600, QImage::Format_RGB888));
    EXPECT_EQ(view.PictureRect(), (TPictureRect{2, 8, 396, 296}));
    view.resize(1000, 800);
    EXPECT_EQ(view.PictureRect(), (TPictureRect{100, 100, 800, 600}));
}

class PictureViewFiles : public ::testing::Test {
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

TEST_F(PictureViewFiles, AFileThatIsNoPictureIsReportedAndTheViewKeepsItsPicture)
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
