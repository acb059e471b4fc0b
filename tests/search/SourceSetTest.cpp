#include "core/BuiltInSources.h"
#include "platform/ErrorLog.h"
#include "search/SourceSet.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Description(const std::string& name, const std::string& shortName)
{
    return R"({"name": ")" + name + R"(", "shortName": ")" + shortName + R"(",
        "request": {"url": "https://a.test/s?q={searchTerms}"},
        "answer": {"expect": "$.items", "results": "$.items[*]", "picture": "@.url"}})";
}

std::vector<std::string> ShortNames(const TSourceSet& set)
{
    std::vector<std::string> names;
    for (size_t i = set.BuiltInCount(); i < set.Sources().size(); ++i)
        names.push_back(set.Sources()[i].ShortName);
    return names;
}

TEST(SourceSet, ReadsEveryBuiltInDescription)
{
    ErrorLog::ClearForTest();
    const std::vector<TSourceDescription>& sources = BuiltInSources();
    std::vector<std::string> names;
    for (const TSourceDescription& d : sources)
        names.push_back(d.ShortName);
    EXPECT_EQ(names, (std::vector<std::string>{"commons", "openverse", "cleveland", "artic", "vam", "loc"}));
    EXPECT_TRUE(ErrorLog::Lines().empty());
}

TEST(SourceSet, AddsTheUsersSourcesAndRefusesTheOnesThatClash)
{
    TempDir dir;
    const std::string folder = dir.File("sources");
    std::filesystem::create_directory(folder);
    const std::pair<const char*, std::string> files[] = {
        {"a-museum.json", Description("A Museum", "museum")},
        {"b-broken.json", "{\"name\": \"Broken\",\n  \"shortName\": 3}"},
        {"c-service.json", Description("Not HotBot", "hotbot")},
        {"d-commons.json", Description("My Commons", "commons")},
        {"e-again.json", Description("Museum Again", "museum")},
        {"f-samename.json", Description("openverse", "ov2")},
        {"g-notes.txt", "not a description"},
        {"h-second.json", Description("Second Museum", "second")},
    };
    for (const auto& [name, text] : files)
        WriteFile(folder + "/" + name, text);
    TSourceSet set(folder, {"hotbot", "lycos"});
    EXPECT_TRUE(set.Refresh());
    EXPECT_EQ(ShortNames(set), (std::vector<std::string>{"museum", "second"}));
    std::vector<std::string> refused;
    for (const TDescriptionFault& f : set.Refused())
        refused.push_back(f.Text().substr(folder.size() + 1));
    EXPECT_EQ(refused, (std::vector<std::string>{
                           "b-broken.json:2: shortName: must be a text in quotes",
                           "c-service.json: shortName: \"hotbot\" is a service's short name",
                           "d-commons.json: shortName: \"commons\" is already the short name of Wikimedia Commons",
                           "e-again.json: shortName: \"museum\" is already the short name of A Museum",
                           "f-samename.json: name: \"openverse\" is already the name of another source",
                       }));
    EXPECT_EQ(set.Find("SECOND"), static_cast<int>(set.BuiltInCount()) + 1);
    EXPECT_EQ(set.Find("nothing"), -1);
}

TEST(SourceSet, ReadsTheFolderAgainOnlyWhenItChanged)
{
    TempDir dir;
    const std::string folder = dir.File("sources");
    TSourceSet set(folder, {});
    EXPECT_TRUE(set.Refresh());
    EXPECT_TRUE(ShortNames(set).empty());
    EXPECT_FALSE(set.Refresh());
    std::filesystem::create_directory(folder);
    WriteFile(folder + "/one.json", Description("One", "one"));
    EXPECT_TRUE(set.Refresh());
    EXPECT_EQ(ShortNames(set), std::vector<std::string>{"one"});
    EXPECT_FALSE(set.Refresh());
    WriteFile(folder + "/one.json", Description("One renamed", "uno"));
    EXPECT_TRUE(set.Refresh());
    EXPECT_EQ(ShortNames(set), std::vector<std::string>{"uno"});
    std::filesystem::remove(folder + "/one.json");
    EXPECT_TRUE(set.Refresh());
    EXPECT_TRUE(ShortNames(set).empty());
}

TEST(SourceSet, KeepsTheUsersFolderBesideTheSettingsFile)
{
    EXPECT_EQ(UserSourceFolder("/home/u/.config/glimmerscout/glimmerscout.ini"), "/home/u/.config/glimmerscout/sources");
    EXPECT_EQ(UserSourceFolder("/opt/gs/glimmerscout.ini"), "/opt/gs/sources");
}

} // namespace
