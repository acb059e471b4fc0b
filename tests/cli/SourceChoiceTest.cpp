#include "cli/ArgumentText.h"
#include "cli/CliOptions.h"
#include "cli/SourceList.h"
#include "platform/IniFile.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The two sources these rows name: Wikimedia Commons and Openverse.
constexpr int SourceCount = 2;
const TSource& Source(int i) { return BuiltInSourceList()[static_cast<size_t>(i)]; }

// The services and sources a run asks, in search order, as "1" and "0"; "-"
// where the settings decide.
std::string Chosen(const TCliOptions& o)
{
    std::string text;
    for (int i = 0; i < ServiceCount; ++i)
        text += o.ServicesOn ? ((*o.ServicesOn)[i] ? "1" : "0") : "-";
    text += " ";
    for (int i = 0; i < SourceCount; ++i)
        text += o.SourceNames ? (std::count(o.SourceNames->begin(), o.SourceNames->end(), Source(i).ShortName) ? "1" : "0")
                              : "-";
    return text + (o.ListSources ? " list" : "");
}

TEST(SourceChoice, SourcesAndListSourcesAreReadOrRefused)
{
    const struct {
        std::vector<std::string> args;
        std::string expected; // Chosen, or "error: " and a part of the message
    } rows[] = {
        {{"--search", "x"}, "---- --"},
        {{"--search", "x", "--sources", "commons,openverse"}, "0000 11"},
        {{"--search", "x", "--sources=HotBot, imagesdirect"}, "1001 00"},
        {{"--search", "x", "--sources", "scournet,lycos,commons,commons"}, "0110 10"},
        {{"--list-sources"}, "---- -- list"},
        {{"--list-sources", "--sources", "openverse"}, "0000 01 list"},
        {{"--search", "x", "--sources", "flickr"}, "error: --sources needs names from hotbot, lycos, scournet, "
                                                   "imagesdirect, commons, openverse, cleveland, artic, vam, loc "
                                                   "separated by commas, not 'flickr'"},
        {{"--search", "x", "--sources", "commons,,openverse"}, "error: --sources needs names"},
        {{"--search", "x", "--sources="}, "error: --sources needs names"},
        {{"--search", "x", "--sources", "commons", "--sources", "openverse"}, "error: --sources repeats"},
        {{"--list-sources=yes"}, "error: --list-sources takes no value"},
    };
    for (const auto& row : rows) {
        const TCliParse parse = ParseArguments(row.args);
        // A source's name is known once the sources are read.
        const std::string error =
            parse.Error.empty() ? CheckSourceNames(parse.Options, BuiltInSourceList()) : parse.Error;
        const std::string got = error.empty() ? Chosen(parse.Options) : "error: " + error;
        if (row.expected.starts_with("error: "))
            EXPECT_EQ(got.substr(0, row.expected.size()), row.expected);
        else
            EXPECT_EQ(got, row.expected);
    }
    EXPECT_NE(Usage().find("--sources LIST"), std::string::npos);
    EXPECT_NE(Usage().find("--list-sources"), std::string::npos);
}

TEST(SourceChoice, TheListSaysWhatIsOnAndWhere)
{
    TempDir dir;
    TIniFile settings(dir.File("g.ini"));
    settings.WriteBool("Options", "SearchOpenverse", true);
    settings.WriteString("Options", "CommonsBaseAddress", "http://127.0.0.1:9/wiki");
    TCliOptions options;
    EXPECT_EQ(SourceListText(settings, options), "hotbot\ton\thttp://www.hotbot.com\tHotBot\n"
                                                 "lycos\ton\thttp://www.lycos.de\tLycos\n"
                                                 "scournet\ton\thttp://www.scournet.com\tScourNet\n"
                                                 "imagesdirect\ton\thttp://www.lycos.de\tLycos Images Direct\n"
                                                 "commons\toff\thttp://127.0.0.1:9/wiki\tWikimedia Commons\n"
                                                 "openverse\ton\thttps://api.openverse.org\tOpenverse\n"
                                                 "cleveland\toff\thttps://openaccess-api.clevelandart.org\t"
                                                 "Cleveland Museum of Art\n"
                                                 "artic\toff\thttps://api.artic.edu\tArt Institute of Chicago\n"
                                                 "vam\toff\thttps://api.vam.ac.uk\tVictoria and Albert Museum\n"
                                                 "loc\toff\thttps://www.loc.gov\tLibrary of Congress\n");
    options = ParseArguments({"--list-sources", "--sources", "commons,lycos"}).Options;
    const std::string chosen = SourceListText(settings, options);
    EXPECT_NE(chosen.find("hotbot\toff\t"), std::string::npos) << chosen;
    EXPECT_NE(chosen.find("lycos\ton\t"), std::string::npos) << chosen;
    EXPECT_NE(chosen.find("commons\ton\t"), std::string::npos) << chosen;
    EXPECT_NE(chosen.find("openverse\toff\t"), std::string::npos) << chosen;
}

// A terminal in another character set types the phrase in it; the sources get UTF-8.
TEST(SourceChoice, ThePhraseBecomesUtf8WhateverTheLocale)
{
    const struct {
        std::string bytes;
        const char* codeset;
        std::string utf8;
    } cases[] = {
        {"Z\xC3\xBCrich", "UTF-8", "Z\xC3\xBCrich"},
        {"Z\xFCrich", "ISO-8859-1", "Z\xC3\xBCrich"},
        {"\xEB\xEE\xF8\xE0\xE4\xFC", "CP1251", "\xD0\xBB\xD0\xBE\xD1\x88\xD0\xB0\xD0\xB4\xD1\x8C"}, // лошадь
        {"\xC7\xAD\xA4\xC0", "EUC-JP", "\xE7\x8C\xAB\xE3\x81\xA0"}, // 猫だ
        {"red cars", "ANSI_X3.4-1968", "red cars"},
        {"Z\xC3\xBCrich", "ANSI_X3.4-1968", "Z\xC3\xBCrich"}, // the C locale: a UTF-8 terminal's bytes
        {"\xFF\xFE", "EUC-JP", "\xFF\xFE"}, // refused by the conversion: kept
        {"Z\xFCrich", "NO-SUCH-CHARSET", "Z\xFCrich"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArgumentAsUtf8(c.bytes, c.codeset), c.utf8) << c.codeset;
}

} // namespace
