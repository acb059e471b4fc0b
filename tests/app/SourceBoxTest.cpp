#include "EndToEndFixture.h"

#include "app/HealthList.h"
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

} // namespace
