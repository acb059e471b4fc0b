#include "core/JsonPath.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

// One answer with the shapes the sources send: pages keyed by id, lists,
// names no shorthand can write, nulls and nesting.
constexpr const char* Answer = R"({
  "query": {"pages": {"17": {"index": 2, "title": "B"}, "9": {"index": 1, "title": "A"}}},
  "results": [{"url": "a", "tags": ["x", "y"]}, {"url": "b"}, {"id": 3}],
  "odd": {"a.b": 1, "it's": 2, "\u00fc": 3, "\"q\"": 4, "": 5, "\ud83d\ude00": 6, "_x1": 7},
  "n": null,
  "empty": [],
  "nested": [[1, 2], [3]]
})";

std::string Nodes(const std::vector<QJsonValue>& nodes)
{
    QJsonArray array;
    for (const QJsonValue& v : nodes)
        array.append(v);
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

struct TSelectCase {
    const char* selector;
    const char* nodes; // compact JSON of the node list
};

TEST(JsonPath, SelectsFromOneAnswer)
{
    const QJsonValue answer = QJsonDocument::fromJson(Answer).object();
    const TSelectCase cases[] = {
        {"$.results[0].url", R"(["a"])"},
        {"$.results[-1].id", "[3]"},
        {"$.results[-3].url", R"(["a"])"},
        {"$.results[3]", "[]"},
        {"$.results[-4]", "[]"},
        {"$.results[*].url", R"(["a","b"])"},
        {"$.results.*.tags[1]", R"(["y"])"},
        {"$.query.pages.*.title", R"(["B","A"])"},
        {"$['query']['pages']['9'].index", "[1]"},
        {"$[\"query\"].pages[\"17\"]['title']", R"(["B"])"},
        {"$.odd['a.b']", "[1]"},
        {"$.odd['it\\'s']", "[2]"},
        {"$.odd[\"it's\"]", "[2]"},
        {"$.odd.\xC3\xBC", "[3]"},
        {"$.odd['\\u00fc']", "[3]"},
        {"$.odd[\"\\\"q\\\"\"]", "[4]"},
        {"$.odd['']", "[5]"},
        {"$.odd['\\ud83d\\ude00']", "[6]"},
        {"$.odd._x1", "[7]"},
        {"$.n", "[null]"},
        {"$.n.x", "[]"},
        {"$.empty[*]", "[]"},
        {"$.empty[0]", "[]"},
        {"$.nested[*][0]", "[1,3]"},
        {"$.nested[0][1, 0]", "[2,1]"},
        {"$.results[0]['url', 'tags'][0]", R"(["x"])"},
        {"$.results.url", "[]"},
        {"$.query[0]", "[]"},
        {"$ .results [ 1 ] .url", R"(["b"])"},
        {"$.missing.deeper[0]", "[]"},
        {"$", ""},
    };
    for (const TSelectCase& c : cases) {
        SCOPED_TRACE(c.selector);
        std::string fault;
        const std::optional<TJsonPath> path = TJsonPath::Parse(c.selector, fault);
        ASSERT_TRUE(path) << fault;
        if (*c.nodes == '\0')
            EXPECT_EQ(path->Select(answer).size(), 1u);
        else
            EXPECT_EQ(Nodes(path->Select(answer)), c.nodes);
    }
}

TEST(JsonPath, RefusesWhatTheSubsetDoesNotHold)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "at 1: a selector starts with \"$\" (the answer) or \"@\" (the result)"},
        {"results[0]", "at 1: a selector starts with"},
        {"$..url", "at 2: descendant segments (\"..\") are not supported"},
        {"$.results[0:2]", "at 12: slices are not supported"},
        {"$.results[:2]", "at 11: slices are not supported"},
        {"$.results[?@.url]", "at 11: filters are not supported"},
        {"$.results[01]", "at 11: an index has no leading zeros"},
        {"$.results[-0]", "at 11: \"-0\" is not an index"},
        {"$.results[9007199254740992]", "the index is out of range"},
        {"$.results[", "\"[\" is not closed"},
        {"$.results[0", "\"[\" is not closed"},
        {"$.results[0 1]", "expected \",\" or \"]\""},
        {"$.results[]", "expected a name in quotes, an index or \"*\""},
        {"$.1st", "cannot start with a digit"},
        {"$.", "expected a member name or \"*\" after \".\""},
        {"$. a", "expected a member name"},
        {"$.a b", "expected \".\" or \"[\""},
        {"$.a ", "not with blanks"},
        {"$['a]", "the name's quote is not closed"},
        {"$['a\\x']", "unknown escape in a name"},
        {"$['\\\"q']", "unknown escape in a name"},
        {"$['a\tb']", "a control character in a name must be escaped"},
        {"$['\\ud83d']", "a high surrogate without its low one"},
        {"$['\\ude00']", "a low surrogate without its high one"},
        {"$['\\u12']", "four hex digits"},
        {"$.\xC3", "not valid UTF-8"},
        {"$.\xED\xA0\x80", "not valid UTF-8"},
        {"$.a-b", "expected \".\" or \"[\""},
        {"$$", "expected \".\" or \"[\""},
    };
    for (const auto& [selector, reason] : cases) {
        SCOPED_TRACE(selector);
        std::string fault;
        EXPECT_FALSE(TJsonPath::Parse(selector, fault));
        EXPECT_NE(fault.find(reason), std::string::npos) << fault;
    }
}

TEST(JsonPath, TellsWhereItStartsAndWhetherItSelectsOneNode)
{
    const std::tuple<const char*, TJsonPath::TStart, bool> cases[] = {
        {"$.a[0]['b']", TJsonPath::TStart::Answer, true},
        {"@.a", TJsonPath::TStart::Item, true},
        {"@", TJsonPath::TStart::Item, true},
        {"$.a[*]", TJsonPath::TStart::Answer, false},
        {"@.a.*", TJsonPath::TStart::Item, false},
        {"$.a[0,1]", TJsonPath::TStart::Answer, false},
    };
    for (const auto& [selector, start, singular] : cases) {
        std::string fault;
        const std::optional<TJsonPath> path = TJsonPath::Parse(selector, fault);
        ASSERT_TRUE(path) << selector;
        EXPECT_EQ(path->Start(), start) << selector;
        EXPECT_EQ(path->Singular(), singular) << selector;
    }
}

} // namespace
