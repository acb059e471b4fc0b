#include "PictureWorkFixture.h"

#include "controls/PictureView.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <filesystem>

namespace {

using sampleweb::Host;
namespace fs = std::filesystem;

class Viewer : public PictureWork {
protected:
    size_t Messages(const std::string& text) const
    {
        return static_cast<size_t>(std::count_if(dialogs.begin(), dialogs.end(),
                                                 [&](const Dialogs::Request& r) { return r.text == text; }));
    }
    std::string Scratch() const { return form->ScratchFolder; }
    bool ScratchEmpty() const { return !fs::exists(Scratch()) || fs::is_empty(Scratch()); }
};

TEST_F(Viewer, ViewImageShowsTheFirstSelectedPictureAndDeletesItsCopy)
{
    ListAndSelect({Url(Host::SiteA, "/gallery/pics/lighthouse-48000.jpg"), Url(Host::SiteB, "/stock/boat-45000.jpg")});
    form->LuminFade6Click();
    EXPECT_TRUE(form->ViewerShowing()); // the loading picture
    const QImage loading = form->ViewImage->Picture();
    ASSERT_TRUE(WaitUntil([&] { return form->ViewImage->Picture() != loading; }));
    EXPECT_TRUE(ScratchEmpty());
    EXPECT_TRUE(dialogs.empty());

    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(form->ViewerShowing());
    EXPECT_TRUE(form->SlideShowList.empty());
}

TEST_F(Viewer, AnErrorPageFetchedAsAPictureIsReportedAndDeleted)
{
    ListAndSelect({Url(Host::SiteA, "/errors/page-as-picture.jpg")});
    form->LuminFade6Click();
    ASSERT_TRUE(WaitUntil([&] { return Messages("Error viewing file.") == 1; }));
    EXPECT_EQ(ErrorLog::Lines().back(), "error code : #0052 (ViewImages)");
    EXPECT_TRUE(WaitUntil([&] { return ScratchEmpty(); }));
    EXPECT_TRUE(form->ViewerShowing()); // still the loading picture
}

TEST_F(Viewer, ADeadLinkCannotBeShownAndTheSlideShowGoesOn)
{
    ListAndSelect({Url(Host::SiteA, "/errors/missing.jpg")});
    form->LuminFade6Click();
    ASSERT_TRUE(WaitUntil([&] { return Messages("Error viewing file.") == 1; }));
    EXPECT_TRUE(ScratchEmpty());

    QTest::keyClick(form, Qt::Key_Escape);
    ListAndSelect({Url(Host::SiteB, "/stock/boat-45000.jpg")});
    form->SlideShowTimer->setInterval(100);
    form->LuminFade8Click();
    const QImage loading = form->ViewImage->Picture();
    ASSERT_TRUE(WaitUntil([&] { return form->ViewImage->Picture() != loading; }));
    EXPECT_EQ(Messages("Error viewing file."), 2u);
    EXPECT_TRUE(form->SlideShowList.empty());
    EXPECT_TRUE(ScratchEmpty());
}

TEST_F(Viewer, WithoutTheLoadingPictureTheFetchGoesOn)
{
    fs::remove(form->DataFolder + "/loading.bmp");
    ListAndSelect({Url(Host::SiteB, "/stock/boat-45000.jpg")});
    form->LuminFade6Click();
    EXPECT_EQ(Messages("Error viewing file."), 1u);
    EXPECT_FALSE(form->ViewerShowing());
    ASSERT_TRUE(WaitUntil([&] { return form->ViewerShowing(); }));
    EXPECT_FALSE(form->ViewImage->Picture().isNull());
}

TEST_F(Viewer, NothingSelectedKeepsTheLoadingPicture)
{
    form->LuminFade6Click();
    EXPECT_EQ(Messages("Please select a file first!"), 1u);
    EXPECT_TRUE(form->ViewerShowing());
    form->LuminFade5Click();
    EXPECT_EQ(Messages("Please select a file first!"), 2u);
    EXPECT_TRUE(opened.empty());
}

TEST_F(Viewer, BrowsePageOpensThePicturesFolder)
{
    ListAndSelect({Url(Host::SiteB, "/stock/boat-45000.jpg")});
    form->LuminFade5Click();
    EXPECT_EQ(opened, std::vector<std::string>{Url(Host::SiteB, "/stock/")});
}

TEST_F(Viewer, SlideShowNeedsTwoPicturesAndKeepsEachForTheWait)
{
    ListAndSelect({Url(Host::SiteA, "/gallery/pics/lighthouse-48000.jpg")});
    form->LuminFade8Click();
    EXPECT_EQ(Messages("You must select at least two files first!"), 1u);
    EXPECT_FALSE(form->ViewerShowing());

    ListAndSelect({Url(Host::SiteB, "/stock/boat-45000.jpg")});
    form->SlideShowTimer->setInterval(1000); // "Wait" 1
    QElapsedTimer clock;
    clock.start();
    // When each picture came up: a shown slide starts the timer at once, so
    // the time it has run tells that moment however late the test looks.
    std::vector<std::pair<qint64, QImage>> shown;
    auto record = [&] {
        const QImage& now = form->ViewImage->Picture();
        if (!shown.empty() && shown.back().second == now)
            return;
        const qint64 ran = form->SlideShowTimer->isActive()
                               ? form->SlideShowTimer->interval() - form->SlideShowTimer->remainingTime()
                               : 0;
        shown.emplace_back(clock.elapsed() - ran, now);
    };
    // Looked at from a timer, which also runs inside the show's own wait.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, record);
    watch.start(1);
    form->LuminFade8Click();
    WaitUntil([&] { return shown.size() == 3 && form->SlideShowList.empty(); }, std::chrono::seconds(15));
    ASSERT_EQ(shown.size(), 3u); // loading, first, second
    EXPECT_GE(shown[2].first - shown[1].first, 998);
    EXPECT_TRUE(ScratchEmpty());
}

TEST_F(Viewer, EscapeStopsASlideShow)
{
    ListAndSelect({Url(Host::SiteA, "/gallery/pics/lighthouse-48000.jpg"), Url(Host::SiteB, "/stock/boat-45000.jpg"),
                   Url(Host::SiteB, "/stock/kite-70000.jpg")});
    form->SlideShowTimer->setInterval(1000);
    form->LuminFade8Click();
    const QImage loading = form->ViewImage->Picture();
    ASSERT_TRUE(WaitUntil([&] { return form->ViewImage->Picture() != loading; }));
    const QImage first = form->ViewImage->Picture();
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(form->ViewerShowing());
    EXPECT_TRUE(form->SlideShowStopped);
    EXPECT_TRUE(form->SlideShowList.empty());
    // The picture fetched meanwhile arrives, and the show ends there.
    ASSERT_TRUE(WaitUntil([&] { return form->FileFetches.Running() == 0; }));
    EXPECT_FALSE(form->ViewerShowing());
    EXPECT_FALSE(form->SlideShowTimer->isActive());
    EXPECT_TRUE(ScratchEmpty()); // the picture fetched meanwhile is not left behind
}

} // namespace
