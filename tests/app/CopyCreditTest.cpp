#include "EndToEndFixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

namespace {

// "Copy credit" in the list's menu puts the selected picture's attribution
// line, as its source described it, on the clipboard.
TEST_F(EndToEnd, CopyCreditPutsTheAttributionLineOnTheClipboard)
{
    for (QCheckBox* box : {form->HotBotBox, form->LycosBox, form->ScourNetBox, form->LycosImagesBox})
        box->setChecked(false);
    settings->WriteBool("Options", "SearchOpenverse", true);
    Search(false, false);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(60)));
    const std::string base = web.GetAddresses().Base(sampleweb::Host::Openverse);
    const TUrlList& found = form->Engine.FoundFiles();
    const auto tram = std::find(found.begin(), found.end(), base + "/files/tram-27000.jpg");
    ASSERT_NE(tram, found.end());
    form->ResultList->SelectRow(static_cast<int>(tram - found.begin()));
    const QList<QAction*> actions = form->ResultList->actions();
    const auto copy = std::find_if(actions.begin(), actions.end(), [](QAction* a) { return a->text() == "Copy credit"; });
    ASSERT_NE(copy, actions.end());
    QGuiApplication::clipboard()->setText("before");
    (*copy)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "\"tram-27000.jpg\" by Sample Photographer, by-nd (https://creativecommons.org/licenses/by-nd/4.0/), " + base
                  + "/landing");
}

} // namespace
