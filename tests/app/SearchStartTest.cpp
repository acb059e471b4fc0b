#include "FormFixture.h"
#include "sampleweb/StallServer.h"
#include "search/EngineProbe.h"

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

    TRequestScheduler& Scheduler() const { return TEngineProbe(form->Engine).Scheduler(); }
    std::vector<std::string> Queue() const { return {Scheduler().GetPageQueue.begin(), Scheduler().GetPageQueue.end()}; }

    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i)
            form->Engine.AddToListView("http://h.test/p" + std::to_string(i) + ".jpg", {});
    }
    std::vector<bool> Finished() const
    {
        std::vector<bool> marks;
        for (const auto* requests : {&Scheduler().Pages(), &Scheduler().Checks()})
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
    EXPECT_TRUE(form->Engine.Active());
    EXPECT_EQ(form->StatusLabel->text(), "Searching...");
    EXPECT_TRUE(form->SearchButton->isHidden());
    EXPECT_FALSE(form->AbortButton->isHidden());
    EXPECT_EQ(form->Engine.SearchDirName(), " red car");
}

// The phrase box hands the engine what was typed, in UTF-8.
TEST_F(SearchStart, ThePhraseReachesTheEngineAsTyped)
{
    form->PhraseEdit->setText(QString::fromUtf8("\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE caf\xC3\xA9"));
    form->SearchButtonClick();
    EXPECT_EQ(form->Engine.SearchDirName(), "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE caf\xC3\xA9");
}

TEST_F(SearchStart, NewSearchClearsResultsShortAndLongLists)
{
    for (int rows : {150, 250}) {
        TEngineProbe(form->Engine).SetActive(true);
        AddRows(rows);
        ASSERT_EQ(form->ResultList->RowCount(), rows);
        ASSERT_EQ(form->FoundLabel->text(), QString::number(rows));
        form->PhraseEdit->setText("x");
        form->SearchButtonClick();
        EXPECT_EQ(form->ResultList->RowCount(), 0);
        EXPECT_TRUE(form->Engine.FoundFiles().empty());
        EXPECT_EQ(form->FoundLabel->text(), "0");
        form->AbortButtonClick();
    }
}

TEST_F(SearchStart, AbortKeepsTheRowsAndShowsReady)
{
    form->PhraseEdit->setText("x");
    form->SearchButtonClick();
    AddRows(2);
    form->AbortButtonClick();
    EXPECT_FALSE(form->Engine.Active());
    EXPECT_EQ(form->ResultList->RowCount(), 2);
    EXPECT_EQ(form->FoundLabel->text(), "2");
    EXPECT_EQ(form->StatusLabel->text(), "Ready");
    EXPECT_FALSE(form->SearchButton->isHidden());
    EXPECT_TRUE(form->AbortButton->isHidden());
}

TEST_F(SearchStart, EnterDuringASearchAbortsAndStartsAnew)
{
    form->show();
    form->PhraseEdit->setText("first");
    QTest::keyClick(form->PhraseEdit, Qt::Key_Return);
    ASSERT_TRUE(form->Engine.Active());
    AddRows(2);
    Scheduler().GetPage(stallBase + "/running.html", ecListedPage);
    ASSERT_EQ(Finished(), (std::vector<bool>{false}));
    form->Engine.QueueLinkCheck("http://h.test/waiting.jpg");

    form->PhraseEdit->setText("second");
    QTest::keyClick(form->PhraseEdit, Qt::Key_Enter);
    EXPECT_TRUE(form->Engine.Active());
    EXPECT_EQ(form->ResultList->RowCount(), 0);
    EXPECT_TRUE(Scheduler().CheckLinkQueue.empty());
    EXPECT_EQ(Finished(), (std::vector<bool>{true}));
    ASSERT_EQ(Scheduler().GetPageQueue.size(), 4u);
    EXPECT_NE(Scheduler().GetPageQueue[0].find("MT=second\t2"), std::string::npos);
    EXPECT_EQ(form->Engine.SearchDirName(), "second");
    EXPECT_EQ(form->PhraseEdit->text(), "second"); // Enter was swallowed
}

} // namespace
