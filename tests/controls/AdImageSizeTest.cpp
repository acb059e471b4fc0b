#include "controls/AdImageSize.h"
#include "controls/AdOptions.h"

#include <gtest/gtest.h>

namespace {

struct SnapCase {
    int width;
    int height;
    TAdDimensions expected;
};

class AdImageSnap : public ::testing::TestWithParam<SnapCase> {};

TEST_P(AdImageSnap, BoundsChooseTheNearestStandardSize)
{
    const SnapCase c = GetParam();
    EXPECT_EQ(AdImageDimensions(ChooseAdImageSize(c.width, c.height)), c.expected) << c.width << " x " << c.height;
}

INSTANTIATE_TEST_SUITE_P(Table, AdImageSnap,
                         ::testing::Values(SnapCase{468, 60, {468, 60}}, SnapCase{200, 60, {234, 60}},
                                           SnapCase{100, 100, {88, 31}}, SnapCase{120, 200, {120, 240}},
                                           SnapCase{0, 0, {50, 200}}, SnapCase{59, 500, {50, 200}},
                                           SnapCase{78, 10, {70, 70}}, SnapCase{103, 300, {88, 31}},
                                           SnapCase{134, 74, {120, 60}}, SnapCase{134, 107, {120, 90}},
                                           SnapCase{134, 181, {125, 125}}, SnapCase{134, 182, {125, 125}},
                                           SnapCase{134, 183, {120, 240}}, SnapCase{135, 999, {150, 40}},
                                           SnapCase{266, 60, {234, 60}}, SnapCase{345, 1, {300, 50}},
                                           SnapCase{429, 60, {392, 72}}, SnapCase{5000, 60, {468, 60}}));

TEST(AdOptions, WordHasOneBitPerOptionAndAllBitsForAdoAll)
{
    EXPECT_EQ(AdOptionWord({}), 0u);
    EXPECT_EQ(AdOptionWord({TAdOption::adoNoConnect, TAdOption::adoDelayedStartup}), 5u);
    EXPECT_EQ(AdOptionWord({TAdOption::adoNoDialOnDemand, TAdOption::adoAll}), 0xFFFFFFFFu);
    EXPECT_EQ(AdOptionsFromWord(0xFFFFFFFFu),
              (TAdOptionSet{TAdOption::adoNoConnect, TAdOption::adoNoDialOnDemand, TAdOption::adoDelayedStartup,
                            TAdOption::adoAll}));
    EXPECT_EQ(AdOptionsFromWord(2u), TAdOptionSet{TAdOption::adoNoDialOnDemand});
}

} // namespace
