#include "EngineFixture.h"

#include <optional>
#include <string>
#include <vector>

namespace {

struct TTypesCase {
    const char* Name;
    const char* Types; // the PictureTypes setting; null: none stored
    bool Check;
    std::optional<int> MinWidth;
    std::optional<int> MinHeight;
    std::vector<std::string> Listed; // name, size, dimensions; sorted
};

void PrintTo(const TTypesCase& c, std::ostream* os) { *os << c.Name; }

class PictureTypesSearch : public EngineSearch, public testing::WithParamInterface<TTypesCase> {};

// A search from the page of other picture types: what is listed with which
// size and dimensions. The size filter is off, as the pictures are small.
TEST_P(PictureTypesSearch, ListsTheTypesSwitchedOnWithTheirDimensions)
{
    const TTypesCase& c = GetParam();
    settings->WriteBool("Options", "LargerThanBool", false);
    if (c.Types)
        settings->WriteString("Options", "PictureTypes", c.Types);
    if (c.MinWidth) {
        settings->WriteBool("Options", "MinWidthBool", true);
        settings->WriteInteger("Options", "MinWidth", *c.MinWidth);
    }
    if (c.MinHeight) {
        settings->WriteBool("Options", "MinHeightBool", true);
        settings->WriteInteger("Options", "MinHeight", *c.MinHeight);
    }
    checkLinks = c.Check;
    engine.SetWaitForDimensions(true);
    Run(web.GetAddresses().Expand("{SiteB}/types/index.html"), false);

    std::vector<std::string> listed;
    for (size_t row = 0; row < engine.FoundFiles().size(); ++row) {
        const std::string& url = engine.FoundFiles()[row];
        const TDimensions d = engine.DimensionsOf(row);
        const auto size = std::find_if(found.begin(), found.end(), [&](const auto& f) { return f.url == url; });
        ASSERT_NE(size, found.end());
        listed.push_back(url.substr(url.rfind('/') + 1) + " " + size->size + " "
                         + (d.Known() ? std::to_string(d.Width) + "x" + std::to_string(d.Height) : "-"));
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, c.Listed);
}

const TTypesCase TypesCases[] = {
    {"JpegAloneByDefault", nullptr, true, {}, {}, {"lake-64000.jpg 64000 240x180"}},
    {"AllTypesChecked", "jpeg,png,gif,webp", true, {}, {},
     {"cartoon.gif 3467 160x90", "lake-64000.jpg 64000 240x180", "photo.webp 566 131x83", "shapes.png 2271 70x45"}},
    {"OneMoreType", "png", true, {}, {}, {"lake-64000.jpg 64000 240x180", "shapes.png 2271 70x45"}},
    // Unchecked, nothing is read: a PNG answered as a JPEG is listed too.
    {"AllTypesUnchecked", "jpeg,png,gif,webp", false, {}, {},
     {"cartoon.gif UNKNOWN -", "lake-64000.jpg UNKNOWN -", "mislabelled.png UNKNOWN -", "photo.webp UNKNOWN -",
      "shapes.png UNKNOWN -"}},
    {"MinimumWidthOnTheEdge", "jpeg,png,gif,webp", true, 131, {},
     {"cartoon.gif 3467 160x90", "lake-64000.jpg 64000 240x180", "photo.webp 566 131x83"}},
    {"MinimumHeightOnTheEdge", "jpeg,png,gif,webp", true, {}, 90,
     {"cartoon.gif 3467 160x90", "lake-64000.jpg 64000 240x180"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, PictureTypesSearch, testing::ValuesIn(TypesCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
