#include "pictures/PictureTypes.h"

#include <gtest/gtest.h>

namespace {

const TPictureTypes all = TPictureTypes::All();
const TPictureTypes jpeg = TPictureTypes::JpegOnly();
const TPictureTypes png = TPictureTypes().With(TPictureType::Png);

TEST(PictureTypes, NamesAreReadAndWritten)
{
    EXPECT_EQ(ParsePictureTypes("jpeg"), jpeg);
    EXPECT_EQ(ParsePictureTypes(" JPEG , png,gif,WebP "), all);
    EXPECT_EQ(ParsePictureTypes("png,png"), png);
    EXPECT_EQ(ParsePictureTypes(""), std::nullopt);
    EXPECT_EQ(ParsePictureTypes("jpeg,"), std::nullopt);
    EXPECT_EQ(ParsePictureTypes("jpg"), std::nullopt);
    EXPECT_EQ(PictureTypesText(all), "jpeg,png,gif,webp");
    EXPECT_EQ(ParsePictureTypes(PictureTypesText(png.With(TPictureType::Webp))), png.With(TPictureType::Webp));
}

struct TLinkCase {
    const char* Link;
    TPictureTypes Types;
    std::optional<TPictureType> Type;
};

TEST(PictureTypes, LinksEndInTheirTypesExtensionOnce)
{
    const TLinkCase cases[] = {
        {"http://h/a.jpg", jpeg, TPictureType::Jpeg},
        {"http://h/a.png", jpeg, std::nullopt},
        {"http://h/a.png", all, TPictureType::Png},
        {"http://h/a.gif", all, TPictureType::Gif},
        {"http://h/a.webp", all, TPictureType::Webp},
        {"http://h/a.webp", png, std::nullopt},
        {"http://h/a.PNG", all, std::nullopt},
        {"http://h/a.png?x=1", all, std::nullopt},
        {"http://h/a.PNG/b.png", all, std::nullopt},
        {"http://h/a.jpg/b.png", all, TPictureType::Png},
        {"http://h/a.jpeg", all, std::nullopt},
    };
    for (const TLinkCase& c : cases)
        EXPECT_EQ(LinkPictureType(c.Link, c.Types), c.Type) << c.Link;
}

TEST(PictureTypes, ContentTypeMustNameAnImageAndOtherTypesTheirOwn)
{
    EXPECT_TRUE(ContentTypeFits("image/jpeg", TPictureType::Jpeg));
    EXPECT_TRUE(ContentTypeFits("image/gif", TPictureType::Jpeg)); // as a JPEG link always was
    EXPECT_FALSE(ContentTypeFits("text/html", TPictureType::Jpeg));
    EXPECT_TRUE(ContentTypeFits("image/png", TPictureType::Png));
    EXPECT_FALSE(ContentTypeFits("image/jpeg", TPictureType::Png));
    EXPECT_TRUE(ContentTypeFits("image/webp", TPictureType::Webp));
    EXPECT_FALSE(ContentTypeFits("text/gif", TPictureType::Gif));
}

} // namespace
