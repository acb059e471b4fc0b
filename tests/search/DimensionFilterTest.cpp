#include "platform/IniFile.h"
#include "search/DimensionFilter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TFilterCase {
    std::optional<int> MinWidth;
    std::optional<int> MinHeight;
    TDimensions Picture;
    bool Passes;
};

TEST(DimensionFilter, BoundsAreInclusiveAndUnknownDimensionsPass)
{
    const TFilterCase cases[] = {
        {{}, {}, {1, 1}, true},
        {1920, {}, {1919, 5000}, false},
        {1920, {}, {1920, 1}, true},
        {1920, {}, {1921, 1}, true},
        {{}, 1080, {5000, 1079}, false},
        {{}, 1080, {1, 1080}, true},
        {1920, 1080, {1920, 1080}, true},
        {1920, 1080, {1920, 1079}, false},
        {1920, 1080, {1919, 1080}, false},
        {1920, 1080, {0, 0}, true}, // not known
    };
    for (const TFilterCase& c : cases)
        EXPECT_EQ((TDimensionFilter{c.MinWidth, c.MinHeight}.Passes(c.Picture)), c.Passes)
            << c.Picture.Width << "x" << c.Picture.Height;
}

TEST(DimensionFilter, SettingsSwitchEachBoundOnAlone)
{
    TempDir dir;
    TIniFile ini(dir.File("s.ini"));
    EXPECT_FALSE(ReadDimensionFilter(ini).On()); // off without a file
    ini.WriteInteger("Options", "MinWidth", 800);
    EXPECT_FALSE(ReadDimensionFilter(ini).On());
    ini.WriteBool("Options", "MinWidthBool", true);
    const TDimensionFilter filter = ReadDimensionFilter(ini);
    EXPECT_EQ(filter.MinWidth, 800);
    EXPECT_EQ(filter.MinHeight, std::nullopt);
}

} // namespace
