#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace {

TCliOptions Searching(const std::string& phrase, void (*more)(TCliOptions&) = nullptr)
{
    TCliOptions o;
    o.Phrase = phrase;
    if (more)
        more(o);
    return o;
}

struct Row {
    std::vector<std::string> args;
    TCliOptions options; // when error is empty
    std::string error;   // a part of the message
};

TEST(Arguments, AreReadOrRefusedWithTheReason)
{
    const Row rows[] = {
        {{"--search", "red cars"}, Searching("red cars"), ""},
        {{"--search=red cars"}, Searching("red cars"), ""},
        {{"--search", "a=b"}, Searching("a=b"), ""},
        {{"--search", "http://127.0.0.1:8080/g.html", "--no-recursive", "--check"},
         Searching("http://127.0.0.1:8080/g.html",
                   [](TCliOptions& o) {
                       o.Recursive = false;
                       o.CheckLinks = true;
                   }),
         ""},
        {{"--recursive", "--no-check", "--json", "--search", "x"}, Searching("x",
                                                                            [](TCliOptions& o) {
                                                                                o.Recursive = true;
                                                                                o.CheckLinks = false;
                                                                                o.Json = true;
                                                                            }),
         ""},
        {{"--search", "x", "--max-results", "25", "--time-limit=1.5", "--save", "out dir", "--settings", "g.ini"},
         Searching("x",
                   [](TCliOptions& o) {
                       o.MaxResults = 25;
                       o.TimeLimit = 1.5;
                       o.SaveDir = "out dir";
                       o.SettingsFile = "g.ini";
                   }),
         ""},
        {{"--help"}, Searching("", [](TCliOptions& o) { o.Help = true; }), ""},
        {{"--search", "x", "--help"}, Searching("x", [](TCliOptions& o) { o.Help = true; }), ""},
        {{}, {}, "--search PHRASE is required"},
        {{"--json"}, {}, "--search PHRASE is required"},
        {{"--search"}, {}, "--search needs a value"},
        {{"--search", "--json"}, {}, "--search needs a value"},
        {{"--search", "  "}, {}, "phrase is empty"},
        {{"--search="}, {}, "phrase is empty"},
        {{"--search", "x", "y"}, {}, "unexpected argument 'y'"},
        {{"--search", "x", "--colour"}, {}, "unknown option --colour"},
        {{"--search", "x", "--search", "y"}, {}, "--search repeats"},
        {{"--search", "x", "--recursive", "--no-recursive"}, {}, "--no-recursive repeats or contradicts"},
        {{"--search", "x", "--check", "--check"}, {}, "--check repeats"},
        {{"--search", "x", "--json=yes"}, {}, "--json takes no value"},
        {{"--search", "x", "--max-results", "0"}, {}, "--max-results needs a whole number"},
        {{"--search", "x", "--max-results", "-3"}, {}, "not '-3'"},
        {{"--search", "x", "--max-results", "3x"}, {}, "not '3x'"},
        {{"--search", "x", "--max-results", "99999999999999999999"}, {}, "--max-results needs"},
        {{"--search", "x", "--time-limit", "0"}, {}, "--time-limit needs a number of seconds"},
        {{"--search", "x", "--time-limit", "nan"}, {}, "--time-limit needs"},
        {{"--search", "x", "--time-limit", "1e9"}, {}, "--time-limit needs"},
        {{"--search", "x", "--save="}, {}, "--save needs a value"},
        {{"--search", "x", "--settings"}, {}, "--settings needs a value"},
        {{"--help", "--bogus"}, {}, "unknown option --bogus"},
    };
    for (const Row& row : rows) {
        std::string shown;
        for (const auto& a : row.args)
            shown += "[" + a + "] ";
        const TCliParse parse = ParseArguments(row.args);
        if (row.error.empty()) {
            EXPECT_EQ(parse.Error, "") << shown;
            EXPECT_TRUE(parse.Options == row.options) << shown;
        } else {
            EXPECT_NE(parse.Error.find(row.error), std::string::npos) << shown << "-> " << parse.Error;
            EXPECT_TRUE(parse.Options == TCliOptions{}) << shown;
        }
    }
}

TEST(Arguments, AnOptionChoosesTheCommandLine)
{
    const char* none[] = {"glimmerscout"};
    const char* stray[] = {"glimmerscout", "photo.jpg"};
    const char* option[] = {"glimmerscout", "photo.jpg", "--help"};
    EXPECT_FALSE(WantsCommandLine(1, none));
    EXPECT_FALSE(WantsCommandLine(2, stray));
    EXPECT_TRUE(WantsCommandLine(3, option));
}

} // namespace
