#include "EndToEndFixture.h"

#include "app/Form2.h"
#include "app/HealthList.h"

#include <QLabel>

namespace {

// The window shows the engine's health figures in its side panel and in the
// diagnostics window, the warning in its own colour.
TEST_F(EndToEnd, HealthLinesShowTheEnginesFiguresAndWarnings)
{
    settings->WriteString("Options", "ScourNetBaseAddress",
                          web.GetAddresses().Base(sampleweb::Host::ScourNet) + "/changed");
    Search(false, true);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(90)));
    form->RefreshCounters();
    const THealth& health = form->Engine.Health();
    ASSERT_EQ(health[2].Warning, FormatChangedWarning);
    for (const THealthList* list : {form->HealthList, form2->HealthList}) {
        for (int i = 0; i < ServiceCount; ++i)
            EXPECT_EQ(list->Line(i)->text().toStdString(), ServiceHealthText(Services[i].Name, health[i]));
        EXPECT_NE(list->Line(2)->palette().color(QPalette::WindowText),
                  list->Line(0)->palette().color(QPalette::WindowText));
    }
}

// A search of an http:// phrase asks no service: its start page's line
// stands in their place, in the warning colour when the page failed.
TEST(HealthList, AStartPageSearchShowsThePageInPlaceOfTheServices)
{
    const QColor warning(176, 0, 0);
    THealthList list(nullptr, warning);
    list.Show({}, TServiceHealth{0, 0, "can't connect"});
    EXPECT_FALSE(list.StartPageLine()->isHidden());
    EXPECT_EQ(list.StartPageLine()->text().toStdString(), "Start page: 0 pages, 0 links - can't connect");
    EXPECT_EQ(list.StartPageLine()->palette().color(QPalette::WindowText), warning);
    for (int i = 0; i < ServiceCount; ++i)
        EXPECT_TRUE(list.Line(i)->isHidden()) << i;

    list.Show({});
    EXPECT_TRUE(list.StartPageLine()->isHidden());
    for (int i = 0; i < ServiceCount; ++i)
        EXPECT_FALSE(list.Line(i)->isHidden()) << i;
}

} // namespace
