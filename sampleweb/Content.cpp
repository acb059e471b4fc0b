#include "sampleweb/Content.h"

namespace sampleweb {

namespace {

Resource Picture(Host host, std::string path, size_t bytes)
{
    return {host, std::move(path), Answer::Picture, bytes, {}, {}, {}};
}

Resource Page(Host host, std::string path, std::string title, std::vector<Link> links)
{
    return {host, std::move(path), Answer::Page, 0, {}, std::move(title), std::move(links)};
}

Resource Typed(Host host, std::string path, std::string contentType)
{
    return {host, std::move(path), Answer::TypedPicture, 0, std::move(contentType), {}, {}};
}

Link Image(std::string src) { return {LinkForm::Image, {}, std::move(src)}; }
Link UpperCaseImage(std::string src) { return {LinkForm::UpperCaseImage, {}, std::move(src)}; }
Link Anchor(std::string href) { return {LinkForm::Anchor, std::move(href), {}}; }
Link Thumbnail(std::string href, std::string src) { return {LinkForm::Thumbnail, std::move(href), std::move(src)}; }

std::vector<Resource> MakeSiteResources()
{
    using enum Host;
    return {
        Page(SiteA, "/gallery/index.html", "Sunset gallery",
             {
                 Image("pics/sunset-20000.jpg"),
                 Image("pics/Sunset-20000.jpg"), // the same picture in other letter case
                 Image("/shared/banner-15000.jpg"),
                 UpperCaseImage("pics/lighthouse-48000.jpg"),
                 Thumbnail("big/beach-1000000.jpg", "thumbs/beach.jpg"),
                 Thumbnail("big/dunes-1000001.jpg", "thumbs/dunes.jpg"),
                 Thumbnail("more.html", "thumbs/more.jpg"),
                 Anchor("../downloads/harbour-35000.jpg"),
                 Anchor("{SiteB}/photos/pics/lake-64000.jpg"),
                 Image("{SiteB}/photos/big/forest-250000.jpg"),
                 Image("/render?name=dawn.jpg"),
                 Image("pics/river.jpeg"),
                 Image("pics/CLIFF.JPG"),
                 Image("/errors/missing.jpg"),
                 Anchor("/errors/page-as-picture.jpg"),
                 Image("/errors/moved.jpg"),
                 Image("/stream/nolength.jpg"),
                 Image("{Stall}/never.jpg"),
                 Anchor("notes.html"),
             }),
        Page(SiteA, "/gallery/more.html", "More sunsets",
             {
                 Image("pics/more-50000.jpg"),
                 Image("../downloads/harbour-35000.jpg"),
                 Thumbnail("deeper.html", "thumbs/deeper-21000.jpg"),
             }),
        Page(SiteA, "/gallery/deeper.html", "Deeper", {Image("pics/deep-90000.jpg")}),
        Page(SiteA, "/gallery/notes.html", "Notes", {Image("pics/hidden-40000.jpg")}),
        Picture(SiteA, "/gallery/pics/sunset-20000.jpg", 20000),
        Picture(SiteA, "/shared/banner-15000.jpg", 15000),
        Picture(SiteA, "/gallery/pics/lighthouse-48000.jpg", 48000),
        Picture(SiteA, "/gallery/big/beach-1000000.jpg", 1000000),
        Picture(SiteA, "/gallery/thumbs/beach.jpg", 6000),
        Picture(SiteA, "/gallery/big/dunes-1000001.jpg", 1000001),
        Picture(SiteA, "/gallery/thumbs/dunes.jpg", 6200),
        Picture(SiteA, "/gallery/thumbs/more.jpg", 5800),
        Picture(SiteA, "/downloads/harbour-35000.jpg", 35000),
        Picture(SiteA, "/render", 30000),
        Picture(SiteA, "/gallery/pics/river.jpeg", 30000),
        Picture(SiteA, "/gallery/pics/CLIFF.JPG", 30000),
        {SiteA, "/errors/page-as-picture.jpg", Answer::HtmlInsteadOfPicture, 0, {}, {}, {}},
        {SiteA, "/errors/moved.jpg", Answer::Redirect, 0, "/gallery/index.html", {}, {}},
        {SiteA, "/stream/nolength.jpg", Answer::PictureWithoutLength, 50000, {}, {}, {}},
        Picture(SiteA, "/gallery/pics/more-50000.jpg", 50000),
        Picture(SiteA, "/gallery/thumbs/deeper-21000.jpg", 21000),
        Picture(SiteA, "/gallery/pics/deep-90000.jpg", 90000),
        Picture(SiteA, "/gallery/pics/hidden-40000.jpg", 40000),
        Picture(SiteA, "/catalog/fjord-120000.jpg", 120000),
        Picture(SiteA, "/catalog/glacier-1200000.jpg", 1200000),
        Picture(SiteA, "/catalog/meadow-20001.jpg", 20001),
        Picture(SiteA, "/catalog/aurora-75000.jpg", 75000),
        Picture(SiteA, "/catalog/never-60000.jpg", 60000),

        Page(SiteB, "/photos/index.html", "Lake photos",
             {
                 Image("pics/lake-64000.jpg"),
                 Image("pics/lake-64000.jpg"),
                 Thumbnail("{SiteA}/gallery/index.html", "thumbs/to-gallery-25000.jpg"),
                 Thumbnail("lakeside.htm", "thumbs/lakeside.jpg"),
                 Thumbnail("big/forest-250000.jpg", "thumbs/forest.jpg"),
             }),
        Page(SiteB, "/photos/lakeside.htm", "Lakeside",
             {
                 Image("pics/reeds-120000.jpg"),
                 Image("/photos/pics/heron-999000.jpg"),
             }),
        Page(SiteB, "/travel/index.html", "Travel notes",
             {
                 Image("../photos/pics/lake-64000.jpg"),
                 Anchor("trip/pier-80000.jpg"),
                 Anchor("{SiteA}/gallery/pics/sunset-20000.jpg"),
                 Image("trip/gull-9000.jpg"),
             }),
        Picture(SiteB, "/photos/pics/lake-64000.jpg", 64000),
        Picture(SiteB, "/photos/thumbs/to-gallery-25000.jpg", 25000),
        Picture(SiteB, "/photos/thumbs/lakeside.jpg", 5500),
        Picture(SiteB, "/photos/big/forest-250000.jpg", 250000),
        Picture(SiteB, "/photos/thumbs/forest.jpg", 6100),
        Picture(SiteB, "/photos/pics/reeds-120000.jpg", 120000),
        Picture(SiteB, "/photos/pics/heron-999000.jpg", 999000),
        Picture(SiteB, "/travel/trip/pier-80000.jpg", 80000),
        Picture(SiteB, "/travel/trip/gull-9000.jpg", 9000),
        Picture(SiteB, "/stock/boat-45000.jpg", 45000),
        Picture(SiteB, "/stock/red boat.jpg", 40000),
        Picture(SiteB, "/stock/pebble-19999.jpg", 19999),
        Picture(SiteB, "/stock/kite-70000.jpg", 70000),
        Picture(SiteB, "/stock/storm-400000.jpg", 400000),
        // The files the live sources list.
        Picture(Commons, "/files/a/ab/Red_car-45000.jpg", 45000),
        Picture(Commons, "/files/e/ef/Old_car-15000.JPG", 15000),
        Picture(Commons, "/files/1/12/Racing_car-120000.jpg", 120000),
        Picture(Commons, "/files/3/34/Vintage_car-64000.jpeg", 64000),
        Picture(Openverse, "/files/street-car-38000.jpg", 38000),
        Picture(Openverse, "/files/no-size-52000.jpg", 52000),
        Picture(Openverse, "/files/stale-size-15000.jpg", 15000),
        Picture(Openverse, "/files/tram-27000.jpg", 27000),
        Picture(Openverse, "/files/bus-33000.jpg", 33000),

        // Other picture types, on a page no service lists: a search starts
        // from it. One PNG is answered as a JPEG.
        Page(SiteB, "/types/index.html", "Picture types",
             {
                 Image("shapes.png"),
                 Image("cartoon.gif"),
                 Image("photo.webp"),
                 Image("mislabelled.png"),
                 Image("../photos/pics/lake-64000.jpg"),
             }),
        Typed(SiteB, "/types/shapes.png", "image/png"),
        Typed(SiteB, "/types/cartoon.gif", "image/gif"),
        Typed(SiteB, "/types/photo.webp", "image/webp"),
        Typed(SiteB, "/types/mislabelled.png", "image/jpeg"),
    };
}

SourceResults MakeSourceResults()
{
    SourceResults r;
    r.commonsPages = {
        {
            {"{Commons}/files/a/ab/Red_car-45000.jpg", 45000, 800, 600, "image/jpeg"},
            {"{Commons}/files/c/cd/Car_diagram.png", 30000, 640, 480, "image/png"},
            {"{Commons}/files/e/ef/Old_car-15000.JPG", 15000, 320, 240, "image/jpeg"},
        },
        {
            {"{Commons}/files/1/12/Racing_car-120000.jpg", 120000, 1600, 1200, "image/jpeg"},
            {"{Commons}/files/3/34/Vintage_car-64000.jpeg", 64000, 1024, 768, "image/jpeg"},
        },
    };
    r.openversePages = {
        {
            {"{Openverse}/files/street-car-38000.jpg", 38000, 900, 600, "jpg"},
            {"{Openverse}/files/no-size-52000.jpg", 0, 1000, 700, "jpg"},
            {"{Openverse}/files/stale-size-15000.jpg", 30000, 500, 400, "jpg"},
            {"{Openverse}/files/drawing.svg", 5000, 300, 300, "svg"},
        },
        {
            {"{Openverse}/files/tram-27000.jpg", 27000, 1200, 800, ""},
            {"{Openverse}/files/bus-33000.jpg", 33000, 1280, 960, "jpg"},
        },
    };
    return r;
}

ServiceResults MakeResults()
{
    ServiceResults r;
    r.hotBotLines = {
        {"{SiteA}/gallery/index.html"},
        {"{SiteB}/photos/index.html", "{SiteA}/gallery/index.html"},
    };
    r.lycosPages = {"{SiteB}/photos/index.html", "{SiteB}/travel/index.html", "{SiteA}/gallery/index.html"};
    r.scourNetPages = {
        {"{SiteB}/stock/boat-45000.jpg", "{SiteB}/stock/red%20boat.jpg", "{SiteA}/gallery/pics/sunset-20000.jpg"},
        {"{SiteB}/stock/pebble-19999.jpg", "{SiteB}/stock/kite-70000.jpg"},
        {"{SiteB}/stock/storm-400000.jpg"},
    };
    r.imagesDirectPages = {
        {"{SiteA}/catalog/fjord-120000.jpg", "{SiteA}/catalog/glacier-1200000.jpg"},
        {"{SiteA}/catalog/meadow-20001.jpg", "{SiteB}/photos/pics/lake-64000.jpg"},
        {"{SiteA}/catalog/aurora-75000.jpg"},
    };
    r.imagesDirectStrayPictures = {"{SiteA}/catalog/never-60000.jpg"};
    return r;
}

} // namespace

const std::vector<Resource>& SiteResources()
{
    static const std::vector<Resource> resources = MakeSiteResources();
    return resources;
}

const ServiceResults& Results()
{
    static const ServiceResults results = MakeResults();
    return results;
}

const SourceResults& SourceAnswers()
{
    static const SourceResults results = MakeSourceResults();
    return results;
}

const Resource* FindResource(Host host, const std::string& path)
{
    for (const Resource& r : SiteResources())
        if (r.host == host && r.path == path)
            return &r;
    return nullptr;
}

} // namespace sampleweb
