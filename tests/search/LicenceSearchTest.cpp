#include "EngineFixture.h"

#include <filesystem>

namespace {

using sampleweb::Host;

// The licence filter on the sample web: Openverse asked for the licences it
// keeps; the same API described by a user with no way to ask, whose pictures
// marked otherwise are dropped; and a collection whose licence cannot meet
// the filter, not asked.
class LicenceSearch : public EngineSearch {
protected:
    void SetUp() override
    {
        EngineSearch::SetUp();
        engine.SetServicesOn({false, false, false, false});
        const std::string folder = UserSourceFolder(settings->FileName());
        std::filesystem::create_directories(folder);
        // Its licence read from the address alone.
        WriteFile(folder + "/plainverse.json", R"({"name": "Plain Openverse", "shortName": "plainverse",
            "request": {"url": "https://plain.example/v1/images/?q={searchTerms}&page={startPage}"},
            "paging": {"by": "page", "pages": "$.page_count"},
            "answer": {"expect": "$.page_count", "results": "$.results[*]", "picture": "@.url",
                       "size": "@.filesize", "type": "@.filetype", "licenceUrl": "@.license_url"}})");
        settings->WriteString("Options", "PlainverseBaseAddress", web.GetAddresses().Base(Host::Openverse));
        settings->WriteBool("Options", "SearchVam", true);
        settings->WriteInteger("Options", "VamPages", 1);
    }

    // The Openverse stand-in's files listed, by name, and how many others.
    std::vector<std::string> OpenverseFiles(size_t& others) const
    {
        const std::string files = web.GetAddresses().Base(Host::Openverse) + "/files/";
        std::vector<std::string> names;
        others = 0;
        for (const auto& row : found)
            if (row.url.starts_with(files))
                names.push_back(row.url.substr(files.size()));
            else
                ++others;
        return names;
    }
};

TEST_F(LicenceSearch, EachFilterKeepsWhatTheLicencesAllow)
{
    const struct {
        const char* filter; // the setting; empty: none
        std::vector<std::string> files; // by, by-nc, cc0, by-nd and by-nc-nd JPEGs among them
        const char* vamWarning;
    } rows[] = {
        {"", {"bus-33000.jpg", "no-size-52000.jpg", "stale-size-15000.jpg", "street-car-38000.jpg", "tram-27000.jpg"}, ""},
        {"commercial", {"stale-size-15000.jpg", "street-car-38000.jpg", "tram-27000.jpg"},
         "not asked: its licence allows no commercial use"},
        // The V&A's pictures name no licence: kept.
        {"changes", {"no-size-52000.jpg", "stale-size-15000.jpg", "street-car-38000.jpg"}, ""},
    };
    for (const auto& row : rows) {
        if (*row.filter)
            settings->WriteString("Options", "LicenceFilter", row.filter);
        for (const char* source : {"openverse", "plainverse"}) {
            SCOPED_TRACE(std::string(row.filter) + " " + source);
            settings->WriteBool("Options", "SearchOpenverse", source == std::string("openverse"));
            settings->WriteBool("Options", "SearchPlainverse", source == std::string("plainverse"));
            found.clear();
            Run("red cars", false);
            size_t vam = 0;
            EXPECT_EQ(OpenverseFiles(vam), row.files);
            const TServiceHealth& health = engine.SourceHealth()[static_cast<size_t>(Index("vam"))];
            EXPECT_EQ(health.Warning, row.vamWarning);
            EXPECT_EQ(health.Pages, *row.vamWarning ? 0u : 1u);
            EXPECT_EQ(vam > 0, !*row.vamWarning);
            engine.Abort();
        }
    }
}

} // namespace
