#include "core/UrlTemplate.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// Values as a request gives them; "unset" has none.
std::optional<std::string> Value(std::string_view name)
{
    static const std::map<std::string, std::string, std::less<>> values{
        {"searchTerms", "red%20cars"}, {"count", "50"}, {"startPage", "2"}, {"geo:box", "1,2"}, {"empty", ""}};
    const auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

TEST(UrlTemplate, ExpandsVariablesAndKeepsTheRest)
{
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"https://a.test/s?q={searchTerms}&n={count}&p={startPage}", "https://a.test/s?q=red%20cars&n=50&p=2",
         {"searchTerms", "count", "startPage"}},
        {"https://a.test/s?q={searchTerms}&q2={searchTerms}", "https://a.test/s?q=red%20cars&q2=red%20cars",
         {"searchTerms"}},
        {"https://a.test/s?p={unset?}&b={geo:box}", "https://a.test/s?p=&b=1,2", {"unset", "geo:box"}},
        {"https://a.test/s?p={startPage?}", "https://a.test/s?p=2", {"startPage"}},
        {"https://a.test/w/api.php?iiprop=url%7Csize&e={empty}", "https://a.test/w/api.php?iiprop=url%7Csize&e=",
         {"empty"}},
        {"{searchTerms}", "red%20cars", {"searchTerms"}},
        {"plain", "plain", {}},
        {"", "", {}},
    };
    for (const auto& [text, expanded, names] : cases) {
        SCOPED_TRACE(text);
        std::string fault;
        const std::optional<TUrlTemplate> t = TUrlTemplate::Parse(text, fault);
        ASSERT_TRUE(t) << fault;
        EXPECT_EQ(t->Expand(Value), std::optional<std::string>(expanded));
        EXPECT_EQ(t->Names(), names);
    }
    std::string fault;
    EXPECT_EQ(TUrlTemplate::Parse("https://a.test/{unset}", fault)->Expand(Value), std::nullopt);
}

TEST(UrlTemplate, RefusesBracesThatDoNotMakeAVariable)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://a.test/{searchTerms", "at 16: \"{\" without its \"}\""},
        {"https://a.test/{a{b}", "at 16: \"{\" without its \"}\""},
        {"https://a.test/a}", "at 17: \"}\" without its \"{\""},
        {"https://a.test/{}", "at 17: \"\" is not a variable name"},
        {"https://a.test/{?}", "\"\" is not a variable name"},
        {"https://a.test/{search terms}", "\"search terms\" is not a variable name"},
        {"https://a.test/{a:}", "\"a:\" is not a variable name"},
        {"https://a.test/{a:b:c}", "\"a:b:c\" is not a variable name"},
        {"https://a.test/{a??}", "\"a?\" is not a variable name"},
    };
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        std::string fault;
        EXPECT_FALSE(TUrlTemplate::Parse(text, fault));
        EXPECT_NE(fault.find(reason), std::string::npos) << fault;
    }
}

} // namespace
