#include "EngineFixture.h"

#include "sampleweb/Content.h"

namespace {

using sampleweb::Host;

// The engine asking the live sources of the sample web, and no service.
class SourceSearch : public EngineSearch {
protected:
    void SetUp() override
    {
        EngineSearch::SetUp();
        engine.SetServicesOn({false, false, false, false});
        for (const TSource& source : Sources)
            settings->WriteBool("Options", source.SwitchKey, true);
    }

    // A source's base address with a path the sample web answers in a variant.
    void Variant(int source, const char* prefix)
    {
        const Host host = source == 0 ? Host::Commons : Host::Openverse;
        settings->WriteString("Options", Sources[source].BaseKey, web.GetAddresses().Base(host) + prefix);
    }

    std::vector<sampleweb::ListedPicture> Expected(int pages) const
    {
        sampleweb::SearchSettings s;
        s.checkLinks = checkLinks;
        return sampleweb::Catalogue(web.GetAddresses()).SourcesListing(s, pages);
    }
};

// Normal answers with a next page each: what is listed depends on the checks
// (Openverse's sizes are checked, Commons' are not) and on the pages allowed.
TEST_F(SourceSearch, NormalAnswersListWhatTheSourcesGiveUpToThePageLimit)
{
    const struct {
        bool check;
        int pageSetting; // 0: none in the settings
        int pages;       // asked of each source
    } cases[] = {{true, 0, 2}, {false, 0, 2}, {true, 1, 1}, {false, 1, 1}, {true, -5, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "check " << c.check << ", SourcePages " << c.pageSetting);
        checkLinks = c.check;
        if (c.pageSetting != 0)
            settings->WriteInteger("Options", "SourcePages", c.pageSetting);
        found.clear();
        Run("red cars", false);
        EXPECT_EQ(found, Expected(c.pages));
        const TSourceHealth& health = engine.SourceHealth();
        for (int i = 0; i < SourceCount; ++i) {
            EXPECT_EQ(health[i].Pages, static_cast<uint64_t>(c.pages)) << Sources[i].Name;
            EXPECT_EQ(health[i].Warning, "") << Sources[i].Name;
        }
        engine.Abort();
    }
}

TEST_F(SourceSearch, AnEmptyAnswerListsNothingAndWarnsOfNothing)
{
    Variant(0, "/empty");
    Variant(1, "/empty");
    Run("red cars", false);
    EXPECT_TRUE(found.empty());
    for (int i = 0; i < SourceCount; ++i) {
        EXPECT_EQ(engine.SourceHealth()[i].Pages, 1u) << Sources[i].Name;
        EXPECT_EQ(engine.SourceHealth()[i].Links, 0u) << Sources[i].Name;
        EXPECT_EQ(engine.SourceHealth()[i].Warning, "") << Sources[i].Name;
    }
}

TEST_F(SourceSearch, AChangedFormatWarnsForThatSourceAlone)
{
    for (int changed = 0; changed < SourceCount; ++changed) {
        SCOPED_TRACE(Sources[changed].Name);
        Variant(1 - changed, "");
        Variant(changed, "/changed");
        found.clear();
        Run("red cars", false);
        const TSourceHealth& health = engine.SourceHealth();
        EXPECT_EQ(health[changed].Pages, 1u);
        EXPECT_EQ(health[changed].Links, 0u);
        EXPECT_EQ(health[changed].Warning, FormatChangedWarning);
        EXPECT_EQ(health[1 - changed].Warning, "");
        EXPECT_FALSE(found.empty());
        engine.Abort();
    }
}

// The sources hear the program's own agent; the pictures' hosts the described one.
TEST_F(SourceSearch, OnlyTheSourcesRequestsNameTheProgram)
{
    checkLinks = true;
    Run("red cars", false);
    EXPECT_EQ(web.Agents(Host::Commons), std::set<std::string>{SourceAgent()});
    EXPECT_EQ(web.Agents(Host::Openverse), (std::set<std::string>{SourceAgent(), "Mozilla/3.0 (compatible)"}));
    EXPECT_TRUE(SourceAgent().starts_with("Glimmerscout/1.1 (+http")) << SourceAgent();
}

// Each picture a source lists keeps what the source told of it.
TEST_F(SourceSearch, AListedPictureKeepsTheSourcesRecord)
{
    Run("red cars", false);
    const sampleweb::SourceListing& given = sampleweb::SourceAnswers().commonsPages[0][0];
    const std::string url = web.GetAddresses().Expand(given.url);
    const TPictureRecord* record = engine.SourcePicture(url);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Size, static_cast<int64_t>(given.size));
    EXPECT_EQ(record->Width, given.width);
    EXPECT_EQ(record->Height, given.height);
    EXPECT_EQ(record->MimeType, "image/jpeg");
    // Its row has the source's dimensions without a read of the file.
    size_t row = 0;
    while (row < engine.FoundFiles().size() && engine.FoundFiles()[row] != url)
        ++row;
    ASSERT_LT(row, engine.FoundFiles().size());
    EXPECT_EQ(engine.DimensionsOf(row).Width, given.width);
    EXPECT_EQ(engine.DimensionsOf(row).Height, given.height);
    EXPECT_EQ(engine.SourcePicture(web.GetAddresses().Expand("{SiteA}/gallery/pics/sunset-20000.jpg")), nullptr);
}

TEST_F(SourceSearch, AStartPageAsksNoSource)
{
    Run(web.GetAddresses().Expand("{SiteA}/gallery/more.html"), false);
    EXPECT_EQ(engine.SourcesOn(), (std::array<bool, SourceCount>{false, false}));
    EXPECT_EQ(engine.SourceHealth()[0].Pages, 0u);
}

} // namespace
