#include "sampleweb/PageHtml.h"

namespace sampleweb {

namespace {

// The file name of a link without its extension: "../x/harbour-35000.jpg" gives "harbour-35000".
std::string Caption(const std::string& link)
{
    const size_t slash = link.rfind('/');
    std::string name = slash == std::string::npos ? link : link.substr(slash + 1);
    const size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string LinkLine(const Link& link, const Addresses& addresses)
{
    const std::string href = addresses.Expand(link.href), src = addresses.Expand(link.src);
    switch (link.form) {
    case LinkForm::Image: return "<p><img src=\"" + src + "\"></p>";
    case LinkForm::UpperCaseImage: return "<P><IMG SRC=\"" + src + "\"></P>";
    case LinkForm::Anchor: return "<p><a href=\"" + href + "\">" + Caption(link.href) + "</a></p>";
    case LinkForm::Thumbnail: return "<p><a href=\"" + href + "\"><img src=\"" + src + "\"></a></p>";
    }
    return {};
}

std::string Document(const std::string& title, const std::string& body)
{
    return "<html>\r\n<head><title>" + title + "</title></head>\r\n<body>\r\n<h1>" + title + "</h1>\r\n" + body +
           "</body>\r\n</html>\r\n";
}

} // namespace

std::string PageHtml(const Resource& page, const Addresses& addresses)
{
    std::string body;
    for (const Link& link : page.links)
        body += LinkLine(link, addresses) + "\r\n";
    return Document(page.title, body);
}

std::string NotFoundHtml()
{
    return Document("Not Found", "<p>The requested document was not found on this server.</p>\r\n");
}

std::string NotAPictureHtml()
{
    return Document("Picture of the day", "<p>This picture is shown on our home page only.</p>\r\n");
}

} // namespace sampleweb
