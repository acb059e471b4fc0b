#include "controls/AdImage.h"

#include "platform/SharedLibrary.h"
#include "platform/ui/Dialogs.h"
#include "support/TestSupport.h"

#include <QDesktopServices>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records what the library opens through the shell instead of starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
    Q_INVOKABLE void Open(const QUrl& url) { opened.push_back(url); }
};

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

int Colours(const QImage& shot)
{
    QSet<QRgb> colours;
    const QImage rgb = shot.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    return static_cast<int>(colours.size());
}

bool AllBlack(const QImage& shot)
{
    const QImage rgb = shot.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

// The library's banner of size index 1 (468 x 60), painted into a surface of the given pixels.
QImage PaintBanner(const TSharedLibrary& library, QSize pixels)
{
    const auto startup = reinterpret_cast<AdStartupProc>(library.Resolve("_Startup"));
    const auto paint = reinterpret_cast<AdPaintProc>(library.Resolve("_Paint"));
    const auto shutdown = reinterpret_cast<AdShutdownProc>(library.Resolve("_Shutdown"));
    void* state = nullptr;
    AdContext context{&state, 0};
    QImage image(pixels, QImage::Format_RGB32);
    AdSurface surface{image.width(), image.height(), static_cast<int32_t>(image.bytesPerLine()), image.bits()};
    EXPECT_TRUE(startup(&context, nullptr, 0, 311, 1, 0) & 0xFFFF);
    EXPECT_TRUE(paint(&context, &surface, 0, 0) & 0xFFFF);
    shutdown(&context);
    return image;
}

// The mean difference of two pictures of one size, per channel, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// Raises a library event on every banner, as the library's own timers do.
void Trigger(const TSharedLibrary& library, int event)
{
    const auto trigger = reinterpret_cast<AdDebugTriggerEventProc>(library.Resolve("_debugTriggerEvent"));
    ASSERT_NE(trigger, nullptr);
    trigger(nullptr, event);
}

class AdImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAdImage::SetLibraryFolder(GS_PROGRAM_DIR);
        Dialogs::SetResponder([this](const Dialogs::Request& r) {
            boxes.push_back(r.caption + ": " + r.text);
            return Dialogs::Answer{};
        });
        QDesktopServices::setUrlHandler("http", &urls, "Open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler("http");
        Dialogs::SetResponder(nullptr);
        TAdImage::SetLibraryFolder({});
    }

    // Counts the control's two events.
    void Watch(TAdImage& ad)
    {
        ad.OnNetworkRequest = [this](TAdImage* sender) { network.push_back(sender); };
        ad.OnAdCounted = [this](TAdImage* sender) { counted.push_back(sender); };
    }

    std::vector<std::string> boxes;
    std::vector<TAdImage*> network;
    std::vector<TAdImage*> counted;
    UrlRecorder urls;
};

TEST_F(AdImage, BoundsSnapInPlaceAndLayoutsResizeToo)
{
    TAdImage ad;
    EXPECT_EQ(ad.size(), QSize(468, 60));
    ad.SetBounds(10, 5, 200, 60);
    EXPECT_EQ(ad.geometry(), QRect(10, 5, 234, 60));
    EXPECT_EQ(ad.Size(), TAdImageSize::ADS234x60);
    ad.show();
    ad.resize(120, 200);
    EXPECT_EQ(ad.size(), QSize(120, 240));
    ad.SetSize(TAdImageSize::ADS88x31);
    EXPECT_EQ(ad.size(), QSize(88, 31));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AdImage, StartsAfterLoadingWithTheSettingsStoredBefore)
{
    TAdImage quick;
    TAdImage slow;
    Watch(quick);
    Watch(slow);
    EXPECT_FALSE(quick.NetworkIsUp()); // not started: the library is not asked
    quick.SetBandwidthThrottle(1000);
    slow.SetMinimumAdDisplayTime(3600000);
    EXPECT_FALSE(quick.Started());
    quick.Loaded();
    slow.Loaded();
    ASSERT_TRUE(quick.Started());
    ASSERT_TRUE(slow.Started());
    EXPECT_TRUE(quick.NetworkIsUp());

    quick.grab();
    slow.grab();
    ASSERT_TRUE(WaitUntil([&] { return !counted.empty(); }));
    EXPECT_EQ(counted, std::vector<TAdImage*>{&quick}); // slow must stay up an hour first
}

// A second start does nothing: a value the library refuses since is not
// sent again, and the first start's result stands.
TEST_F(AdImage, ASecondStartDoesNothing)
{
    TAdImage ad;
    ASSERT_TRUE(ad.StartAds());
    ad.SetMinimumAdDisplayTime(-1); // forwarded at once, and refused
    EXPECT_TRUE(ad.StartAds());
    EXPECT_TRUE(ad.Started());
}

TEST_F(AdImage, AdoAllSendsAllBits)
{
    TAdImage ad;
    ad.SetOptions({TAdOption::adoAll});
    EXPECT_EQ(ad.OptionFlags(), 0xFFFFFFFFu);
    EXPECT_EQ(ad.Options().size(), 4u);
    ad.Loaded();
    ASSERT_TRUE(ad.Started());
    EXPECT_FALSE(ad.NetworkIsUp()); // the no-connect bit reached the library
}

TEST_F(AdImage, DrawsAnAdvertisementAndClickOpensItsAddress)
{
    TAdImage ad;
    Watch(ad);
    int clicks = 0;
    ad.OnClick = [&](TAdImage*) { ++clicks; };
    ad.Loaded();
    EXPECT_GT(Colours(ad.grab().toImage()), 100);
    ad.show();
    QTest::mouseClick(&ad, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(urls.opened.size(), 1u);
    EXPECT_TRUE(urls.opened[0].toString().endsWith(".example/"));

    ad.SetNetworkIsUp(false); // now a click asks for the network instead
    EXPECT_FALSE(ad.NetworkIsUp());
    ad.Click();
    EXPECT_EQ(urls.opened.size(), 1u);
    EXPECT_EQ(network, std::vector<TAdImage*>{&ad});
}

TEST_F(AdImage, LibraryCallbacksRaiseTheEvents)
{
    TSharedLibrary library(std::string(GS_PROGRAM_DIR) + "/" ADVERT_LIBRARY_FILE);
    TAdImage ad;
    Watch(ad);
    ad.Loaded();
    Trigger(library, ADVERT_EVENT_NETWORK);
    Trigger(library, ADVERT_EVENT_RECORDED);
    EXPECT_EQ(network, std::vector<TAdImage*>{&ad});
    EXPECT_EQ(counted, std::vector<TAdImage*>{&ad});
}

TEST_F(AdImage, RotationRepaintsWithTheNextAdvertisement)
{
    TSharedLibrary library(std::string(GS_PROGRAM_DIR) + "/" ADVERT_LIBRARY_FILE);
    TAdImage ad;
    PaintCounter counter;
    ad.installEventFilter(&counter);
    ad.Loaded();
    ad.show();
    ASSERT_TRUE(WaitUntil([&] { return counter.paints > 0; }));
    const QImage first = ad.grab().toImage();
    counter.paints = 0;
    Trigger(library, ADVERT_EVENT_ROTATE);
    EXPECT_TRUE(WaitUntil([&] { return counter.paints > 0; }, std::chrono::seconds(2)));
    EXPECT_NE(ad.grab().toImage(), first);
}

TEST_F(AdImage, MissingEntryPointsAreReportedAndNeverCalled)
{
    TAdImage::SetLibraryFolder(GS_ADVERT_PARTIAL_DIR);
    // Kept loaded by the test, so that the library outlives the control
    // that never shut it down (its _Shutdown is missing).
    TSharedLibrary library(std::string(GS_ADVERT_PARTIAL_DIR) + "/" ADVERT_LIBRARY_FILE);
    auto ad = std::make_unique<TAdImage>();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Assertion Failed: Couldn't find address of _Paint",
                                               "Assertion Failed: Couldn't find address of _OnClick",
                                               "Assertion Failed: Couldn't find address of _SetProxy",
                                               "Assertion Failed: Couldn't find address of _Shutdown"}));
    Watch(*ad);
    int clicks = 0;
    ad->OnClick = [&](TAdImage*) { ++clicks; };
    ad->Loaded();
    ASSERT_TRUE(ad->Started());
    EXPECT_TRUE(AllBlack(ad->grab().toImage()));
    ad->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(urls.opened.empty());

    Trigger(library, ADVERT_EVENT_NETWORK);
    EXPECT_EQ(network.size(), 1u);
    ad.reset();
    for (int event : {ADVERT_EVENT_REPAINT, ADVERT_EVENT_NETWORK, ADVERT_EVENT_RECORDED})
        Trigger(library, event); // reaches a control that is gone
    EXPECT_EQ(network.size(), 1u);
    EXPECT_TRUE(counted.empty());
}

TEST_F(AdImage, ADenseScreensSurfaceGetsTheSameBannerAtItsScale)
{
    TSharedLibrary library(std::string(GS_PROGRAM_DIR "/") + ADVERT_LIBRARY_FILE);
    const QImage design = PaintBanner(library, {468, 60});
    const QImage dense = PaintBanner(library, {936, 120});
    const QImage reduced = dense.scaled(468, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(MeanDifference(design, reduced), 6.0);
}

TEST_F(AdImage, MissingLibraryGivesFifteenBoxesThenABlankBanner)
{
    TempDir empty;
    TAdImage::SetLibraryFolder(empty.Path());
    auto ad = std::make_unique<TAdImage>();
    std::vector<std::string> expected{"Assertion Failed: Couldn't load libadvert.so"};
    for (const char* name : {"_Startup", "_Paint", "_OnClick", "_SetCallback", "_SetNetworkCallback",
                             "_SetAdRecordedCallback", "_SetBandwidthThrottle", "_SetMinimumAdDisplayTime",
                             "_IsConnectOkay", "_RetryConnect", "_SetNetworkState", "_SetProxy", "_Shutdown",
                             "_debugTriggerEvent"})
        expected.push_back(std::string("Assertion Failed: Couldn't find address of ") + name);
    EXPECT_EQ(boxes, expected);

    ad->Loaded();
    EXPECT_FALSE(ad->Started());
    EXPECT_FALSE(ad->StartAds());
    ad->SetMinimumAdDisplayTime(5);
    ad->SetNetworkIsUp(true);
    EXPECT_FALSE(ad->NetworkIsUp());
    EXPECT_TRUE(AllBlack(ad->grab().toImage()));
    ad->Click();
    ad.reset();
}

} // namespace

#include "AdImageTest.moc"
