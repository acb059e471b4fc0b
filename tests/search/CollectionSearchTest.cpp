#include "EngineFixture.h"

#include <filesystem>

namespace {

using sampleweb::Host;

// Every built-in source asked of the sample web at once, services off.
class CollectionSearch : public EngineSearch {
protected:
    void SetUp() override
    {
        EngineSearch::SetUp();
        engine.SetServicesOn({false, false, false, false});
        for (const TSource& source : BuiltInSourceList())
            settings->WriteBool("Options", source.SwitchKey, true);
    }

    size_t FoundBelow(const std::string& folder) const
    {
        const std::string prefix = web.GetAddresses().Base(Host::Museums) + folder;
        return std::count_if(found.begin(), found.end(), [&](const auto& p) { return p.url.starts_with(prefix); });
    }
};

// The collections hold 60 works each and are asked for 50 a page: each is
// asked twice, its second answer saying in its own way that none follow.
TEST_F(CollectionSearch, EachSourceIsAskedUntilItsAnswerSaysNoMore)
{
    Run("red cars", false);
    const struct {
        const char* shortName;
        const char* folder; // where its pictures are
        const char* size;   // as listed: told by the source, or unknown
    } cases[] = {
        {"cleveland", "/cleveland/", nullptr}, {"artic", "/iiif/2/", "UNKNOWN"},
        {"vam", "/collections/", "UNKNOWN"},   {"loc", "/storage/", "UNKNOWN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shortName);
        const int i = Index(c.shortName);
        ASSERT_GE(i, 0);
        EXPECT_EQ(engine.SourceHealth()[i].Pages, 2u);
        EXPECT_EQ(engine.SourceHealth()[i].Warning, "");
        EXPECT_EQ(FoundBelow(c.folder), 60u);
        for (const auto& p : found) {
            if (p.url.starts_with(web.GetAddresses().Base(Host::Museums) + c.folder) && c.size) {
                EXPECT_EQ(p.size, c.size) << p.url;
            }
        }
    }
    for (const char* shortName : {"commons", "openverse"})
        EXPECT_EQ(engine.SourceHealth()[Index(shortName)].Pages, 2u) << shortName;
    // The fragment of the Library of Congress's addresses is never sent.
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const auto& p) { return p.url.find('#') != std::string::npos; }),
              0);
    // The Art Institute, the V&A and the Library of Congress ask for a second
    // between two requests; all three are on the sample web's one host.
    std::vector<std::chrono::steady_clock::time_point> paced;
    for (const char* path : {"/api/v1/artworks/search", "/v2/objects/search", "/photos/"}) {
        const auto times = web.SearchTimes(Host::Museums, path);
        EXPECT_EQ(times.size(), 2u) << path;
        paced.insert(paced.end(), times.begin(), times.end());
    }
    std::sort(paced.begin(), paced.end());
    for (size_t i = 1; i < paced.size(); ++i)
        EXPECT_GE(paced[i] - paced[i - 1], std::chrono::milliseconds(1000)) << i;
    // The Art Institute's own header names the program, as its API asks.
    EXPECT_EQ(web.Agents(Host::Museums).count("AIC-User-Agent: " + SourceAgent()), 1u);
}

TEST_F(CollectionSearch, AnEmptyOrChangedAnswerIsThatSourcesAlone)
{
    const struct {
        const char* prefix;
        const char* warning;
    } variants[] = {{"/empty", ""}, {"/changed", FormatChangedWarning}};
    for (const auto& v : variants) {
        for (const char* shortName : {"cleveland", "artic", "vam", "loc"}) {
            SCOPED_TRACE(std::string(shortName) + v.prefix);
            const int i = Index(shortName);
            const TSource& source = engine.SourceList()[i];
            // That source beside Commons alone: the collections share the sample web's host, and its pause.
            for (const TSource& other : BuiltInSourceList())
                settings->WriteBool("Options", other.SwitchKey, &other == &BuiltInSourceList()[0]);
            settings->WriteBool("Options", source.SwitchKey, true);
            settings->WriteString("Options", source.BaseKey, web.GetAddresses().Base(Host::Museums) + v.prefix);
            found.clear();
            Run("red cars", false);
            EXPECT_EQ(engine.SourceHealth()[i].Pages, 1u);
            EXPECT_EQ(engine.SourceHealth()[i].Warning, v.warning);
            EXPECT_EQ(engine.SourceHealth()[Index("commons")].Warning, "");
            engine.Abort();
            settings->WriteString("Options", source.BaseKey, web.GetAddresses().Base(Host::Museums));
        }
    }
}

// A user's description of an API the program does not know, read from the
// folder beside the settings file at the next search start; a refused file
// is logged and listed, and the other sources go on.
TEST_F(CollectionSearch, AUsersDescriptionIsReadAtTheNextSearch)
{
    for (const TSource& source : BuiltInSourceList())
        settings->WriteBool("Options", source.SwitchKey, false);
    const std::string folder = UserSourceFolder(settings->FileName());
    std::filesystem::create_directories(folder);
    // The Library of Congress's stand-in, described anew by a user.
    WriteFile(folder + "/photos.json", R"({"name": "My Photos", "shortName": "photos",
        "request": {"url": "https://photos.example/photos/?fo=json&q={searchTerms}&sp={startPage}"},
        "paging": {"by": "page", "next": "$.pagination.next"},
        "answer": {"expect": "$.pagination", "results": "$.results[*]", "picture": "@.image_url[1]"}})");
    WriteFile(folder + "/broken.json", "{\"name\": \"Broken\"}");
    settings->WriteBool("Options", "SearchPhotos", true);
    settings->WriteString("Options", "PhotosBaseAddress", web.GetAddresses().Base(Host::Museums));
    Run("red cars", false);
    const int i = Index("photos");
    ASSERT_GE(i, 0);
    EXPECT_FALSE(engine.SourceList()[i].BuiltIn);
    EXPECT_EQ(engine.SourceHealth()[i].Pages, 3u); // 25 a page, the API's own number
    EXPECT_EQ(FoundBelow("/storage/"), 60u);
    ASSERT_EQ(engine.RefusedSources().size(), 1u);
    EXPECT_EQ(engine.RefusedSources()[0].Text(), folder + "/broken.json:1: the field \"shortName\" is missing");
}

} // namespace
