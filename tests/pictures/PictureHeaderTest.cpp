#include "pictures/PictureHeader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace std::string_literals;

namespace {

struct TSample {
    const char* File;
    TPictureType Type;
    int Width;
    int Height;
};

// Files made by the usual encoders (cjpeg, pnmtopng, ppmtogif, cwebp).
// metadata.jpg carries a 150 kB colour profile in APP2 segments before its
// frame header.
const TSample Samples[] = {
    {"baseline.jpg", TPictureType::Jpeg, 131, 83},
    {"progressive.jpg", TPictureType::Jpeg, 203, 149},
    {"metadata.jpg", TPictureType::Jpeg, 97, 61},
    {"plain.png", TPictureType::Png, 70, 45},
    {"plain.gif", TPictureType::Gif, 160, 90},
    {"lossy.webp", TPictureType::Webp, 131, 83},
    {"lossless.webp", TPictureType::Webp, 70, 45},
    {"extended.webp", TPictureType::Webp, 203, 149},
};

std::string Sample(const char* name)
{
    return ReadFile(std::string(std::getenv("GS_SOURCE_DIR")) + "/tests/pictures/samples/" + name);
}

class PictureHeaderTest : public testing::TestWithParam<TSample> {};

// Every prefix of the file: "not yet" until the size is there, then the
// right size, and never anything else.
TEST_P(PictureHeaderTest, EveryCutGivesNotYetOrTheSize)
{
    const TSample& sample = GetParam();
    const std::string file = Sample(sample.File);
    ASSERT_FALSE(file.empty());
    size_t firstFound = file.size() + 1;
    for (size_t length = 0; length <= file.size(); ++length) {
        const TPictureHeader header = ReadPictureHeader(std::string_view(file).substr(0, length));
        if (header.State == THeaderState::NotYet) {
            ASSERT_GT(firstFound, length) << "forgot the size at " << length;
            continue;
        }
        ASSERT_EQ(header.State, THeaderState::Found) << "at " << length;
        ASSERT_EQ(header.Type, sample.Type);
        ASSERT_EQ(header.Width, sample.Width) << "at " << length;
        ASSERT_EQ(header.Height, sample.Height) << "at " << length;
        firstFound = std::min(firstFound, length);
    }
    EXPECT_LE(firstFound, file.size());
}

INSTANTIATE_TEST_SUITE_P(Samples, PictureHeaderTest, testing::ValuesIn(Samples),
                         [](const auto& info) {
                             std::string name = info.param.File;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

struct TBroken {
    const char* Name;
    std::string Bytes;
};

TEST(PictureHeader, OtherFilesAndBrokenHeadersAreNoPictures)
{
    const std::string baseline = Sample("baseline.jpg");
    const std::string png = Sample("plain.png");
    const TBroken cases[] = {
        {"html", "<html><body>Not found</body></html>"},
        {"jpeg start, then text", "\xFF\xD8<html>"s},
        {"jpeg image data before a frame", "\xFF\xD8\xFF\xDA\x00\x08"s},
        {"jpeg end before a frame", "\xFF\xD8\xFF\xD9"s},
        {"jpeg segment length below 2", "\xFF\xD8\xFF\xE0\x00\x01"s},
        {"jpeg frame of height 0", "\xFF\xD8\xFF\xC0\x00\x11\x08\x00\x00\x00\x10"s},
        {"png whose first chunk is not IHDR", png.substr(0, 12) + "IDAT" + png.substr(16)},
        {"png of width 0", png.substr(0, 16) + std::string(4, '\0') + png.substr(20)},
        {"gif of another version", "GIF88a\x10\x00\x10\x00"s},
        {"riff of another form", "RIFF\x10\x00\x00\x00WAVEfmt "s},
        {"webp of an unknown chunk", "RIFF\x10\x00\x00\x00WEBPVP8Z\x00\x00"s},
        {"jpeg metadata past the bound", "\xFF\xD8"s + [] {
             std::string segments;
             for (size_t i = 0; i * 65537 < HeaderReadBound; ++i)
                 segments += "\xFF\xE1\xFF\xFF"s + std::string(65533, 'x');
             return segments;
         }() + baseline.substr(2)},
    };
    for (const TBroken& c : cases)
        EXPECT_EQ(ReadPictureHeader(c.Bytes).State, THeaderState::NotAPicture) << c.Name;
}

} // namespace
