#include "core/IndexedList.h"

#include <gtest/gtest.h>

namespace {

struct TKeyCase {
    const char* name;
    TIndexedList::KeyKind kind;
    const char* line;
    const char* key;
    bool found;
};

class IndexedKeys : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(IndexedKeys, FindLinesByKeyIgnoringCase)
{
    const TKeyCase& c = GetParam();
    TIndexedList list(c.kind);
    list.Append(c.line);
    EXPECT_EQ(list.ContainsKey(c.key), c.found);
}

using K = TIndexedList::KeyKind;
INSTANTIATE_TEST_SUITE_P(
    Keys, IndexedKeys,
    ::testing::Values(TKeyCase{"SameLine", K::WholeLine, "http://a/b.jpg", "http://a/b.jpg", true},
                      TKeyCase{"AsciiCase", K::WholeLine, "http://A/B.JPG", "http://a/b.jpg", true},
                      TKeyCase{"Latin1Case", K::WholeLine, "http://a/\xC4.jpg", "http://a/\xE4.jpg", true},
                      TKeyCase{"OtherLetter", K::WholeLine, "http://a/b.jpg", "http://a/c.jpg", false},
                      TKeyCase{"Prefix", K::WholeLine, "http://a/b.jpg", "http://a/b", false},
                      TKeyCase{"WholeLineKeepsTab", K::WholeLine, "http://a/\t2", "http://a/", false},
                      TKeyCase{"BeforeTab", K::BeforeTab, "http://A/\t2", "http://a/", true},
                      TKeyCase{"BeforeTabNoTab", K::BeforeTab, "http://a/", "http://a/", true},
                      TKeyCase{"BeforeTabNotTheCode", K::BeforeTab, "http://a/\t2", "http://a/\t2", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IndexedList, AKeyStaysWhileAnyLineHoldsIt)
{
    TIndexedList list(K::BeforeTab);
    list.Append("http://a/\t1");
    list.Append("http://b/\t1");
    list.Append("HTTP://A/\t2");
    list.RemoveFirst();
    EXPECT_TRUE(list.ContainsKey("http://a/"));
    list.RemoveFirst();
    list.RemoveFirst();
    EXPECT_FALSE(list.ContainsKey("http://a/"));
    EXPECT_TRUE(list.empty());
}

TEST(IndexedList, ACopyIndexesItsOwnLines)
{
    TIndexedList original;
    original.Append("http://a/");
    TIndexedList copy = original;
    original.Clear();
    EXPECT_TRUE(copy.ContainsKey("http://a/"));
    copy.RemoveFirst();
    EXPECT_FALSE(copy.ContainsKey("http://a/"));
    TIndexedList moved = std::move(original);
    moved.Append("http://b/");
    EXPECT_TRUE(moved.ContainsKey("HTTP://B/"));
}

}
