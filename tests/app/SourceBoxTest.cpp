#include "EndToEndFixture.h"

#include "app/HealthList.h"
#include "controls/ResultGrid.h"
#include "platform/IniFile.h"

#include <QLabel>

namespace {

// A source's box writes its switch at once; a search then asks that source
// alone and shows its health line, and no line for the source left off.
TEST_F(EndToEnd, ASourceBoxSwitchesItsSourceAndItsHealthLine)
{
    for (QCheckBox* box : {form->HotBotBox, form->LycosBox, form->ScourNetBox, form->LycosImagesBox})
        box->setChecked(false);
    form->SourceBoxes[0]->setChecked(true);
    EXPECT_TRUE(settings->ReadBool("Options", Sources[0].SwitchKey, false));
    Search(false, false);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(60)));
    form->RefreshCounters();
    EXPECT_EQ(form->Engine.SourcesOn(), (std::array<bool, SourceCount>{true, false}));
    const QLabel* line = form->HealthList->SourceLine(0);
    EXPECT_FALSE(line->isHidden());
    EXPECT_EQ(line->text().toStdString(), ServiceHealthText(Sources[0].Name, form->Engine.SourceHealth()[0]));
    EXPECT_TRUE(form->HealthList->SourceLine(1)->isHidden());
    const std::string commons = web.GetAddresses().Base(sampleweb::Host::Commons);
    ASSERT_GT(form->ResultList->RowCount(), 0);
    for (const sampleweb::ListedPicture& row : Listed())
        EXPECT_TRUE(row.url.starts_with(commons)) << row.url;
    form->SourceBoxes[0]->setChecked(false);
    EXPECT_FALSE(settings->ReadBool("Options", Sources[0].SwitchKey, true));
}

// The grid shows the thumbnails Commons serves, asked for with the
// program's agent (its upload host refuses any other); the pictures
// themselves are not fetched.
TEST_F(EndToEnd, TheGridShowsASourcesOwnThumbnails)
{
    for (QCheckBox* box : {form->HotBotBox, form->LycosBox, form->ScourNetBox, form->LycosImagesBox})
        box->setChecked(false);
    form->SourceBoxes[0]->setChecked(true);
    form->CheckBox_Thumbnails->setChecked(true);
    Search(false, false);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(60)));
    ASSERT_GT(form->ResultList->RowCount(), 0);
    // The grid asks for what it draws: shown, its first rows.
    form->show();
    ASSERT_TRUE(WaitUntil([&] {
        return form->ResultGrid->Cache.Count() > 0 && form->ResultGrid->Fetches.Running() == 0
               && form->ResultGrid->Fetches.Waiting() == 0;
    }));
    for (const std::string& url : form->Engine.FoundFiles()) {
        QImage thumbnail;
        EXPECT_NE(form->ResultGrid->Cache.Find(url, thumbnail), TThumbnailCache::TState::Failed) << url;
    }
    for (const std::string& path : web.Paths(sampleweb::Host::Commons))
        if (path.starts_with("/files/"))
            EXPECT_TRUE(path.starts_with("/files/thumb/")) << path;
}

} // namespace
