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

// The files the live sources list, served under their decoded paths: JPEGs
// of their `served` size, PNG and WebP files of the picture types page.
void AddSourceFiles(std::vector<Resource>& resources, Host host, const std::vector<std::vector<SourceListing>>& pages)
{
    const std::string prefix = std::string("{") + HostName(host) + "}";
    for (const auto& page : pages)
        for (const SourceListing& file : page) {
            const std::string path = PercentDecoded(file.url.substr(prefix.size()));
            if (file.served > 0)
                resources.push_back(Picture(host, path, file.served));
            else if (path.ends_with(".png") || path.ends_with(".webp"))
                resources.push_back(Typed(host, path, path.ends_with(".png") ? "image/png" : "image/webp"));
        }
}

// File addresses as the APIs write them: UTF-8 percent-encoded, and
// MediaWiki escaping brackets, commas and apostrophes too.
SourceResults MakeSourceResults()
{
    SourceResults r;
    r.commonsPages = {
        {
            // Zürich (Limmat), tram.jpg
            {"{Commons}/files/a/ab/Z%C3%BCrich_%28Limmat%29%2C_tram.jpg", 45000, 800, 600, "image/jpeg", 45000, ""},
            {"{Commons}/files/c/cd/Car_diagram.png", 30000, 70, 45, "image/png", 0, ""},
            {"{Commons}/files/e/ef/Old_car-15000.JPG", 15000, 320, 240, "image/jpeg", 15000, ""},
            // 東京の車.jpg
            {"{Commons}/files/4/45/%E6%9D%B1%E4%BA%AC%E3%81%AE%E8%BB%8A.jpg", 52000, 1024, 683, "image/jpeg", 52000, ""},
        },
        {
            {"{Commons}/files/1/12/Racing_car-120000.jpg", 120000, 1600, 1200, "image/jpeg", 120000, ""},
            // Vintage car's grille.jpeg
            {"{Commons}/files/3/34/Vintage_car%27s_grille.jpeg", 64000, 1024, 768, "image/jpeg", 64000, ""},
            {"{Commons}/files/7/78/Car_at_night.webp", 41000, 131, 83, "image/webp", 0, ""},
            {"{Commons}/files/9/9a/Car_sketch.svg", 8000, 512, 512, "image/svg+xml", 0, ""},
        },
    };
    r.openversePages = {
        {
            {"{Openverse}/files/street-car-38000.jpg", 38000, 900, 600, "jpg", 38000, "by"},
            {"{Openverse}/files/no-size-52000.jpg", 0, 1000, 700, "jpg", 52000, "by-nc"},
            {"{Openverse}/files/stale-size-15000.jpg", 30000, 500, 400, "jpg", 15000, "cc0"},
            {"{Openverse}/files/drawing.svg", 5000, 300, 300, "svg", 0, "pdm"},
            // København sporvogn.png
            {"{Openverse}/files/K%C3%B8benhavn_sporvogn.png", 0, 70, 45, "png", 0, "by-sa"},
        },
        {
            {"{Openverse}/files/tram-27000.jpg", 27000, 1200, 800, "", 27000, "by-nd"},
            {"{Openverse}/files/bus-33000.jpg", 33000, 1280, 960, "jpg", 33000, "by-nc-nd"},
            // Étretat bus.webp
            {"{Openverse}/files/%C3%89tretat_bus.webp", 0, 131, 83, "webp", 0, "by-nc-sa"},
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

std::string PercentDecoded(const std::string& text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

const std::vector<Resource>& SiteResources()
{
    static const std::vector<Resource> resources = [] {
        std::vector<Resource> all = MakeSiteResources();
        AddSourceFiles(all, Host::Commons, SourceAnswers().commonsPages);
        AddSourceFiles(all, Host::Openverse, SourceAnswers().openversePages);
        return all;
    }();
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
