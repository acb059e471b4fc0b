#include "EndToEndFixture.h"

#include "app/HealthList.h"
#include "app/Options.h"
#include "app/SourcesPage.h"
#include "controls/ResultGrid.h"
#include "platform/IniFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <filesystem>

namespace {

// A source's box on the options' "Sources" page writes its switch with OK; a
// search then asks that source alone and shows its health line, and no line
// for the sources left off; the page then shows that line too.
TEST_F(EndToEnd, ASourceBoxSwitchesItsSourceAndItsHealthLine)
{
    for (QCheckBox* box : {form->HotBotBox, form->LycosBox, form->ScourNetBox, form->LycosImagesBox})
        box->setChecked(false);
    Tfrm_Options& options = program->options;
    TSourcesPage& page = *options.SourcesPage;
    options.show();
    ASSERT_EQ(page.RowWidgets().size(), BuiltInSourceList().size());
    for (const auto& row : page.RowWidgets())
        EXPECT_FALSE(row.Switch->isChecked());
    page.RowWidgets()[0].Switch->setChecked(true);
    options.BitBtn2->click();
    options.hide();
    const TSource& commons = BuiltInSourceList()[0];
    EXPECT_TRUE(settings->ReadBool("Options", commons.SwitchKey, false));
    Search(false, false);
    ASSERT_TRUE(WaitUntil([&] { return Settled(); }, std::chrono::seconds(60)));
    form->RefreshCounters();
    std::vector<bool> asked(BuiltInSourceList().size(), false);
    asked[0] = true;
    EXPECT_EQ(form->Engine.SourcesOn(), asked);
    const QLabel* line = form->HealthList->SourceLine(0);
    EXPECT_FALSE(line->isHidden());
    const std::string health = ServiceHealthText(commons.Name, form->Engine.SourceHealth()[0]);
    EXPECT_EQ(line->text().toStdString(), health);
    EXPECT_TRUE(form->HealthList->SourceLine(1)->isHidden());
    const std::string base = web.GetAddresses().Base(sampleweb::Host::Commons);
    ASSERT_GT(form->ResultList->RowCount(), 0);
    for (const sampleweb::ListedPicture& row : Listed())
        EXPECT_TRUE(row.url.starts_with(base)) << row.url;

    options.show();
    EXPECT_EQ(page.RowWidgets()[0].Health->text().toStdString(), health);
    EXPECT_EQ(page.RowWidgets()[1].Health->text().toStdString(), "not asked yet");
    page.RowWidgets()[0].Switch->setChecked(false);
    options.BitBtn2->click();
    EXPECT_FALSE(settings->ReadBool("Options", commons.SwitchKey, true));
}

// The page keeps a source's own pages per search only once it is changed,
// a key where the source needs one, and the licence filter; a refused file
// of the user's shows on the page and in the side panel.
TEST_F(EndToEnd, TheSourcesPageStoresPagesAndKeysAndShowsRefusedFiles)
{
    const std::string folder = dir.File("sources");
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/keyed.json", R"({"name": "Keyed", "shortName": "keyed",
        "request": {"url": "https://k.test/s?q={searchTerms}&api_key={key}", "keySetting": "KeyedApiKey"},
        "answer": {"expect": "$.items", "results": "$.items[*]", "picture": "@.url"}})");
    WriteFile(folder + "/bad.json", "{");
    Tfrm_Options& options = program->options;
    TSourcesPage& page = *options.SourcesPage;
    options.show();
    ASSERT_EQ(page.RowWidgets().size(), BuiltInSourceList().size() + 1);
    const auto& keyed = page.RowWidgets().back();
    ASSERT_NE(keyed.Key, nullptr);
    EXPECT_EQ(page.RowWidgets()[0].Key, nullptr);
    EXPECT_FALSE(page.RefusedLabel()->isHidden());
    EXPECT_NE(page.RefusedLabel()->text().toStdString().find(folder + "/bad.json:1: not JSON"), std::string::npos);
    EXPECT_EQ(page.LicenceBox()->currentIndex(), 0);
    keyed.Key->setText("s3cret");
    page.RowWidgets()[1].Pages->setValue(5);
    page.LicenceBox()->setCurrentIndex(2);
    options.BitBtn2->click();
    EXPECT_EQ(settings->ReadString("Options", "KeyedApiKey", ""), "s3cret");
    EXPECT_EQ(settings->ReadString("Options", "LicenceFilter", ""), "changes");
    EXPECT_EQ(settings->ReadString("Options", BuiltInSourceList()[1].PagesKey, ""), "5");
    EXPECT_EQ(settings->ReadString("Options", BuiltInSourceList()[0].PagesKey, "none"), "none");
    page.LicenceBox()->setCurrentIndex(0);
    options.show();
    EXPECT_EQ(page.LicenceBox()->currentIndex(), 2);
    form->RefreshCounters();
    ASSERT_EQ(form->HealthList->RefusedLines().size(), 1u);
    EXPECT_FALSE(form->HealthList->RefusedLines()[0]->isHidden());
}

// The grid shows the thumbnails Commons serves, asked for with the
// program's agent (its upload host refuses any other); the pictures
// themselves are not fetched.
TEST_F(EndToEnd, TheGridShowsASourcesOwnThumbnails)
{
    for (QCheckBox* box : {form->HotBotBox, form->LycosBox, form->ScourNetBox, form->LycosImagesBox})
        box->setChecked(false);
    settings->WriteBool("Options", BuiltInSourceList()[0].SwitchKey, true);
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
    for (const std::string& path : web.Paths(sampleweb::Host::Commons)) {
        if (path.starts_with("/files/")) {
            EXPECT_TRUE(path.starts_with("/files/thumb/")) << path;
        }
    }
}

} // namespace
