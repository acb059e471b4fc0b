#include "app/ScaledFont.h"

#include <gtest/gtest.h>

// The size that is set is scaled, the other stays unset: a font sized in
// pixels has no point size to multiply.
TEST(ScaledFont, ScalesWhicheverSizeIsSet)
{
    const struct {
        bool inPixels;
        double size;
        double factor;
        double points; // -1 where unset
        int pixels;    // -1 where unset
    } cases[] = {
        {false, 10, 0.85, 8.5, -1},
        {true, 13, 0.8, -1, 10},
        {true, 15, 0.85, -1, 13},
        {true, 9, 0.8, -1, 8}, // never below 8 pixels
    };
    for (const auto& c : cases) {
        QFont font;
        if (c.inPixels)
            font.setPixelSize(static_cast<int>(c.size));
        else
            font.setPointSizeF(c.size);
        const QFont scaled = ScaledFont(font, c.factor);
        EXPECT_DOUBLE_EQ(scaled.pointSizeF(), c.points) << c.size;
        EXPECT_EQ(scaled.pixelSize(), c.pixels) << c.size;
    }
}
