#pragma once
#include "sampleweb/Hosts.h"

#include <cstddef>
#include <string>
#include <vector>

namespace sampleweb {

// How a site answers a path.
enum class Answer {
    Picture,              // 200, "image/jpeg", Content-Length
    PictureWithoutLength, // 200, "image/jpeg", the body ends when the server closes
    HtmlInsteadOfPicture, // 200, "text/html" for a picture path
    Redirect,             // 302 to `target`
    Page,                 // 200, "text/html", the page made of `links`
    TypedPicture,         // 200, content type `target`, Content-Length: a PNG,
                          // GIF or WebP file chosen by the path's extension
};

// How a link is written on a page; each form is one line of its own.
enum class LinkForm {
    Image,          // <img src="src">
    UpperCaseImage, // <IMG SRC="src">
    Anchor,         // <a href="href">caption</a>
    Thumbnail,      // <a href="href"><img src="src"></a>
};

// `href` and `src` as written on the page: relative ("pics/x.jpg",
// "../x.jpg", "/x.jpg") or absolute through a host placeholder ("{SiteB}/x.jpg").
struct Link {
    LinkForm form;
    std::string href;
    std::string src;
};

// One path of a site. Paths are as the server sees them: decoded, case-sensitive;
// a path with a query ("/render") answers every query alike. Any other path is a 404.
struct Resource {
    Host host;
    std::string path;
    Answer answer;
    size_t bytes = 0;        // pictures: exact size of the JPEG file
    std::string target;      // redirect: the Location value
    std::string title;       // pages
    std::vector<Link> links; // pages
};

// What the search services list, as absolute URLs written with host placeholders.
struct ServiceResults {
    // HotBot: one result page; each inner list is one line of "target=" links.
    std::vector<std::vector<std::string>> hotBotLines;
    // Lycos web results: one result page.
    std::vector<std::string> lycosPages;
    // ScourNet and Lycos Images Direct: picture URLs per result page; page n
    // links to page n+1, the last page to none.
    std::vector<std::vector<std::string>> scourNetPages;
    std::vector<std::vector<std::string>> imagesDirectPages;
    // Linked from the second "next" line of the Images Direct page that has
    // two: a reader that follows only the first never sees these pictures.
    int imagesDirectPageWithTwoNextLinks = 2;
    int imagesDirectStrayPage = 9;
    std::vector<std::string> imagesDirectStrayPictures;
};

// A picture as a live source lists it: its URL with a host placeholder and
// what the source says of it (which need not be what is served).
struct SourceListing {
    std::string url;  // percent-encoded as the API writes it
    size_t size = 0; // 0: the source gives none
    int width = 0;
    int height = 0;
    std::string type; // Commons: a MIME type; Openverse: a file type, empty for none
    size_t served = 0; // the JPEG's size as served; 0: a PNG or WebP file by its extension, or none
    std::string licence; // Openverse: the licence's code, as "by-nc"
};

// What the live sources list, page by page; the same for every phrase.
struct SourceResults {
    std::vector<std::vector<SourceListing>> commonsPages;
    std::vector<std::vector<SourceListing>> openversePages;
};

// The one fixed content of the sample web. Results do not depend on the phrase.
const std::vector<Resource>& SiteResources();
const ServiceResults& Results();
const SourceResults& SourceAnswers();

const Resource* FindResource(Host host, const std::string& path);

// "%" and two hex digits as bytes: a path as the server sees it.
std::string PercentDecoded(const std::string& text);

} // namespace sampleweb
