#include "download/LookAlikeHash.h"
#include "download/LookAlikes.h"
#include "download/Thumbnail.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A picture with a photograph's mix of large and small shapes, drawn from a seed.
QImage Picture(quint32 seed, int width = 800, int height = 600)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor::fromHsv(random.bounded(360), 120, 230));
    sky.setColorAt(1, QColor::fromHsv(random.bounded(360), 200, 90));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 14; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), random.bounded(256), random.bounded(256)));
        const QRect r(random.bounded(width), random.bounded(height), width / 12 + random.bounded(width / 3),
                      height / 12 + random.bounded(height / 3));
        if (i % 2)
            painter.drawEllipse(r.translated(-r.width() / 2, -r.height() / 2));
        else
            painter.drawRect(r.translated(-r.width() / 2, -r.height() / 2));
    }
    return image;
}

std::string Jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes.toStdString();
}

// As the grid makes it: the file's thumbnail, then the hash of that.
uint64_t HashOf(const std::string& file) { return LookAlikeHash(MakeThumbnail(file, 128)); }

QImage Cropped(const QImage& image, double part)
{
    const int dx = static_cast<int>(image.width() * part / 2), dy = static_cast<int>(image.height() * part / 2);
    return image.copy(dx, dy, image.width() - 2 * dx, image.height() - 2 * dy);
}

// The same picture as the web passes it around stays within the threshold;
// another picture lies beyond it. The distances are printed for the README.
TEST(LookAlikeHash, TheSamePictureReworkedStaysNearAndOthersFar)
{
    const QImage original = Picture(1);
    const uint64_t hash = HashOf(Jpeg(original, 95));
    struct TCase {
        const char* name;
        std::function<std::string()> file;
        bool alike;
    } const cases[] = {
        {"re-encoded at quality 85", [&] { return Jpeg(original, 85); }, true},
        {"re-encoded at quality 60", [&] { return Jpeg(original, 60); }, true},
        {"re-encoded at quality 30", [&] { return Jpeg(original, 30); }, true},
        {"scaled to half", [&] { return Jpeg(original.scaledToWidth(400, Qt::SmoothTransformation), 85); }, true},
        {"scaled to a quarter", [&] { return Jpeg(original.scaledToWidth(200, Qt::SmoothTransformation), 85); }, true},
        {"cropped by 5%", [&] { return Jpeg(Cropped(original, 0.05), 85); }, true},
        {"another picture", [&] { return Jpeg(Picture(2), 85); }, false},
        {"a third picture", [&] { return Jpeg(Picture(3), 85); }, false},
        {"a fourth picture, half as large", [&] { return Jpeg(Picture(4, 400, 300), 85); }, false},
    };
    for (const TCase& c : cases) {
        const int distance = HashDistance(hash, HashOf(c.file()));
        std::printf("  %-34s %2d bits\n", c.name, distance);
        if (c.alike)
            EXPECT_LE(distance, TLookAlikes::Threshold) << c.name;
        else
            EXPECT_GT(distance, TLookAlikes::Threshold) << c.name;
    }
    EXPECT_EQ(LookAlikeHash(QImage()), 0u);
    // A picture smaller than the hash's grid still counts every pixel.
    EXPECT_LE(HashDistance(hash, LookAlikeHash(original.scaled(20, 15, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))),
              TLookAlikes::Threshold);
}

TEST(LookAlikes, GroupsByDistanceThroughOthersLargestFirst)
{
    constexpr uint64_t T = (uint64_t{1} << TLookAlikes::Threshold) - 1; // Threshold bits set
    const uint64_t a = 0x0123456789ABCDEFull;
    struct TCase {
        const char* name;
        int id;
        uint64_t hash;
        int64_t pixels;
        int group, count, rank; // of id, once it is added
    } const cases[] = {
        {"the first picture", 0, a, 100, 0, 1, 1},
        {"far from it", 1, ~a, 100, 1, 1, 1},
        {"within the threshold, larger", 2, a ^ T, 400, 0, 2, 1},
        {"one bit beyond the threshold", 3, a ^ (T << 1 | 1) ^ T ^ (T << 40), 50, 3, 1, 1},
        {"near the second only: joins the chain", 4, a ^ T ^ (T << 16), 400, 0, 3, 2},
        {"far, its id skipped a row", 7, ~a ^ (T << 30), 10, 1, 2, 2},
        {"as large as another: the first found first", 5, a ^ 1, 400, 0, 4, 3},
    };
    TLookAlikes groups;
    for (const TCase& c : cases) {
        groups.Add(c.id, c.hash, c.pixels);
        EXPECT_TRUE(groups.Hashed(c.id)) << c.name;
        EXPECT_EQ(groups.GroupOf(c.id), c.group) << c.name;
        EXPECT_EQ(groups.CountOf(c.id), c.count) << c.name;
        EXPECT_EQ(groups.RankOf(c.id), c.rank) << c.name;
    }
    EXPECT_EQ(groups.RankOf(2), 1);
    EXPECT_EQ(groups.RankOf(0), 4);
    // Not hashed: a group of its own.
    EXPECT_FALSE(groups.Hashed(6));
    EXPECT_EQ(groups.GroupOf(6), 6);
    EXPECT_EQ(groups.CountOf(6), 1);
    // Pixels learnt later reorder the group.
    groups.SetPixels(0, 1000);
    EXPECT_EQ(groups.RankOf(0), 1);
    EXPECT_EQ(groups.RankOf(2), 2);
    groups.Add(0, ~a, 1); // hashed once
    EXPECT_EQ(groups.CountOf(0), 4);
    groups.Clear();
    EXPECT_FALSE(groups.Hashed(0));
    EXPECT_EQ(groups.CountOf(2), 1);
}

} // namespace
