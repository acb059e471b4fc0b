#include "FormFixture.h"
#include "sampleweb/StallServer.h"

#include <QLabel>

namespace {

// The window's share of the scheduler: its counters show it.
class Scheduler : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        CreateForms();
        TEngineProbe(form->Engine).SetActive(true);
    }

    // Takes connections and never answers: requests to it run until aborted.
    sampleweb::StallServer stall;
    std::string base = "http://127.0.0.1:" + std::to_string(stall.Start());
};

TEST_F(Scheduler, CountersShowRunningAndWaitingWork)
{
    TRequestScheduler& scheduler = TEngineProbe(form->Engine).Scheduler();
    scheduler.GetPageClientLimit = 19;
    scheduler.CheckLinkClientLimit = 24;
    for (int i = 0; i < 30; ++i) {
        form->Engine.QueuePageFetch(base + "/page" + std::to_string(i) + ".html", ecListedPage);
        form->Engine.QueueLinkCheck(base + "/pic" + std::to_string(i) + ".jpg");
    }
    for (int tick = 0; tick < 4; ++tick) {
        scheduler.StartPages();
        scheduler.StartChecks();
    }
    form->RefreshCounters();
    EXPECT_EQ(form->ProcessesLabel->text(), "45");
    EXPECT_EQ(form2->PageClientsLabel->text(), "20");
    EXPECT_EQ(form2->CheckClientsLabel->text(), "25");
    EXPECT_EQ(form2->PageQueueLabel->text(), "10");
    EXPECT_EQ(form2->CheckQueueLabel->text(), "5");
}

} // namespace
