#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace {

// The options as one line, "-" for an unset one.
std::string Shown(const TCliOptions& o)
{
    const auto opt = [](const auto& v) { return v ? std::to_string(*v) : std::string("-"); };
    return "[" + o.Phrase + "] r" + opt(o.Recursive) + " c" + opt(o.CheckLinks) + " j" + std::to_string(o.Json) + " m"
           + opt(o.MaxResults) + " t" + opt(o.TimeLimit) + " [" + o.SaveDir + "] [" + o.SettingsFile + "] h"
           + std::to_string(o.Help) + " o" + opt(o.SaveOnce) + (o.Unique ? " unique" : "");
}

TEST(Arguments, AreReadOrRefusedWithTheReason)
{
    const std::string plain = " r- c- j0 m- t- [] [] h0 o-";
    const struct {
        std::vector<std::string> args;
        std::string expected; // the options shown, or "error: " and a part of the message
    } rows[] = {
        {{"--search", "red cars"}, "[red cars]" + plain},
        {{"--search=red cars"}, "[red cars]" + plain},
        {{"--search", "a=b"}, "[a=b]" + plain},
        {{"--search", "http://h:8/g.html", "--no-recursive", "--check"}, "[http://h:8/g.html] r0 c1 j0 m- t- [] [] h0 o-"},
        {{"--recursive", "--no-check", "--json", "--search", "x"}, "[x] r1 c0 j1 m- t- [] [] h0 o-"},
        {{"--search", "x", "--max-results", "25", "--time-limit=1.5", "--save", "out dir", "--settings", "g.ini"},
         "[x] r- c- j0 m25 t1.500000 [out dir] [g.ini] h0 o-"},
        {{"--help"}, "[] r- c- j0 m- t- [] [] h1 o-"},
        {{"--search", "x", "--save", "d", "--once"}, "[x] r- c- j0 m- t- [d] [] h0 o1"},
        {{"--search", "x", "--no-once"}, "[x] r- c- j0 m- t- [] [] h0 o0"},
        {{"--search", "x", "--unique"}, "[x] r- c- j0 m- t- [] [] h0 o- unique"},
        {{"--search", "x", "--unique", "--unique"}, "error: --unique repeats"},
        {{"--search", "x", "--once", "--no-once"}, "error: --no-once repeats or contradicts"},
        {{"--search", "x", "--help"}, "[x] r- c- j0 m- t- [] [] h1 o-"},
        {{}, "error: --search PHRASE is required"},
        {{"--json"}, "error: --search PHRASE is required"},
        {{"--search"}, "error: --search needs a value"},
        {{"--search", "--json"}, "error: --search needs a value"},
        {{"--search", "  "}, "error: the search phrase is empty"},
        {{"--search="}, "error: the search phrase is empty"},
        {{"--search", "x", "y"}, "error: unexpected argument 'y'"},
        {{"photo.jpg"}, "error: unexpected argument 'photo.jpg'"},
        {{"-h"}, "error: unknown option -h"},
        {{"--search", "x", "--colour"}, "error: unknown option --colour"},
        {{"--search", "x", "--search", "y"}, "error: --search repeats"},
        {{"--search", "x", "--recursive", "--no-recursive"}, "error: --no-recursive repeats or contradicts"},
        {{"--search", "x", "--check", "--check"}, "error: --check repeats"},
        {{"--search", "x", "--json=yes"}, "error: --json takes no value"},
        {{"--search", "x", "--max-results", "0"}, "error: --max-results needs a whole number of 1 or more, not '0'"},
        {{"--search", "x", "--max-results", "-3"}, "error: --max-results needs a whole number"},
        {{"--search", "x", "--max-results", "3x"}, "error: --max-results needs a whole number"},
        {{"--search", "x", "--max-results", "99999999999999999999"}, "error: --max-results needs a whole number"},
        {{"--search", "x", "--time-limit", "0"}, "error: --time-limit needs a number of seconds above 0"},
        {{"--search", "x", "--time-limit", "nan"}, "error: --time-limit needs"},
        {{"--search", "x", "--time-limit", "1e9"}, "error: --time-limit needs"},
        {{"--search", "x", "--save="}, "error: --save needs a value"},
        {{"--search", "x", "--settings"}, "error: --settings needs a value"},
        {{"--help", "--bogus"}, "error: unknown option --bogus"},
    };
    for (const auto& row : rows) {
        const TCliParse parse = ParseArguments(row.args);
        const std::string got = parse.Error.empty() ? Shown(parse.Options) : "error: " + parse.Error;
        const bool refused = row.expected.starts_with("error: ");
        EXPECT_EQ(refused ? got.substr(0, row.expected.size()) : got, row.expected) << got;
        EXPECT_TRUE(!refused || Shown(parse.Options) == Shown({})) << got;
    }
}

TEST(Arguments, TheProfileIsNamed)
{
    const struct {
        std::vector<std::string> args;
        std::optional<TProfileKind> profile;
        std::string error; // a part of the message when refused
    } rows[] = {
        {{"--search", "x"}, std::nullopt, ""},
        {{"--search", "x", "--profile", "slow"}, TProfileKind::Slow, ""},
        {{"--search", "x", "--profile=fast"}, TProfileKind::Fast, ""},
        {{"--profile", "broadband", "--search", "x"}, TProfileKind::Broadband, ""},
        {{"--search", "x", "--profile", "Broadband"}, std::nullopt, "--profile needs slow, fast or broadband, not 'Broadband'"},
        {{"--search", "x", "--profile", "lan"}, std::nullopt, "not 'lan'"},
        {{"--search", "x", "--profile"}, std::nullopt, "--profile needs a value"},
        {{"--search", "x", "--profile", "fast", "--profile", "slow"}, std::nullopt, "--profile repeats"},
    };
    for (const auto& row : rows) {
        const TCliParse parse = ParseArguments(row.args);
        EXPECT_EQ(parse.Options.Profile, row.profile) << row.args.back();
        EXPECT_NE(parse.Error.find(row.error), std::string::npos) << parse.Error;
        EXPECT_EQ(parse.Error.empty(), row.error.empty()) << parse.Error;
    }
    EXPECT_NE(Usage().find("--profile NAME"), std::string::npos);
}

// The window takes no arguments and needs a display.
TEST(Arguments, AnyArgumentOrNoDisplayChoosesTheCommandLine)
{
    EXPECT_FALSE(WantsCommandLine(1, true));
    EXPECT_TRUE(WantsCommandLine(1, false));
    EXPECT_TRUE(WantsCommandLine(2, true));
    EXPECT_TRUE(WantsCommandLine(3, false));
}

} // namespace
