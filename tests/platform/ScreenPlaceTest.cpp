#include "platform/ScreenPlace.h"

#include <gtest/gtest.h>

namespace {

// Two screens side by side, the right one lower and smaller.
const std::vector<QRect> Screens{{0, 0, 1280, 1024}, {1280, 200, 800, 600}};

struct TPlaceCase {
    const char* Name;
    QRect Frame;
    std::vector<QRect> Screens;
    QPoint Expected;
};

class Reachable : public ::testing::TestWithParam<TPlaceCase> {};

TEST_P(Reachable, KeepsAReachableTitleBarAndBringsTheRestOntoTheNearestScreen)
{
    EXPECT_EQ(ReachablePlace(GetParam().Frame, GetParam().Screens), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, Reachable,
    ::testing::Values(
        TPlaceCase{"OnTheFirst", {1, 1, 642, 505}, Screens, {1, 1}},
        TPlaceCase{"PartlyOffTheLeftEdgeTitleBarShowing", {-300, 50, 642, 505}, Screens, {-300, 50}},
        TPlaceCase{"BelowTheBottomEdgeTitleBarShowing", {100, 1000, 642, 505}, Screens, {100, 1000}},
        TPlaceCase{"OnTheSecond", {1500, 300, 642, 505}, Screens, {1500, 300}},
        TPlaceCase{"TitleBarAboveTheScreen", {-2, -59, 642, 505}, Screens, {0, 0}},
        TPlaceCase{"RightOfEveryScreen", {3000, 400, 642, 505}, Screens, {1438, 295}},
        TPlaceCase{"AboveTheSecondOnly", {1400, 100, 642, 505}, Screens, {1400, 200}},
        TPlaceCase{"LargerThanTheScreen", {5000, 5000, 1000, 700}, Screens, {1280, 200}},
        TPlaceCase{"NoScreenKnown", {-500, -500, 642, 505}, {}, {-500, -500}},
        TPlaceCase{"FarOffCoordinates", {-2000000000, -2000000000, 642, 505}, Screens, {0, 0}}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
