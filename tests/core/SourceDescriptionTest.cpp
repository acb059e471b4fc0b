#include "core/SourceDescription.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// A whole description, one field a line, that each case spoils in one place.
constexpr const char* Good = R"({
  "name": "Example Museum",
  "shortName": "example",
  "homePage": "https://museum.example/",
  "licences": "CC0 only",
  "request": {
    "url": "https://api.museum.example:8443/v1/search?q={searchTerms}&limit={count}&page={startPage}",
    "headers": {"Accept": "application/json"}
  },
  "paging": {"by": "page", "count": 50, "maxPages": 5, "pages": "$.meta.pages"},
  "answer": {
    "expect": "$.meta",
    "error": "$.error.message",
    "results": "$.data[*]",
    "order": "@.rank",
    "picture": "@.images.full.url",
    "size": "@.images.full.bytes",
    "type": "@.images.full.mime",
    "title": "@.title"
  }
})";

std::string Spoilt(const char* from, const char* to)
{
    std::string text = Good;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, std::string_view(from).size(), to);
}

TEST(SourceDescription, ReadsAWholeDescription)
{
    const TDescriptionRead read = ReadSourceDescription("example.json", Good);
    ASSERT_TRUE(read.Description) << read.Fault.Text();
    const TSourceDescription& d = *read.Description;
    EXPECT_EQ(d.Name, "Example Museum");
    EXPECT_EQ(d.ShortName, "example");
    EXPECT_EQ(d.DefaultBase, "https://api.museum.example:8443");
    EXPECT_EQ(d.Paging, TPaging::Page);
    EXPECT_EQ(d.First, 1);
    EXPECT_EQ(d.Count, 50);
    EXPECT_EQ(d.MaxPages, 5);
    ASSERT_EQ(d.Headers.size(), 1u);
    EXPECT_EQ(d.Headers[0].first, "Accept");
    EXPECT_TRUE(d.PageCount && d.Picture.Path && d.Title.Path && d.Order);
    EXPECT_FALSE(d.Width.Given() || d.Creator.Given() || d.Total || d.HostsFiles);
}

TEST(SourceDescription, ReadsAnAddressMadeFromSelectedValues)
{
    const std::string text = Spoilt(R"("picture": "@.images.full.url",)",
                                    R"("picture": {"template": "{base}/{id}/full/843,/0/default.jpg",)"
                                    R"( "values": {"base": "$.config.iiif_url", "id": "@.image_id"}},)");
    const TDescriptionRead read = ReadSourceDescription("iiif.json", text);
    ASSERT_TRUE(read.Description) << read.Fault.Text();
    const TFieldSelector& picture = read.Description->Picture;
    ASSERT_TRUE(picture.Template);
    ASSERT_EQ(picture.Values.size(), 2u);
    EXPECT_EQ(picture.Values[0].second.Start(), TJsonPath::TStart::Answer);
    EXPECT_EQ(picture.Values[1].second.Start(), TJsonPath::TStart::Item);
}

struct TRefusedCase {
    const char* from;
    const char* to;
    const char* fault;
};

TEST(SourceDescription, RefusesEachFaultWithWhereAndWhy)
{
    const TRefusedCase cases[] = {
        {"\"CC0 only\",", "\"CC0 only\"", "x.json:6: not JSON: unterminated object"},
        {"  \"name\": \"Example Museum\",\n", "", "x.json:1: the field \"name\" is missing"},
        {"\"Example Museum\"", "\"\"", "x.json:2: name: must not be empty"},
        {"\"Example Museum\"", "42", "x.json:2: name: must be a text in quotes"},
        {"\"Example Museum\"", "\"Tab\\there\"", "x.json:2: name: must not hold control characters"},
        {"\"example\"", "\"Example\"", "x.json:3: shortName: a short name is a small letter"},
        {"\"example\"", "\"ex ample\"", "x.json:3: shortName: a short name"},
        {"\"homePage\": \"https://museum.example/\"", "\"homePage\": \"museum.example\"",
         "x.json:4: homePage: must start with http:// or https://"},
        {"\"licences\"", "\"licenses\"", "x.json:5: licenses: unknown field"},
        {"\"url\": \"https://api", "\"address\": \"https://api", "x.json:7: request.address: unknown field"},
        {"https://api.museum.example:8443", "ftp://api.museum.example",
         "x.json:7: request.url: the address must start with http:// or https://"},
        {"https://api.museum.example:8443", "https://{host}", "x.json:7: request.url: the address must name its host"},
        {"q={searchTerms}", "q={searchTerms", "x.json:7: request.url: the template \"https://api.museum.example:8443/v1/"
                                              "search?q={searchTerms&limit={count}&page={startPage}\" does not parse: "
                                              "at 45: \"{\" without its \"}\""},
        {"q={searchTerms}", "q={terms}", "x.json:7: request.url: unknown variable {terms}"},
        {"q={searchTerms}", "q={searchTerms}&k={key}",
         "x.json:7: request.url: {key} is used but no keySetting names where the key is kept"},
        {"\"headers\"", "\"keySetting\": \"MuseumKey\",\n    \"headers\"",
         "x.json:8: request.keySetting: is set but neither the address nor a header uses {key}"},
        {"\"headers\"", "\"keySetting\": \"Museum Key\",\n    \"headers\"",
         "x.json:8: request.keySetting: a settings key is"},
        {"{\"Accept\": \"application/json\"}", "{\"User-Agent\": \"me\"}",
         "x.json:8: request.headers.User-Agent: the program sends this header itself"},
        {"{\"Accept\": \"application/json\"}", "{\"Bad Name\": \"x\"}", "x.json:8: request.headers.Bad Name: not a header name"},
        {"{\"Accept\": \"application/json\"}", "{\"Accept\": \"a\\r\\nHost: evil\"}",
         "x.json:8: request.headers.Accept: must not hold control characters"},
        {"{\"Accept\": \"application/json\"}", "[]", "x.json:8: request.headers: must be an object"},
        {"\"by\": \"page\"", "\"by\": \"cursor\"", "x.json:10: paging.by: must be \"page\", \"offset\" or \"continuation\""},
        {"\"by\": \"page\"", "\"by\": \"offset\"", "x.json:7: request.url: {startPage} is used but the paging is not by page"},
        {"&page={startPage}", "&page={startPage}&x=1",
         "x.json:7: request.url: paging by page needs the address to end with its parameter, as in \"&page={startPage}\""},
        {"?q={searchTerms}", "?q={searchTerms}&p={startPage}", "x.json:7: request.url: {startPage} may stand only in the last parameter"},
        {"\"headers\"", "\"types\": {\"each\": \"{mime}\", \"separator\": \",\"},\n    \"headers\"",
         "x.json:8: request.types: is given but neither request.url nor request.terms uses {types}"},
        {"q={searchTerms}", "q={searchTerms}&t={types}",
         "x.json:7: request.url: {types} is used but request.types does not say how to write them"},
        {"\"headers\"", "\"terms\": \"{types}\",\n    \"headers\"", "x.json:8: request.terms: must hold the {phrase}"},
        {"\"headers\"", "\"terms\": \"{phrase} {lang}\",\n    \"headers\"", "x.json:8: request.terms: unknown variable {lang}"},
        {"\"by\": \"page\"", "\"by\": \"continuation\"", "x.json:10: paging.by: paging by continuation needs"},
        {"&page={startPage}", "", "x.json:7: request.url: paging by page needs the address to end with its parameter"},
        {"\"count\": 50, ", "", "x.json:7: request.url: {count} is used but paging.count is not given"},
        {"\"count\": 50", "\"count\": 2.5", "x.json:10: paging.count: must be a whole number"},
        {"\"count\": 50", "\"count\": 0", "x.json:10: paging.count: must be from 1 to 1000"},
        {"\"maxPages\": 5", "\"maxPages\": 500", "x.json:10: paging.maxPages: must be from 1 to 100"},
        {"\"pages\": \"$.meta.pages\"", "\"pages\": \"$..pages\"",
         "x.json:10: paging.pages: the selector \"$..pages\" does not parse: at 2: descendant segments"},
        {"\"pages\": \"$.meta.pages\"", "\"pages\": \"@.pages\"",
         "x.json:10: paging.pages: the selector must start at the answer (\"$\")"},
        {"\"expect\": \"$.meta\"", "\"expect\": []", "x.json:12: answer.expect: must be a selector or a list"},
        {"\"expect\": \"$.meta\"", "\"expect\": [\"$.meta\", 3]", "x.json:12: answer.expect.1: must be a selector in quotes"},
        {"\"expect\": \"$.meta\"", "\"expect\": [\"$.meta\", [\"$.a\", \"!@.b\"]]",
         "x.json:12: answer.expect.1.1: the selector must start at the answer"},
        {"\"expect\": \"$.meta\"", "\"expect\": [[]]", "x.json:12: answer.expect.0: must be a selector or a list"},
        {"    \"expect\": \"$.meta\",\n", "", "x.json:11: answer: the field \"expect\" is missing"},
        {"\"$.data[*]\"", "\"$.data[*\"", "x.json:14: answer.results: the selector \"$.data[*\" does not parse"},
        {"\"$.data[*]\"", "\"@.data\"", "x.json:14: answer.results: the selector must start at the answer"},
        {"\"@.rank\"", "\"$.rank\"", "x.json:15: answer.order: the selector must start at the result (\"@\")"},
        {"    \"picture\": \"@.images.full.url\",\n", "", "x.json:11: answer: the field \"picture\" is missing"},
        {"\"@.images.full.url\"", "\"images.full.url\"",
         "x.json:16: answer.picture: the selector \"images.full.url\" does not parse: at 1: a selector starts"},
        {"\"@.images.full.url\"", "{\"template\": \"{b}/{id}\", \"values\": {\"b\": \"$.base\"}}",
         "x.json:16: answer.picture.template: {id} has no selector in \"values\""},
        {"\"@.images.full.url\"", "{\"template\": \"{b}\", \"values\": {\"b\": \"$.base\", \"id\": \"@.id\"}}",
         "x.json:16: answer.picture.values.id: the template does not use it"},
        {"\"@.images.full.url\"", "{\"template\": \"{b}\"}", "x.json:16: answer.picture.values: must be an object"},
        {"\"@.images.full.url\"", "{\"url\": \"@.u\"}", "x.json:16: answer.picture.url: unknown field"},
        {"\"title\": \"@.title\"", "\"titel\": \"@.title\"", "x.json:19: answer.titel: unknown field"},
        {"\"answer\": {", "\"hostsFiles\": \"yes\",\n  \"answer\": {", "x.json:11: hostsFiles: must be true or false"},
        {"{\"by\": \"page\", \"count\": 50, \"maxPages\": 5, \"pages\": \"$.meta.pages\"}", "7",
         "x.json:10: paging: must be an object"},
        {"\"headers\"", "\"licenceFilter\": \"&lt=c\",\n    \"headers\"", "x.json:8: request.licenceFilter: must be an object"},
        {"\"headers\"", "\"licenceFilter\": {\"free\": \"&f=1\"},\n    \"headers\"",
         "x.json:8: request.licenceFilter.free: unknown field"},
        {"\"headers\"", "\"licenceFilter\": {\"commercial\": \"lt=c\"},\n    \"headers\"",
         "x.json:8: request.licenceFilter.commercial: a query piece starts with \"&\" and holds no spaces"},
        {"\"headers\"", "\"licenceFilter\": {\"changes\": \"&lt={types}\"},\n    \"headers\"",
         "x.json:8: request.licenceFilter.changes: a query piece starts with"},
        {"\"headers\"", "\"licenceFilter\": {\"changes\": \"\"},\n    \"headers\"",
         "x.json:8: request.licenceFilter.changes: must not be empty"},
        {"\"answer\": {", "\"allows\": [],\n  \"answer\": {", "x.json:11: allows: must be an object"},
        {"\"answer\": {", "\"allows\": {\"commercial\": \"no\"},\n  \"answer\": {",
         "x.json:11: allows.commercial: must be true or false"},
        {"\"application/json\"}\n  },", "\"application/json\"}, \"licenceFilter\": {\"commercial\": \"&c=1\"}\n  },\n"
                                       "  \"allows\": {\"commercial\": false, \"changes\": true},",
         "x.json:10: allows.commercial: is false, yet request.licenceFilter asks the source for it"},
    };
    for (const TRefusedCase& c : cases) {
        SCOPED_TRACE(c.fault);
        const TDescriptionRead read = ReadSourceDescription("x.json", Spoilt(c.from, c.to));
        EXPECT_FALSE(read.Description);
        EXPECT_TRUE(read.Fault.Text().starts_with(c.fault)) << read.Fault.Text();
    }
    const TDescriptionRead notObject = ReadSourceDescription("x.json", "[]");
    EXPECT_EQ(notObject.Fault.Text(), "x.json:1: a description is one JSON object");
}

// The README's worked example is a description the program takes.
TEST(SourceDescription, TheReadmesExampleIsRead)
{
    std::ifstream in(std::string(std::getenv("GS_SOURCE_DIR")) + "/README.md");
    std::stringstream readme;
    readme << in.rdbuf();
    const std::string text = readme.str();
    const size_t example = text.find("```json\n", text.find("A worked example"));
    ASSERT_NE(example, std::string::npos);
    const size_t start = example + 8;
    const TDescriptionRead read = ReadSourceDescription("README.md", text.substr(start, text.find("```", start) - start));
    ASSERT_TRUE(read.Description) << read.Fault.Text();
    EXPECT_EQ(read.Description->DefaultBase, "https://api.museum.example");
    EXPECT_TRUE(read.Description->Creator.Given());
}

} // namespace
