#include "app/Artwork.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Device pixels of a picture that a plain upscale of its design-size twin does not give.
int NewDetail(const QImage& dense, const QImage& design)
{
    const QImage a = dense.convertToFormat(QImage::Format_RGB32);
    const QImage b = design.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 24;
    return n;
}

struct TArtworkCase {
    const char* Name;
    std::function<QImage(qreal ratio)> Draw;
    QSize Design;
};

class ArtworkAtDensity : public ::testing::TestWithParam<TArtworkCase> {};

TEST_P(ArtworkAtDensity, HoldsTheDevicePixelsOfItsDesignSize)
{
    const TArtworkCase& c = GetParam();
    const QImage design = c.Draw(1);
    const QImage dense = c.Draw(2);
    EXPECT_EQ(design.size(), c.Design);
    EXPECT_EQ(dense.size(), c.Design * 2);
    EXPECT_EQ(dense.devicePixelRatio(), 2);
    EXPECT_EQ(dense.deviceIndependentSize().toSize(), c.Design);
    EXPECT_GT(NewDetail(dense, design), 100) << "drawn anew, not enlarged"; // an enlarged copy gives 0
}

INSTANTIATE_TEST_SUITE_P(
    Artwork, ArtworkAtDensity,
    ::testing::Values(TArtworkCase{"Button", [](qreal r) { return ButtonPicture("Slide Show", {118, 25}, false, r); },
                                   {118, 25}},
                      TArtworkCase{"DimmedButton", [](qreal r) { return ButtonPicture("About", {130, 27}, true, r); },
                                   {130, 27}},
                      TArtworkCase{"Logo", [](qreal r) { return LogoPicture(false, r); }, {99, 83}},
                      TArtworkCase{"Title", [](qreal r) { return TitlePicture(r); }, {140, 62}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Artwork, IconsComeInEveryHicolorSize)
{
    for (int side : IconSides) {
        const QImage icon = IconPicture(side);
        EXPECT_EQ(icon.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << side; // a transparent corner
        EXPECT_GT(qAlpha(icon.pixel(side * 26 / 64, side * 26 / 64)), 0) << side; // the lens
    }
}

} // namespace
