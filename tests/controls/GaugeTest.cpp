#include "controls/Gauge.h"

#include <gtest/gtest.h>

namespace {

TEST(Gauge, PercentIsRoundedHalvesToEven)
{
    EXPECT_EQ(GaugePercent(0, 5, 2), 40);
    EXPECT_EQ(GaugePercent(0, 8, 1), 12);  // 12.5
    EXPECT_EQ(GaugePercent(0, 8, 3), 38);  // 37.5
    EXPECT_EQ(GaugePercent(0, 3, 1), 33);
    EXPECT_EQ(GaugePercent(10, 20, 15), 50);
    EXPECT_EQ(GaugePercent(0, 0, 0), 0);
}

TEST(Gauge, ProgressStaysInRange)
{
    TGauge gauge;
    gauge.SetMaxValue(4);
    gauge.AddProgress(1);
    EXPECT_EQ(gauge.PercentDone(), 25);
    gauge.AddProgress(10);
    EXPECT_EQ(gauge.Progress(), 4);
    gauge.SetMaxValue(2);
    EXPECT_EQ(gauge.Progress(), 2);
    gauge.SetProgress(-1);
    EXPECT_EQ(gauge.Progress(), 0);
}

TEST(Gauge, TextIsInvertedOverBothParts)
{
    TGauge gauge;
    gauge.BackColor = QColor(192, 192, 192);
    gauge.ForeColor = QColor(128, 0, 0);
    gauge.resize(200, 20);
    gauge.SetMaxValue(2);
    gauge.SetProgress(1);
    const QImage shot = gauge.grab().toImage();
    bool overBar = false, overBack = false;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb c = shot.pixel(x, y) & 0xFFFFFF;
            overBar |= x < 100 && c == 0x7FFFFF;
            overBack |= x >= 100 && c == 0x3F3F3F;
        }
    EXPECT_TRUE(overBar);
    EXPECT_TRUE(overBack);
    EXPECT_EQ(shot.pixel(1, 1) & 0xFFFFFF, 0x800000u);
    EXPECT_EQ(shot.pixel(198, 1) & 0xFFFFFF, 0xC0C0C0u);
}

} // namespace
