#include "core/BuiltInSources.h"
#include "search/Sources.h"

#include <gtest/gtest.h>

namespace {

// The built-in descriptions' search addresses below their hosts.
std::string CommonsSearchPath(const TSourceSearch& search)
{
    return DescribedSearchAddress(BuiltInSource("commons"), "", search);
}
std::string OpenverseSearchPath(const TSourceSearch& search)
{
    return DescribedSearchAddress(BuiltInSource("openverse"), "", search);
}

const TPictureTypes JpegPng = TPictureTypes::JpegOnly().With(TPictureType::Png);

TEST(SourceTypes, ListedByMimeTypeElseByExtension)
{
    const struct {
        const char* url;
        const char* mime;
        TPictureTypes types;
        bool listed;
    } cases[] = {
        {"https://u/a.png", "image/jpeg", TPictureTypes::JpegOnly(), true}, // the type the source gives wins
        {"https://u/a.jpg", "image/png", TPictureTypes::JpegOnly(), false},
        {"https://u/a.jpg", "image/png", JpegPng, true},
        {"https://u/a", "image/pjpeg", TPictureTypes::JpegOnly(), true},
        {"https://u/a.webp", "image/webp", JpegPng, false},
        {"https://u/a.webp", "image/webp", TPictureTypes::All(), true},
        {"https://u/a.gif", "image/gif", TPictureTypes::All(), true},
        {"https://u/a.svg", "image/svg+xml", TPictureTypes::All(), false},
        {"https://u/a.tif", "image/tiff", TPictureTypes::All(), false},
        {"https://u/a.JPEG", "", TPictureTypes::JpegOnly(), true},
        {"https://u/a.jpg?w=100", "", TPictureTypes::JpegOnly(), true},
        {"https://u/a.png", "", TPictureTypes::JpegOnly(), false},
        {"https://u/a.PNG", "", JpegPng, true},
        {"https://u/a.png.svg", "", TPictureTypes::All(), false},
        {"https://u/a", "", TPictureTypes::All(), false},
    };
    for (const auto& c : cases) {
        TPictureRecord picture;
        picture.Url = c.url;
        picture.MimeType = c.mime;
        EXPECT_EQ(IsListedPicture(picture, c.types), c.listed) << c.url << " " << c.mime;
    }
}

// The query asks for exactly the types chosen, so answer pages come full.
TEST(SourceTypes, TheQueryAsksForTheTypesChosen)
{
    const struct {
        TPictureTypes types;
        const char* commons; // the gsrsearch value
        const char* openverse; // the extension value
    } cases[] = {
        {TPictureTypes::JpegOnly(), "&gsrsearch=Z%C3%BCrich%20filemime%3Aimage%2Fjpeg", "&extension=jpg"},
        {JpegPng, "&gsrsearch=Z%C3%BCrich%20filemime%3Aimage%2Fjpeg%20OR%20filemime%3Aimage%2Fpng",
         "&extension=jpg%2Cpng"},
        {TPictureTypes::All(),
         "&gsrsearch=Z%C3%BCrich%20filemime%3Aimage%2Fjpeg%20OR%20filemime%3Aimage%2Fpng%20OR%20"
         "filemime%3Aimage%2Fgif%20OR%20filemime%3Aimage%2Fwebp",
         "&extension=jpg%2Cpng%2Cgif%2Cwebp"},
    };
    for (const auto& c : cases) {
        const TSourceSearch search{"Z\xC3\xBCrich", c.types, 96};
        const std::string commons = CommonsSearchPath(search);
        EXPECT_TRUE(commons.ends_with(c.commons)) << commons;
        EXPECT_NE(commons.find("&iiurlwidth=96&"), std::string::npos) << commons;
        const std::string openverse = OpenverseSearchPath(search);
        EXPECT_EQ(openverse, std::string("/v1/images/?q=Z%C3%BCrich") + c.openverse);
    }
}

// Openverse is asked for the licences a filter keeps; Commons, which cannot
// be, is asked as without one.
TEST(SourceTypes, TheQueryAsksForTheLicenceFilterWhereTheSourceCan)
{
    const struct {
        TLicenceFilter filter;
        const char* openverse;
    } cases[] = {
        {TLicenceFilter::Any, "/v1/images/?q=red%20cars&extension=jpg"},
        {TLicenceFilter::Commercial, "/v1/images/?q=red%20cars&extension=jpg&license_type=commercial"},
        {TLicenceFilter::Changes, "/v1/images/?q=red%20cars&extension=jpg&license_type=modification"},
    };
    TSourceSearch any{"red cars", TPictureTypes::JpegOnly(), 96};
    for (const auto& c : cases) {
        TSourceSearch search = any;
        search.Licence = c.filter;
        EXPECT_EQ(OpenverseSearchPath(search), c.openverse);
        EXPECT_EQ(CommonsSearchPath(search), CommonsSearchPath(any));
    }
}

} // namespace
