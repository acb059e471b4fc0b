#include "controls/Contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(Contrast, RatioRunsFromOneForTheSameColourToTwentyOneForBlackOnWhite)
{
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::white, Qt::black), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(QColor(120, 120, 120), QColor(120, 120, 120)), 1.0);
    EXPECT_NEAR(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01); // the lightest grey at 4.5 on white
}

struct TReadableCase {
    const char* Name;
    QColor Text;
    QColor Background;
    double Ratio;
    bool Darker; // moved toward black, else toward white
};

class Readable : public ::testing::TestWithParam<TReadableCase> {};

TEST_P(Readable, MovesTheTextJustFarEnoughTowardTheSideWithRoom)
{
    const TReadableCase& c = GetParam();
    const QColor readable = ReadableOn(c.Text, c.Background, c.Ratio);
    EXPECT_GE(ContrastRatio(readable, c.Background), c.Ratio);
    EXPECT_LT(ContrastRatio(readable, c.Background), c.Ratio + 0.2); // no further than needed
    EXPECT_EQ(readable.lightness() < c.Text.lightness(), c.Darker);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, Readable,
    ::testing::Values(TReadableCase{"DisabledGreyOnLightGrey", {190, 190, 190}, {239, 239, 239}, 4.5, true},
                      TReadableCase{"DisabledGreyOnDarkGrey", {90, 90, 90}, {50, 50, 50}, 4.5, false},
                      TReadableCase{"BluishOnWhite", {150, 170, 230}, {255, 255, 255}, 7.0, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Contrast, ReadableTextIsLeftAloneAndTheImpossibleGetsTheFurthestEnd)
{
    EXPECT_EQ(ReadableOn(Qt::black, Qt::white, 4.5), QColor(Qt::black));
    EXPECT_EQ(ReadableOn(QColor(100, 100, 100), QColor(90, 90, 90), 21.0), QColor(Qt::white));
}

} // namespace
