#include "FormFixture.h"
#include "sampleweb/StallServer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include "controls/ResultList.h"

namespace {

class SearchStart : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        settings->WriteString("Options", "HotBotBaseAddress", "http://127.0.0.1:8001");
        settings->WriteString("Options", "LycosBaseAddress", "http://127.0.0.1:8002");
        settings->WriteString("Options", "ScourNetBaseAddress", "http://127.0.0.1:8003");
        CreateForms();
    }

    std::vector<std::string> Queue() const { return {form->GetPageQueue.begin(), form->GetPageQueue.end()}; }

    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i)
            form->AddToListView("http://h.test/p" + std::to_string(i) + ".jpg", 0);
    }
    std::vector<bool> Finished() const
    {
        std::vector<bool> marks;
        for (const auto* requests : {&form->Scheduler.Pages(), &form->Scheduler.Checks()})
            for (const TRunningRequest& r : *requests)
                marks.push_back(r.Finished);
        return marks;
    }

    // Takes connections and never answers: requests to it run until aborted.
    sampleweb::StallServer stall;
    std::string stallBase = "http://127.0.0.1:" + std::to_string(stall.Start());
};

TEST_F(SearchStart, QueuesTheFourServicesInOrderWithConfiguredHosts)
{
    form->PhraseEdit->setText(" red car");
    form->SearchButtonClick();
    const std::vector<std::string> expected = {
        "http://127.0.0.1:8001/?clickSrc=search&SM=phrase&LG=any&AM0=MC&AT0=words&AW0=&AM1=MN&AT1=words&AW1="
        "&savenummod=2&date=within&DV=180&DR=newer&DM=1&DD=1&DY=99&FSU=1&FS=.jpg&RD=RG&RG=all&Domain=&PS=F&PD="
        "&DC=100&DE=0&SUBMIT=SEARCH&_v=2&OPs=MDRTP&NUMMOD=2&MT=red+car\t2",
        "http://127.0.0.1:8002/cgi-bin/pursuit?etemp=error&npl=matchmode%3Dbefore%26adv%3D1&cat=lycos"
        "&npl1=fs%3Dtitle%26ct%3Df%26ignore%3Dfq&fq=&lang=&rtwm=45000&rtpy=5000&rttf=10000&rtfd=5000&rtpn=5000"
        "&rtpn=25&maxhits=40&mtemp=main&query=red+car\t3",
        "http://127.0.0.1:8003/cgi-bin/search.cgi?index=image&preview_size=small&query=red+car\t1",
        "http://127.0.0.1:8002/cgi-bin/pursuit?etemp=error&npl=matchmode%3Dand%26adv%3D1&cat=graphics"
        "&npl1=ignore%3Dfq&fq=&lang=&rtwm=45000&rtpy=2500&rttf=5000&rtfd=2500&rtpn=2500&rtpn=15&maxhits=40"
        "&mtemp=main.sites&query=red+car\t4",
    };
    EXPECT_EQ(Queue(), expected);
    EXPECT_TRUE(form->SearchActive);
    EXPECT_EQ(form->StatusLabel->text(), "Searching...");
    EXPECT_TRUE(form->SearchButton->isHidden());
    EXPECT_FALSE(form->AbortButton->isHidden());
    EXPECT_EQ(form->SearchDirName, " red car");
}

TEST_F(SearchStart, BaseAddressesDefaultToThePublicHostsAndAreReadAtEverySearch)
{
    TempDir other;
    CreateForms(true, other.File("none.ini"));
    form->PhraseEdit->setText("x");
    form->SearchButtonClick();
    EXPECT_EQ(form->GetPageQueue[2], "http://www.scournet.com/cgi-bin/search.cgi?index=image&preview_size=small&query=x\t1");

    form->AbortButtonClick();
    TIniFile(other.File("none.ini")).WriteString("Options", "ScourNetBaseAddress", "http://127.0.0.1:9");
    form->SearchButtonClick();
    EXPECT_EQ(form->GetPageQueue[2], "http://127.0.0.1:9/cgi-bin/search.cgi?index=image&preview_size=small&query=x\t1");
}

TEST_F(SearchStart, EmptyPhraseChangesOnlyLimitsAndDirName)
{
    settings->WriteBool("Options", "SlowConnection", false);
    AddRows(1); // no search active: refused
    form->SearchActive = true;
    AddRows(3);
    form->SearchActive = false;
    form->SearchDirName = "old";
    form->SearchButtonClick();
    EXPECT_EQ(form->Scheduler.GetPageClientLimit, 19);
    EXPECT_EQ(form->Scheduler.CheckLinkClientLimit, 24);
    EXPECT_EQ(form->SearchDirName, "");
    EXPECT_TRUE(form->GetPageQueue.empty());
    EXPECT_EQ(form->ResultList->RowCount(), 3);
    EXPECT_EQ(form->StatusLabel->text(), "Ready");
    EXPECT_FALSE(form->SearchActive);
}

TEST_F(SearchStart, PhraseEscapesAndDirName)
{
    form->PhraseEdit->setText("\"cats/dogs\" ?");
    form->SearchButtonClick();
    EXPECT_EQ(TextBeforeTab(form->GetPageQueue[2]),
              "http://127.0.0.1:8003/cgi-bin/search.cgi?index=image&preview_size=small&query=%22cats%2Fdogs%22+?");
    EXPECT_EQ(form->SearchDirName, "catsdogs ");
}

// The phrase box hands the engine what was typed, in UTF-8.
TEST_F(SearchStart, ThePhraseReachesTheEngineAsTyped)
{
    form->PhraseEdit->setText(QString::fromUtf8("\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE caf\xC3\xA9"));
    form->SearchButtonClick();
    EXPECT_EQ(form->SearchDirName, "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE caf\xC3\xA9");
}

TEST_F(SearchStart, NewSearchClearsResultsShortAndLongLists)
{
    for (int rows : {150, 250}) {
        form->SearchActive = true;
        AddRows(rows);
        ASSERT_EQ(form->ResultList->RowCount(), rows);
        ASSERT_EQ(form->FoundLabel->text(), QString::number(rows));
        form->PhraseEdit->setText("x");
        form->SearchButtonClick();
        EXPECT_EQ(form->ResultList->RowCount(), 0);
        EXPECT_TRUE(form->FoundFiles.empty());
        EXPECT_EQ(form->FoundLabel->text(), "0");
        form->AbortButtonClick();
    }
}

TEST_F(SearchStart, AbortKeepsResultsEmptiesQueuesAndMarksRequests)
{
    form->PhraseEdit->setText("x");
    form->SearchButtonClick();
    AddRows(2);
    form->QueueLinkCheck("http://h.test/a.jpg");
    form->Scheduler.GetPage(stallBase + "/a.html", 99);
    form->Scheduler.GetPage(stallBase + "/b.html", 99);
    form->Scheduler.MarkFinished(form->Scheduler.Pages()[1].Client.get());
    form->Scheduler.CheckLink(stallBase + "/c.jpg");
    ASSERT_EQ(Finished(), (std::vector<bool>{false, true, false}));
    form->AbortButtonClick();
    EXPECT_FALSE(form->SearchActive);
    EXPECT_TRUE(form->GetPageQueue.empty());
    EXPECT_TRUE(form->CheckLinkQueue.empty());
    EXPECT_EQ(Finished(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(form->ResultList->RowCount(), 2);
    EXPECT_EQ(form->FoundLabel->text(), "2");
    EXPECT_EQ(form->StatusLabel->text(), "Ready");
    EXPECT_FALSE(form->SearchButton->isHidden());
    EXPECT_TRUE(form->AbortButton->isHidden());
    EXPECT_TRUE(form->PageReapTimer->isActive());
    EXPECT_TRUE(form->CheckReapTimer->isActive());
}

TEST_F(SearchStart, EnterDuringASearchAbortsAndStartsAnew)
{
    form->show();
    form->PhraseEdit->setText("first");
    QTest::keyClick(form->PhraseEdit, Qt::Key_Return);
    ASSERT_TRUE(form->SearchActive);
    AddRows(2);
    form->Scheduler.GetPage(stallBase + "/running.html", 99);
    ASSERT_EQ(Finished(), (std::vector<bool>{false}));
    form->QueueLinkCheck("http://h.test/waiting.jpg");

    form->PhraseEdit->setText("second");
    QTest::keyClick(form->PhraseEdit, Qt::Key_Enter);
    EXPECT_TRUE(form->SearchActive);
    EXPECT_EQ(form->ResultList->RowCount(), 0);
    EXPECT_TRUE(form->CheckLinkQueue.empty());
    EXPECT_EQ(Finished(), (std::vector<bool>{true}));
    ASSERT_EQ(form->GetPageQueue.size(), 4u);
    EXPECT_NE(form->GetPageQueue[0].find("MT=second\t2"), std::string::npos);
    EXPECT_EQ(form->SearchDirName, "second");
    EXPECT_EQ(form->PhraseEdit->text(), "second"); // Enter was swallowed
}

TEST_F(SearchStart, RepeatsAreRefusedAndCounted)
{
    form->QueuePageFetch("http://a.test/x.html", 99);
    form->QueuePageFetch("HTTP://A.TEST/X.HTML", 0);
    form->QueueLinkCheck("http://a.test/p.jpg");
    form->QueueLinkCheck("http://A.test/P.jpg");
    form->QueueLinkCheck("http://a.test/p.jpg");
    EXPECT_EQ(form->GetPageQueue.size(), 1u);
    EXPECT_EQ(form->GetPageQueue[0], "http://a.test/x.html\t99");
    EXPECT_EQ(form->CheckLinkQueue.size(), 1u);
    EXPECT_EQ(form2->PageRepeatsLabel->text(), "1"); // Double GetPage
    EXPECT_EQ(form2->CheckRepeatsLabel->text(), "2"); // Double Check

    // Once the first has left the queue, the URL can wait again.
    form->CheckLinkQueue.RemoveFirst();
    form->QueueLinkCheck("http://a.test/p.jpg");
    EXPECT_EQ(form->CheckLinkQueue.size(), 1u);
    EXPECT_EQ(form2->CheckRepeatsLabel->text(), "2");

    // A URL with a tab cannot travel in a queue line.
    form->QueuePageFetch("http://a.test/\tx", 99);
    EXPECT_EQ(form->GetPageQueue.size(), 1u);
    EXPECT_EQ(form2->PageRepeatsLabel->text(), "1");
}

// An anchor met at every step of a page hands the same link over millions of
// times: the counters must end as if each call had been made.
TEST_F(SearchStart, RepeatedCallsCountAsSingleOnes)
{
    form->QueueLinkCheckTimes("http://a.test/p.jpg", 5);
    EXPECT_EQ(form->CheckLinkQueue.size(), 1u);
    EXPECT_EQ(form2->CheckRepeatsLabel->text(), "4");
    form->QueueLinkCheckTimes("HTTP://a.test/p.jpg", 3);
    EXPECT_EQ(form2->CheckRepeatsLabel->text(), "7");
    form->QueueLinkCheckTimes("http://a.test/q.jpg", 0);
    EXPECT_EQ(form->CheckLinkQueue.size(), 1u);

    form->QueuePageFetchTimes("http://a.test/x.html", 0, 2'000'000'000'000);
    EXPECT_EQ(form->GetPageQueue.size(), 1u);
    EXPECT_EQ(form2->PageRepeatsLabel->text(), "1999999999999");
    form->QueuePageFetchTimes("http://a.test/\tx", 0, 9);
    EXPECT_EQ(form->GetPageQueue.size(), 1u);
    EXPECT_EQ(form2->PageRepeatsLabel->text(), "1999999999999");
}

} // namespace
