#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace {

// The picture options as one line, "-" for an unset one.
std::string ShownPictureOptions(const TCliOptions& o)
{
    const auto opt = [](const auto& v) { return v ? std::to_string(*v) : std::string("-"); };
    return "t" + (o.Types ? PictureTypesText(*o.Types) : std::string("-")) + " w" + opt(o.MinWidth) + " h"
           + opt(o.MinHeight) + " l" + (o.Licence ? LicenceFilterName(*o.Licence) : "-");
}

TEST(Arguments, PictureTypesDimensionsAndLicenceAreReadOrRefused)
{
    const struct {
        std::vector<std::string> args;
        std::string expected; // the options shown, or "error: " and a part of the message
    } rows[] = {
        {{}, "t- w- h- l-"},
        {{"--types", "png,webp"}, "tjpeg,png,webp w- h- l-"}, // JPEG always stays
        {{"--types=GIF"}, "tjpeg,gif w- h- l-"},
        {{"--min-width", "1920", "--min-height=1080"}, "t- w1920 h1080 l-"},
        {{"--types", "bmp"}, "error: --types needs names from jpeg, png, gif, webp"},
        {{"--types="}, "error: --types needs names"},
        {{"--min-width", "0"}, "error: --min-width needs a whole number of pixels of 1 or more, not '0'"},
        {{"--min-height", "10x"}, "error: --min-height needs a whole number of pixels"},
        {{"--min-width", "3000000000"}, "error: --min-width needs a whole number of pixels"},
        {{"--min-width", "5", "--min-width", "6"}, "error: --min-width repeats"},
        {{"--licence", "commercial"}, "t- w- h- lcommercial"},
        {{"--licence=Changes"}, "t- w- h- lchanges"},
        {{"--licence", "any"}, "t- w- h- lany"},
        {{"--licence", "nc"}, "error: --licence needs any, commercial or changes, not 'nc'"},
        {{"--licence"}, "error: --licence needs a value"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"--search", "x"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const TCliParse parse = ParseArguments(args);
        const std::string got = parse.Error.empty() ? ShownPictureOptions(parse.Options) : "error: " + parse.Error;
        EXPECT_EQ(row.expected.starts_with("error: ") ? got.substr(0, row.expected.size()) : got, row.expected) << got;
    }
}

} // namespace
