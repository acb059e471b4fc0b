#include "layers/Report.h"
#include "layers/SourceRules.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

const std::regex kSocketLayers(R"(WSocket\w*\.h)");

std::vector<TSourceRule> SocketRules()
{
    const std::regex lparam(R"(LParam\s*>>)");
    const std::regex socksNumber(R"(\b200(0[1-9]|1[0-7])\b)");
    const std::string unpack = "the message parameter is unpacked by TSocketNotice";
    const std::string named = "a SOCKS error goes by its name (net/LayerErrors.h)";
    return {{unpack, "src", lparam, ""},
            {unpack, "tests/net", lparam, ""},
            {named, "src", socksNumber, "src/net/LayerErrors.h"},
            {named, "tests/net", socksNumber, ""},
            {named, "fuzz", socksNumber, ""}};
}

TEST(SourceRules, TheSocketKeepsItsStateAndNamesInOnePlace)
{
    const char* source = std::getenv("GS_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::vector<std::string> rules = CheckSourceRules(source, SocketRules());
    EXPECT_TRUE(rules.empty()) << Lines(rules);
    const std::vector<std::string> fields = CheckPrivateFields(source, "src/net", kSocketLayers);
    EXPECT_TRUE(fields.empty()) << Lines(fields);
}

struct TRuleCase {
    std::string Name;
    std::string Path; // below the tree's top
    std::string Text;
    std::vector<std::string> Breaks; // each in part
};

void PrintTo(const TRuleCase& c, std::ostream* out) { *out << c.Name; }

class SourceRuleCheck : public ::testing::TestWithParam<TRuleCase> {};

TEST_P(SourceRuleCheck, NamesTheFileAndLine)
{
    TempDir top;
    fs::create_directories(fs::path(top.File(GetParam().Path)).parent_path());
    WriteFile(top.File(GetParam().Path), GetParam().Text);
    std::vector<std::string> breaks = CheckSourceRules(top.Path(), SocketRules());
    const std::vector<std::string> fields = CheckPrivateFields(top.Path(), "src/net", kSocketLayers);
    breaks.insert(breaks.end(), fields.begin(), fields.end());
    std::vector<testing::Matcher<std::string>> want;
    for (const std::string& part : GetParam().Breaks)
        want.push_back(testing::HasSubstr(part));
    EXPECT_THAT(breaks, testing::UnorderedElementsAreArray(want)) << Lines(breaks);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, SourceRuleCheck,
    ::testing::Values(
        TRuleCase{"UnpackedByHand", "src/net/A.cpp", "int a;\nauto e = (Msg.LParam >> 16) & 0xFFFF;\n",
                  {"src/net/A.cpp:2: the message parameter"}},
        TRuleCase{"BareSocksNumber", "src/net/S.cpp", "Fail(20016, \"x\");\n", {"src/net/S.cpp:1: a SOCKS error"}},
        TRuleCase{"BareSocksNumberInATest", "tests/net/T.cpp", "EXPECT_EQ(e, 20001);\n", {"tests/net/T.cpp:1:"}},
        TRuleCase{"NumberInTextOrComment", "src/net/S.cpp", "f(\"#20015\"); // 20016\nint n = 20000;\n", {}},
        TRuleCase{"TheNamingFile", "src/net/LayerErrors.h", "enum { socksLogicError = 20001 };\n", {}},
        TRuleCase{"ProtectedField", "src/net/WSocketX.h",
                  "class TX : public TY {\npublic:\n    int Get() const;\nprotected:\n    void Step();\n"
                  "    std::string FName = \"a\";\n    int FCount{0};\nprivate:\n    bool FOwn = false;\n};\n",
                  {"src/net/WSocketX.h:6: FName is protected", "src/net/WSocketX.h:7: FCount is protected"}},
        TRuleCase{"StructMembersArePublic", "src/net/WSocketY.h", "struct TY {\n    int FSeen;\n};\n",
                  {"FSeen is public"}},
        TRuleCase{"OtherHeadersAreNotLayers", "src/net/Other.h", "class TZ {\npublic:\n    int FOpen;\n};\n", {}}),
    [](const ::testing::TestParamInfo<TRuleCase>& info) { return info.param.Name; });

}
