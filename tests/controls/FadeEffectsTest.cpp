#include "controls/BlendRow.h"
#include "controls/ELuminFade.h"
#include "controls/FadeEffects.h"
#include "controls/PixelOrder.h"

#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

// The effects on plain bitmaps: the "control" is a size, and every repaint
// keeps a copy of the face.
class TBitmapFade : public TFadeEffects {
public:
    explicit TBitmapFade(QSize size, qreal ratio = 1) : FSize(size), FRatio(ratio) { Reset(); }
    QSize Size() const { return FSize; }
    void Resize(QSize size)
    {
        FSize = size;
        Reset();
    }
    std::vector<QImage> repaints;
    std::function<void()> onMessages;

protected:
    QSize ControlSize() const override { return FSize; }
    void SetControlSize(QSize size) override { FSize = size; }
    void RepaintNow() override { repaints.push_back(Face().copy()); }
    void InvalidateControl() override {}
    void ProcessMessages() override
    {
        if (onMessages)
            onMessages();
    }
    qreal ControlPixelRatio() const override { return FRatio; }

private:
    QSize FSize;
    qreal FRatio;
};

QImage Gradient(QSize size, int seed)
{
    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y, QColor((x * 7 + seed) % 256, (y * 13 + seed * 3) % 256, (x * y + seed) % 256));
    return image;
}

// The pixel bytes of a row, without the padding.
std::string Row(const QImage& image, int y)
{
    return std::string(reinterpret_cast<const char*>(image.constScanLine(y)), size_t(image.width()) * 3);
}

bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (Row(a, y) != Row(b, y))
            return false;
    return true;
}

int PixelsDiffering(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

struct TClampCase {
    bool blendRate;
    QSize size;
    int32_t set;
    int32_t expected;
};

class Clamp : public ::testing::TestWithParam<TClampCase> {};

TEST_P(Clamp, SetterReadsBackClamped)
{
    const TClampCase c = GetParam();
    TBitmapFade fade(c.size);
    if (c.blendRate) {
        fade.SetBlendRate(c.set);
        EXPECT_EQ(fade.BlendRate(), c.expected);
    } else {
        fade.SetDisolvRate(c.set);
        EXPECT_EQ(fade.DisolvRate(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, Clamp, ::testing::Values(
    TClampCase{true, {10, 10}, 0, 1}, TClampCase{true, {10, 10}, -7, 1}, TClampCase{true, {10, 10}, 255, 255},
    TClampCase{true, {10, 10}, 256, 255}, TClampCase{true, {10, 10}, 300, 255},
    TClampCase{false, {10, 10}, 0, 1}, TClampCase{false, {10, 10}, 500, 100}, TClampCase{false, {10, 10}, 50, 50},
    TClampCase{false, {0, 10}, 5, 1}));

TEST(BlendRowTest, MixesEveryByteOnItsOwnForEveryWeight)
{
    std::mt19937 gen(7);
    std::vector<uint8_t> source(77), target(77), face(77); // two rounds of 32 and a tail
    for (size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<uint8_t>(gen());
        target[i] = static_cast<uint8_t>(gen());
    }
    source[0] = target[1] = 255;
    target[0] = source[1] = 0;
    for (int w = 0; w <= 32; ++w) {
        BlendRow(face.data(), source.data(), target.data(), face.size(), w);
        for (size_t i = 0; i < face.size(); ++i)
            ASSERT_EQ(face[i], (source[i] * (32 - w) + target[i] * w) / 32) << "w " << w << " byte " << i;
    }
}

class BlendSteps : public ::testing::TestWithParam<int32_t> {};

TEST_P(BlendSteps, EachStepIsTheWeightedMixAndTheLastIsTheTarget)
{
    const int32_t rate = GetParam();
    TBitmapFade fade({1, 1});
    fade.SetStretchToFit(false);
    TPicture from, to;
    from.SetBitmap(Gradient({130, 27}, 1));
    to.SetBitmap(Gradient({130, 27}, 90));
    fade.SetPicFrom(from);
    fade.SetPicTo(to);
    fade.SetBlendRate(rate);
    const QImage rest = fade.Face().copy();
    const QImage target = fade.Target().copy();
    fade.Blend();
    ASSERT_EQ(fade.repaints.size(), size_t(rate) + 1);
    for (int k = 0; k <= rate; ++k) {
        const int w = k * 32 / rate;
        const QImage& face = fade.repaints[k];
        for (int y = 0; y < face.height(); ++y) {
            const std::string s = Row(rest, y), t = Row(target, y), f = Row(face, y);
            for (size_t i = 0; i < f.size(); ++i)
                ASSERT_EQ(uint8_t(f[i]), (uint8_t(s[i]) * (32 - w) + uint8_t(t[i]) * w) / 32) << "step " << k;
        }
    }
    EXPECT_TRUE(SamePixels(fade.Face(), target));
}

INSTANTIATE_TEST_SUITE_P(Rates, BlendSteps, ::testing::Values(1, 32));

TEST(Dissolve, CopiesPerStepPixelsInEachStepAndTheRestAtTheEnd)
{
    TBitmapFade fade({130, 27}); // black face, white target
    fade.Dissolve();
    ASSERT_EQ(fade.repaints.size(), 126u);
    QImage start(130, 27, QImage::Format_RGB888);
    start.fill(Qt::black);
    int previous = 0;
    for (size_t s = 0; s < fade.repaints.size(); ++s) {
        const int changed = PixelsDiffering(start, fade.repaints[s]);
        EXPECT_EQ(changed - previous, s < 125 ? 28 : 10) << "step " << s;
        previous = changed;
    }
    EXPECT_TRUE(SamePixels(fade.Face(), fade.Target()));
    EXPECT_EQ(fade.Face().pixelColor(0, 0), QColor(Qt::white));
}

TEST(Render, WithoutStretchingTheControlTakesThePictureSize)
{
    TPicture big, small;
    big.SetBitmap(Gradient({40, 20}, 3));
    small.SetBitmap(Gradient({10, 5}, 4));

    TBitmapFade both({75, 75});
    both.SetStretchToFit(false);
    both.SetPicTo(small);
    EXPECT_EQ(both.Target().size(), QSize(10, 5)); // only PicTo: its size
    EXPECT_EQ(both.Face().pixelColor(3, 3), QColor(Qt::black));
    both.SetPicFrom(big);
    EXPECT_EQ(both.Face().size(), QSize(40, 20));
    EXPECT_EQ(both.Target().size(), QSize(40, 20)); // PicTo scaled to PicFrom's size
    EXPECT_TRUE(SamePixels(both.Face(), Gradient({40, 20}, 3)));

    TBitmapFade fromOnly({75, 75});
    fromOnly.SetColorTo(Qt::red);
    fromOnly.SetPicFrom(small);
    fromOnly.SetStretchToFit(false);
    EXPECT_EQ(fromOnly.Face().size(), QSize(10, 5));
    EXPECT_EQ(fromOnly.Target().pixelColor(9, 4), QColor(Qt::red));

    TBitmapFade neither({30, 8});
    neither.SetStretchToFit(false);
    EXPECT_EQ(neither.Face().size(), QSize(30, 8));
    EXPECT_EQ(neither.Target().pixelColor(0, 0), QColor(Qt::white));
}

TEST(Render, ADenseScreenGetsEveryDevicePixelWhileTheControlKeepsItsDesignSize)
{
    QImage sharp = Gradient({80, 40}, 5);
    sharp.setDevicePixelRatio(2); // drawn for a dense screen: 40 x 20 design pixels
    TPicture picture;
    picture.SetBitmap(sharp);

    TBitmapFade fade({75, 75}, 2);
    fade.SetStretchToFit(false);
    fade.SetPicFrom(picture);
    EXPECT_EQ(fade.Size(), QSize(40, 20));
    EXPECT_EQ(fade.Face().devicePixelRatio(), 2);
    EXPECT_TRUE(SamePixels(fade.Face(), Gradient({80, 40}, 5))); // not scaled down and up again
    EXPECT_EQ(fade.Target().size(), QSize(80, 40));
    fade.Dissolve();
    EXPECT_TRUE(SamePixels(fade.Face(), fade.Target()));

    TBitmapFade stretched({30, 10}, 2);
    stretched.SetPicFrom(picture);
    EXPECT_EQ(stretched.Face().size(), QSize(60, 20));
    EXPECT_EQ(stretched.Face().devicePixelRatio(), 2);
}

TEST(Render, IconsSitOnTheFillColourAndMetafilesScale)
{
    QPixmap half(8, 8);
    half.fill(Qt::transparent);
    QPainter(&half).fillRect(0, 0, 4, 8, Qt::green);
    TPicture icon;
    icon.SetIcon(QIcon(half), {8, 8});
    QPicture drawing;
    {
        QPainter painter(&drawing);
        painter.fillRect(0, 0, 10, 5, Qt::red);
    }
    TPicture metafile;
    metafile.SetMetafile(drawing);

    TBitmapFade fade({16, 16});
    fade.SetColorFrom(Qt::blue);
    fade.SetPicFrom(icon);
    EXPECT_EQ(fade.Face().pixelColor(2, 8), QColor(Qt::green));
    EXPECT_EQ(fade.Face().pixelColor(13, 8), QColor(Qt::blue)); // the fill under the icon, scaled with it
    fade.SetPicTo(metafile);
    EXPECT_EQ(fade.Target().pixelColor(15, 15), QColor(Qt::red)); // scaled to the whole control
    fade.SetStretchToFit(false);
    EXPECT_EQ(fade.Face().size(), QSize(8, 8)); // the icon's own size
    EXPECT_EQ(fade.Target().pixelColor(7, 7), QColor(Qt::red));
}

TEST(BackwardEffects, LeaveEveryPropertyAsItWasAndFireOnReset)
{
    for (auto effect : {&TFadeEffects::BlendBack, &TFadeEffects::DissolveBack}) {
        TBitmapFade fade({1, 1});
        TPicture from, to;
        from.SetBitmap(Gradient({20, 10}, 5));
        to.SetBitmap(Gradient({16, 10}, 6));
        fade.SetPicFrom(from);
        fade.SetPicTo(to);
        fade.SetColorFrom(Qt::blue);
        fade.SetColorTo(Qt::green);
        fade.SetStretchToFit(false);
        fade.SetDisolvRate(40);
        const QImage rest = fade.Face().copy();
        int resets = 0;
        fade.OnReset = [&] { ++resets; };
        (fade.*effect)();
        EXPECT_GT(resets, 0);
        EXPECT_FALSE(fade.StretchToFit());
        EXPECT_EQ(fade.ColorFrom(), QColor(Qt::blue));
        EXPECT_EQ(fade.ColorTo(), QColor(Qt::green));
        EXPECT_EQ(fade.PicFrom().Size(), QSize(20, 10));
        EXPECT_EQ(fade.PicTo().Size(), QSize(16, 10));
        EXPECT_TRUE(SamePixels(fade.Face(), rest));
        EXPECT_TRUE(SamePixels(fade.repaints.back(), rest)); // the last step shows the rest picture
    }
}

TEST(AutoReverse, OnEndFiresAfterTheWayBack)
{
    TBitmapFade fade({12, 12});
    fade.SetAutoReverse(true);
    fade.SetSwapDelay(0);
    fade.SetDisolvRate(12);
    const QImage rest = fade.Face().copy();
    std::vector<std::string> events;
    fade.OnBegin = [&] { events.push_back("begin"); };
    fade.OnEnd = [&] {
        events.push_back("end " + std::to_string(fade.repaints.size()));
        EXPECT_TRUE(SamePixels(fade.Face(), rest));
    };
    fade.Blend(); // 33 steps there, a dissolve of 12 + 1 steps back
    fade.SetSwapOnReverse(false);
    fade.repaints.clear();
    fade.Dissolve(); // 12 + 1 steps there, 13 back
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "end 46", "begin", "end 26"}));
}

TEST(Failures, DissolveRaisesAfterResetAndBeforeOnBegin)
{
    TBitmapFade fade({10, 10});
    fade.SetDisolvRate(100);
    fade.Resize({5, 5});
    std::vector<std::string> events;
    fade.OnReset = [&] { events.push_back("reset"); };
    fade.OnBegin = [&] { events.push_back("begin"); };
    try {
        fade.Dissolve();
        FAIL() << "no exception";
    } catch (const ELuminFade& e) {
        EXPECT_STREQ(e.what(), "DisolvRate cannot be > Width * Height!");
    }
    EXPECT_EQ(events, std::vector<std::string>{"reset"});
    EXPECT_TRUE(fade.repaints.empty());
    fade.DissolveBack(); // copies everything in its one final step
    EXPECT_EQ(fade.repaints.size(), 1u);
    EXPECT_EQ(fade.Face().pixelColor(4, 4), QColor(Qt::black));
}

TEST(Edges, AControlWithoutPixelsRunsEveryEffectSafely)
{
    TBitmapFade fade({0, 7});
    fade.Blend();
    fade.BlendBack();
    fade.DissolveBack();
    EXPECT_THROW(fade.Dissolve(), ELuminFade);
    EXPECT_EQ(fade.repaints.size(), 33u + 33u + 1u);
}

TEST(Edges, ASecondEffectWhileOneRunsReturnsAtOnce)
{
    TBitmapFade fade({8, 8});
    fade.SetProcessMsgs(true);
    int begins = 0;
    fade.OnBegin = [&] { ++begins; };
    fade.onMessages = [&] {
        fade.Blend();
        fade.DissolveBack();
    };
    fade.Blend();
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(fade.repaints.size(), 33u);
}

class PixelOrder : public ::testing::TestWithParam<uint32_t> {};

TEST_P(PixelOrder, VisitsEveryPixelOnce)
{
    TPixelOrder order(GetParam());
    std::vector<bool> seen(GetParam());
    for (uint32_t i = 0; i < GetParam(); ++i) {
        const uint32_t index = order.Next();
        ASSERT_LT(index, GetParam());
        ASSERT_FALSE(seen[index]) << index;
        seen[index] = true;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, PixelOrder, ::testing::Values(1u, 2u, 3u, 3510u, 8217u, 1920u * 1080u));

} // namespace
