#include "FormFixture.h"
#include "platform/TickCount.h"
#include "sampleweb/StallServer.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <optional>
#include "controls/ResultList.h"

namespace {

class EngineWiring : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        CreateForms();
        probe.emplace(form->Engine);
        probe->SetActive(true);
    }

    std::optional<TEngineProbe> probe;
};

// The window shows what the engine tells: found pictures as rows, refused
// repeats in the diagnostics window, timed-out requests in the log.
TEST_F(EngineWiring, TheWindowShowsWhatTheEngineReports)
{
    form->Engine.AddToListView("http://h.test/a.jpg", TPictureSize::Checked(20000));
    form->Engine.AddToListView("http://h.test/b.jpg", {});
    ASSERT_EQ(form->ResultList->RowCount(), 2);
    EXPECT_EQ(form->ResultList->Text(0, 0), "a.jpg");
    EXPECT_EQ(form->ResultList->Text(0, 1), "20000");
    EXPECT_EQ(form->ResultList->Text(1, 1), "UNKNOWN");
    EXPECT_EQ(form->FoundLabel->text(), "2");

    form->Engine.QueuePageFetchTimes("http://h.test/x.html", ecListedPage, 3);
    form->Engine.QueueLinkCheckTimes("http://h.test/c.jpg", 4);
    EXPECT_EQ(form2->PageRepeatsLabel->text(), "2");
    EXPECT_EQ(form2->CheckRepeatsLabel->text(), "3");

    sampleweb::StallServer stall;
    const std::string url = "http://127.0.0.1:" + std::to_string(stall.Start()) + "/slow.html";
    probe->Scheduler().GetPage(url, ecListedPage);
    SetTickCountOffset(TickCountOffset() + TRequestScheduler::RequestTimeout + 1000);
    probe->Scheduler().ReapPages();
    SetTickCountOffset(0);
    EXPECT_EQ(form->TimeoutLog->toPlainText().toStdString(), "  GetPage:\t" + url);
}

} // namespace
