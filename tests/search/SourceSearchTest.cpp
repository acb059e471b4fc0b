#include "EngineFixture.h"

#include "sampleweb/Content.h"

namespace {

using sampleweb::Host;

// The two sources these cases ask: Wikimedia Commons and Openverse, the
// first built-in ones (read when first used, once the resources are there).
constexpr int SourceCount = 2;
const struct {
    const TSource& operator[](int i) const { return BuiltInSourceList()[static_cast<size_t>(i)]; }
    auto begin() const { return BuiltInSourceList().begin(); }
    auto end() const { return BuiltInSourceList().begin() + SourceCount; }
} Sources;

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

    std::vector<sampleweb::ListedPicture> Expected(int pages, std::vector<std::string> types = {"jpeg"}) const
    {
        sampleweb::SearchSettings s;
        s.checkLinks = checkLinks;
        s.types = std::move(types);
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

// Other types chosen: the sources are asked for them, and list them with
// their percent-encoded addresses as given.
TEST_F(SourceSearch, TheTypesChosenAreAskedForAndListed)
{
    settings->WriteString("Options", "PictureTypes", "jpeg,png,webp");
    for (const bool check : {true, false}) {
        SCOPED_TRACE(check);
        checkLinks = check;
        found.clear();
        Run("Z\xC3\xBCrich", false);
        EXPECT_EQ(found, Expected(2, {"jpeg", "png", "webp"}));
        engine.Abort();
    }
    const std::string png = web.GetAddresses().Expand("{Commons}/files/c/cd/Car_diagram.png");
    EXPECT_NE(std::find(found.begin(), found.end(), sampleweb::ListedPicture{png, "30000"}), found.end());
}

// Requests to a source and for a file it listed send the program's agent
// (with the user's contact); a service's pages and its pictures the described one.
TEST_F(SourceSearch, WhichAgentEachRequestSends)
{
    settings->WriteString("Options", "SourceContact", "someone@example.org");
    engine.SetServicesOn({false, false, true, false}); // ScourNet lists SiteB's pictures
    checkLinks = true;
    Run("red cars", false);
    const std::string program = SourceAgent("someone@example.org");
    EXPECT_EQ(program, "Glimmerscout/1.1 (+http://www.glimmerscout.com/; someone@example.org)");
    const struct {
        const char* what;
        Host host;
        std::string agent;
    } cases[] = {
        {"Commons' answers", Host::Commons, program},
        {"Openverse's answers and checks of its files", Host::Openverse, program},
        {"a service's result pages", Host::ScourNet, "Mozilla/3.0 (compatible)"},
        {"checks of a service's pictures", Host::SiteB, "Mozilla/3.0 (compatible)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(web.Agents(c.host), std::set<std::string>{c.agent}) << c.what;
    const sampleweb::SourceListing& checked = sampleweb::SourceAnswers().openversePages[0][1]; // no size: checked
    EXPECT_EQ(engine.AgentFor(web.GetAddresses().Expand(checked.url)), program);
    EXPECT_EQ(engine.AgentFor(web.GetAddresses().Expand("{SiteB}/stock/boat-45000.jpg")), "");
}

// A 429 stops the source for the rest of the run, later searches included;
// its line tells when it may be asked again.
TEST_F(SourceSearch, ARateLimitedSourceIsLeftAloneUntilItsRetryAfter)
{
    Variant(1, "/throttled");
    Run("red cars", false);
    std::vector<sampleweb::ListedPicture> expected = Expected(2);
    const std::string secondPage = web.GetAddresses().Expand("{Openverse}/files/tram-27000.jpg");
    expected.erase(std::remove_if(expected.begin(), expected.end(),
                                  [&](const auto& p) { return p.url == secondPage || p.url.find("bus-") != std::string::npos; }),
                   expected.end());
    EXPECT_EQ(found, expected);
    const TServiceHealth& openverse = engine.SourceHealth()[1];
    EXPECT_EQ(openverse.Warning, RateLimitedWarning);
    EXPECT_EQ(openverse.Pages, 2u);
    EXPECT_TRUE(ServiceHealthText(Sources[1].Name, openverse).ends_with(" - rate limited: try again in 58 min"))
        << ServiceHealthText(Sources[1].Name, openverse);
    EXPECT_EQ(engine.SourceHealth()[0].Warning, "");

    const size_t asked = web.Requests(Host::Openverse);
    engine.Abort();
    found.clear();
    Run("blue cars", false);
    EXPECT_EQ(web.Requests(Host::Openverse), asked);
    EXPECT_EQ(engine.SourceHealth()[1].Pages, 0u);
    EXPECT_TRUE(ServiceHealthText(Sources[1].Name, engine.SourceHealth()[1]).ends_with("rate limited: try again in 58 min"))
        << ServiceHealthText(Sources[1].Name, engine.SourceHealth()[1]);
    EXPECT_EQ(engine.SourceHealth()[0].Pages, 2u);
}

// A source that sends its API's callers to a login page has changed its format.
TEST_F(SourceSearch, ARedirectToALoginPageWarnsOfAChangedFormat)
{
    Variant(0, "/login");
    Variant(1, "/login");
    Run("red cars", false);
    EXPECT_TRUE(found.empty());
    for (int i = 0; i < SourceCount; ++i)
        EXPECT_EQ(engine.SourceHealth()[i].Warning, FormatChangedWarning) << Sources[i].Name;
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
    EXPECT_EQ(engine.SourcesOn(), std::vector<bool>(BuiltInSourceList().size(), false));
    EXPECT_EQ(engine.SourceHealth()[0].Pages, 0u);
}

} // namespace
