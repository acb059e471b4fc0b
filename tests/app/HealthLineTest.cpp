#include "EndToEndFixture.h"

#include "app/Form2.h"
#include "app/HealthList.h"

#include <QLabel>
#include <QLayout>

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
    list.Show({}, TServiceHealth{0, 0, "can't connect", {}});
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

using SidePanel = FormFixture;

// Every service and built-in source warning at once, as when the services change
// their pages: each line keeps to one line inside the panel's health area,
// none over another, the whole text in its tooltip. Run at 100% and 200%.
TEST_F(SidePanel, LongHealthLinesKeepToOneLineEachInsideTheirArea)
{
    CreateForms();
    form->show();
    THealth health;
    for (TServiceHealth& h : health)
        h = {3, 9, FormatChangedWarning, {}};
    const std::vector<TSource>& sources = BuiltInSourceList();
    const TSourceHealth sourceHealth(sources.size(), TServiceHealth{1, 20, FormatChangedWarning, {}});
    THealthList* list = form->HealthList;
    list->Show(health);
    list->ShowSources(sources, sourceHealth, std::vector<bool>(sources.size(), true));
    list->layout()->activate();

    EXPECT_TRUE(form->panel_Side->rect().contains(list->geometry()));
    std::vector<QWidget*> shown;
    for (QWidget* w : list->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            shown.push_back(w);
    ASSERT_EQ(shown.size(), 1u + ServiceCount + sources.size()); // the caption and the lines
    for (size_t i = 0; i < shown.size(); ++i) {
        const QWidget* w = shown[i];
        EXPECT_TRUE(list->rect().contains(w->geometry())) << i;
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << i; // not cut
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(w->geometry().intersects(shown[j]->geometry())) << i << " over " << j;
    }
    for (const TElidedLabel* line : {list->Line(0), list->Line(3), list->SourceLine(static_cast<int>(sources.size()) - 1)}) {
        EXPECT_LT(line->height(), 2 * line->fontMetrics().lineSpacing()); // one line
        EXPECT_TRUE(line->Elided());
        EXPECT_EQ(line->toolTip(), line->text());
        EXPECT_TRUE(line->text().endsWith(FormatChangedWarning));
    }
}

} // namespace
