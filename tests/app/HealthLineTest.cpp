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

} // namespace
