#include "FormFixture.h"
#include "net/HttpTestServer.h"
#include "sampleweb/StallServer.h"

#include "platform/TickCount.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

class Scheduler : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        CreateForms();
        form->SearchActive = true;
    }
    void TearDown() override
    {
        FreezeTickCount(false);
        SetTickCountOffset(0);
        FormFixture::TearDown();
    }

    void QueuePages(int n)
    {
        for (int i = 0; i < n; ++i)
            form->QueuePageFetch(server.Url("/page" + std::to_string(i) + ".html"), 99);
    }
    void QueueChecks(int n)
    {
        for (int i = 0; i < n; ++i)
            form->QueueLinkCheck(server.Url("/pic" + std::to_string(i) + ".jpg"));
    }
    void SetProfile(bool slow)
    {
        form->GetPageClientLimit = slow ? 4 : 19;
        form->CheckLinkClientLimit = slow ? 9 : 24;
    }
    // Sets the clock so that it reads exactly `tick` now.
    static void SetNow(uint32_t tick) { SetTickCountOffset(tick - (GetTickCount() - TickCountOffset())); }

    // Takes connections and never answers: requests to it run until aborted.
    struct Stall {
        sampleweb::StallServer server;
        uint16_t port = server.Start();
        std::string Url(const std::string& path) const
        {
            return "http://127.0.0.1:" + std::to_string(port) + path;
        }
    } server;
};

TEST_F(Scheduler, SlowProfileStartsFiveAndNoMoreUntilOneIsReaped)
{
    SetProfile(true);
    QueuePages(20);
    form->Timer2Timer();
    EXPECT_EQ(form->GetPageClients.size(), 5u);
    EXPECT_EQ(form->GetPageRequests.size(), 5u);
    EXPECT_EQ(form->GetPageQueue.size(), 15u);
    form->Timer2Timer();
    EXPECT_EQ(form->GetPageClients.size(), 5u);

    form->GetPageRequests[2] = "X\t" + TextAfterTab(form->GetPageRequests[2]);
    form->Timer3Timer();
    EXPECT_EQ(form->GetPageClients.size(), 4u);
    form->Timer2Timer();
    EXPECT_EQ(form->GetPageClients.size(), 5u);
    EXPECT_EQ(form->GetPageQueue.size(), 14u);
}

TEST_F(Scheduler, NeverMoreThanEightStartsPerTickAndLimitPlusOneRun)
{
    SetProfile(false);
    QueuePages(30);
    QueueChecks(30);
    std::vector<size_t> pages, checks;
    for (int tick = 0; tick < 4; ++tick) {
        form->Timer2Timer();
        form->Timer1Timer();
        pages.push_back(form->GetPageClients.size());
        checks.push_back(form->CheckLinkClients.size());
    }
    EXPECT_EQ(pages, (std::vector<size_t>{8, 16, 20, 20}));
    EXPECT_EQ(checks, (std::vector<size_t>{8, 16, 24, 25}));
    form->Timer5Timer();
    EXPECT_EQ(form->Label2->text(), "45");
    EXPECT_EQ(form2->Label9->text(), "20");
    EXPECT_EQ(form2->Label10->text(), "25");
    EXPECT_EQ(form2->Label13->text(), "10");
    EXPECT_EQ(form2->Label14->text(), "5");
}

TEST_F(Scheduler, TimeOutAfterMoreThan30000msThenReapedOnALaterTick)
{
    FreezeTickCount(true);
    SetNow(1000);
    QueuePages(1);
    form->Timer2Timer();
    ASSERT_EQ(form->GetPageRequests, (TStringList{"1000\t" + server.Url("/page0.html")}));

    SetNow(31000);
    form->Timer3Timer();
    EXPECT_EQ(form->GetPageRequests[0], "1000\t" + server.Url("/page0.html"));
    EXPECT_TRUE(form->Memo1->toPlainText().isEmpty());

    SetNow(31001);
    form->Timer3Timer();
    EXPECT_EQ(form->GetPageRequests[0], "X\t" + server.Url("/page0.html"));
    EXPECT_EQ(form->Memo1->toPlainText().toStdString(), "  GetPage:\t" + server.Url("/page0.html"));
    EXPECT_EQ(form->GetPageClients.size(), 1u);
    form->Timer3Timer();
    EXPECT_TRUE(form->GetPageClients.empty());
    EXPECT_TRUE(form->GetPageRequests.empty());

    QueueChecks(1);
    form->Timer1Timer();
    SetNow(61002);
    form->Timer4Timer();
    EXPECT_EQ(form->Memo1->toPlainText().toStdString(),
              "  GetPage:\t" + server.Url("/page0.html") + "\nCheckLink:\t" + server.Url("/pic0.jpg"));
}

TEST_F(Scheduler, StartTicksAcrossTheWrap)
{
    FreezeTickCount(true);
    SetNow(0xFFFFF000u); // far above 2^31
    QueuePages(1);
    QueueChecks(1);
    form->Timer2Timer();
    form->Timer1Timer();
    ASSERT_EQ(TextBeforeTab(form->GetPageRequests[0]), "4294963200");

    SetNow(0x00006000u); // 28672 ms later, across the wrap
    form->Timer3Timer();
    form->Timer4Timer();
    EXPECT_EQ(form->GetPageRequests[0].substr(0, 2), "42");
    EXPECT_EQ(form->CheckLinkRequests[0].substr(0, 2), "42");

    SetNow(0x00007531u); // 30001 ms after the start
    form->Timer3Timer();
    form->Timer4Timer();
    EXPECT_EQ(form->GetPageRequests[0].substr(0, 2), "X\t");
    EXPECT_EQ(form->CheckLinkRequests[0].substr(0, 2), "X\t");
}

TEST_F(Scheduler, AfterAbortTwelveChecksFallByOnePerTick)
{
    SetProfile(false);
    QueueChecks(12);
    form->Timer1Timer();
    form->Timer1Timer();
    ASSERT_EQ(form->CheckLinkClients.size(), 12u);
    form->AbortButtonClick();
    for (size_t expected = 11;; --expected) {
        form->Timer4Timer();
        EXPECT_EQ(form->CheckLinkClients.size(), expected);
        EXPECT_EQ(form->CheckLinkRequests.size(), expected);
        if (expected == 0)
            break;
    }
}

TEST_F(Scheduler, LeftoversAfterAbortDrainWithoutClients)
{
    form->AbortButtonClick();
    QueuePages(3);
    QueueChecks(3);
    form->Timer2Timer();
    form->Timer1Timer();
    EXPECT_TRUE(form->GetPageQueue.empty());
    EXPECT_TRUE(form->CheckLinkQueue.empty());
    EXPECT_TRUE(form->GetPageClients.empty());
    EXPECT_TRUE(form->CheckLinkClients.empty());
    EXPECT_TRUE(form->GetPageRequests.empty());
}

TEST_F(Scheduler, UnmarkedRequestsAreReapedWhenNoSearchIsActive)
{
    QueuePages(2);
    form->Timer2Timer();
    form->SearchActive = false;
    form->Timer3Timer();
    EXPECT_EQ(form->GetPageClients.size(), 1u);
    form->Timer3Timer();
    EXPECT_TRUE(form->GetPageClients.empty());
}

// With recursion one page is easily fetched twice at once: the fetch that
// finishes marks its own line, and only its client is reaped.
TEST_F(Scheduler, TwoFetchesOfOnePageEachMarkTheirOwnLine)
{
    for (int i = 0; i < 2; ++i) {
        QueuePages(1);
        form->Timer2Timer();
    }
    ASSERT_EQ(form->GetPageClients.size(), 2u);
    THttpCli* running = form->GetPageClients[0];
    form->GetPageRequestDone(form->GetPageClients[1]);
    EXPECT_FALSE(form->GetPageRequests[0].starts_with("X\t"));
    EXPECT_TRUE(form->GetPageRequests[1].starts_with("X\t"));
    form->Timer3Timer();
    EXPECT_EQ(form->GetPageClients, (std::vector<THttpCli*>{running}));
}

// A page that goes on and on is cut at the page limit and read as far as it came.
TEST_F(Scheduler, APageIsCutAtItsLimitAndReadAsFarAsItCame)
{
    THttpTestServer site;
    form->CheckBox_CheckLinks->setChecked(false);
    form->QueuePageFetch(site.Url("/long.html"), ecListedPage);
    form->Timer2Timer();
    ASSERT_TRUE(site.Accept());
    site.ReadRequest();
    site.Send("HTTP/1.0 200 OK\r\n\r\n<img src=\"first.jpg\">\n" + std::string(TForm1::PageSizeLimit, ' ') +
              "<img src=\"last.jpg\">\n");
    site.Close();
    ASSERT_TRUE(WaitUntil([&] { return form->GetPageRequests[0].starts_with("X\t"); }));
    EXPECT_EQ(std::vector<std::string>(form->FoundFiles.begin(), form->FoundFiles.end()),
              (std::vector<std::string>{site.Url("/first.jpg")}));
}

TEST_F(Scheduler, ABadRequestLineIsLoggedAndTheTickEnds)
{
    form->GetPageRequests = {"notanumber\thttp://x.test/"};
    form->Timer3Timer();
    ASSERT_FALSE(ErrorLog::Lines().empty());
    EXPECT_EQ(ErrorLog::Lines().back(), "error code : #1001 (Timer3 (getpage)");
    form->GetPageRequests.clear();
}

} // namespace
