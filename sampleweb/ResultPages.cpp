#include "sampleweb/ResultPages.h"

#include "sampleweb/Content.h"

#include <cctype>
#include <cstdio>

namespace sampleweb {

namespace {

// The services escape ":" and "/" in the links they hand on.
std::string EscapeLink(const std::string& url)
{
    std::string out;
    for (char c : url) {
        if (c == ':')
            out += "%3A";
        else if (c == '/')
            out += "%2F";
        else
            out += c;
    }
    return out;
}

std::string FileNameOf(const std::string& url)
{
    const size_t slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

// The title of a content page written as "{Host}/path".
std::string PageTitle(const std::string& page)
{
    for (int i = 0; i < HostCount; ++i) {
        const Host host = static_cast<Host>(i);
        const std::string prefix = std::string("{") + HostName(host) + "}";
        if (page.starts_with(prefix))
            if (const Resource* r = FindResource(host, page.substr(prefix.size())))
                return r->title;
    }
    return FileNameOf(page);
}

std::string Document(const std::string& title, const std::string& body)
{
    return "<html>\r\n<head><title>" + title + "</title></head>\r\n<body>\r\n" + body + "</body>\r\n</html>\r\n";
}

template <typename T>
const T* PageOf(const std::vector<T>& pages, int page)
{
    return page >= 1 && page <= static_cast<int>(pages.size()) ? &pages[page - 1] : nullptr;
}

} // namespace

std::string EscapeQueryValue(const std::string& value)
{
    std::string out;
    for (unsigned char c : value) {
        if (std::isalnum(c)) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string HotBotPage(const Addresses& addresses)
{
    std::vector<std::vector<HotBotResult>> lines;
    for (const auto& line : Results().hotBotLines) {
        lines.emplace_back();
        for (const std::string& page : line)
            lines.back().push_back({addresses.Expand(page), PageTitle(page)});
    }
    return HotBotPage(lines);
}

std::string HotBotPage(const std::vector<std::vector<HotBotResult>>& lines)
{
    std::string body = "<h2>Web results</h2>\r\n";
    int id = 0;
    for (const auto& line : lines) {
        std::string links;
        for (const HotBotResult& result : line)
            links += (links.empty() ? "" : " | ") + std::string("<a href=\"/director.asp?target=") +
                     EscapeLink(result.url) + "&id=" + std::to_string(++id) + "&rsource=hb\">" + result.title + "</a>";
        body += "<p>" + links + "</p>\r\n";
    }
    return Document("HotBot results", body);
}

std::string LycosPage(const Addresses& addresses)
{
    std::string body = "<h2>Web sites</h2>\r\n";
    for (const std::string& page : Results().lycosPages) {
        const std::string url = addresses.Expand(page);
        body += "<p><b><a href=\"" + url + "\">" + PageTitle(page) + "</a></b><br>" + "Found in the web index</p>\r\n";
    }
    return Document("Lycos results", body);
}

std::string ScourNetPage(int page, const std::string& query, const Addresses& addresses)
{
    const auto& pages = Results().scourNetPages;
    std::string body = "<table>\r\n";
    if (const auto* pictures = PageOf(pages, page))
        for (const std::string& picture : *pictures)
            body += "<tr><td><a href=\"/cgi-bin/preview.cgi?url=" + EscapeLink(addresses.Expand(picture)) + "\">" +
                    FileNameOf(picture) + "</a></td></tr>\r\n";
    body += "</table>\r\n";
    // The reader cuts the next link from its anchor to the "right.gif" arrow behind it.
    if (page >= 1 && page < static_cast<int>(pages.size()))
        body += "<p class=\"pagenumlinks\">Page " + std::to_string(page) + " of " + std::to_string(pages.size()) +
                " <a href=\"/cgi-bin/search.cgi?index=image&preview_size=small&query=" + EscapeQueryValue(query) +
                "&page=" + std::to_string(page + 1) + "\"><img src=\"right.gif\" border=\"0\"></a></p>\r\n";
    return Document("ScourNet image search", body);
}

std::string ChangedFormatPage()
{
    return Document("Results", "<ol class=\"results\">\r\n<li><a class=\"result\" href=\"/item/1\">First result</a></li>\r\n"
                               "<li><a class=\"result\" href=\"/item/2\">Second result</a></li>\r\n</ol>\r\n");
}

std::string ImagesDirectPage(int page, const std::string& query, const Addresses& addresses)
{
    const ServiceResults& results = Results();
    const auto& pages = results.imagesDirectPages;
    const auto next = [&](int to) {
        return "<p><a href=\"/cgi-bin/pursuit?cat=graphics&query=" + EscapeQueryValue(query) +
               "&page=" + std::to_string(to) + "\">More pictures &gt;&gt;</a></p>\r\n";
    };
    const bool hasNext = page >= 1 && page < static_cast<int>(pages.size());
    std::string body;
    if (hasNext)
        body += next(page + 1);
    body += "<dl>\r\n";
    const auto* pictures = page == results.imagesDirectStrayPage ? &results.imagesDirectStrayPictures
                                                                 : PageOf(pages, page);
    if (pictures)
        for (const std::string& picture : *pictures)
            body += "<dt>" + FileNameOf(picture) + "</dt>\r\n<dd><b><a href=\"" + addresses.Expand(picture) +
                    "\">Full size</a></b></dd>\r\n";
    body += "</dl>\r\n";
    if (hasNext && page == results.imagesDirectPageWithTwoNextLinks)
        body += next(results.imagesDirectStrayPage);
    return Document("Lycos pictures", body);
}

} // namespace sampleweb
