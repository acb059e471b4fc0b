#include "sampleweb/Catalogue.h"

#include "sampleweb/Content.h"
#include "sampleweb/PictureFile.h"
#include "platform/AnsiCase.h"

#include <algorithm>

namespace sampleweb {

namespace {

// A picture link as the search meets it. Links cut out of web pages must
// pass the ".jpg" gate; those of the picture services are taken as they are.
struct Candidate {
    std::string url;
    bool fromWebPage;
};

bool EndsInOnlyJpg(const std::string& url)
{
    return url.size() >= 4 && url.find(".jpg") == url.size() - 4;
}

// The link forms of the content: absolute, from the root, or relative with
// leading "../" steps; the page path always ends in a file name.
std::string Resolve(const std::string& link, const std::string& base, const std::string& pagePath)
{
    if (link.starts_with("http://"))
        return link;
    if (link.starts_with("/"))
        return base + link;
    std::string dir = pagePath.substr(0, pagePath.rfind('/') + 1);
    std::string rest = link;
    while (rest.starts_with("../")) {
        rest.erase(0, 3);
        if (dir.size() > 1)
            dir.erase(dir.rfind('/', dir.size() - 2) + 1);
    }
    return base + dir + rest;
}

// The extension a thumbnail's link is judged by; absolute links and links
// to neither a page nor a picture count as none.
std::string ThumbnailLinkExtension(const std::string& href)
{
    if (href.find("http") != std::string::npos ||
        (href.find(".htm") == std::string::npos && href.find(".jpg") == std::string::npos))
        return {};
    const std::string name = href.substr(href.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

class Search {
public:
    Search(const Addresses& addresses, bool recursive) : FAddresses(addresses), FRecursive(recursive) {}

    std::vector<Candidate> candidates;
    std::vector<std::string> pages;

    void ListedPage(const std::string& url)
    {
        const Resource* page = PageAt(url);
        if (!page || !Visit(FListedPages, url))
            return;
        const std::string base = FAddresses.Base(page->host);
        for (const Link& link : page->links) {
            const std::string href = FAddresses.Expand(link.href), src = FAddresses.Expand(link.src);
            switch (link.form) {
            case LinkForm::Image:
            case LinkForm::UpperCaseImage: Add(Resolve(src, base, page->path)); break;
            case LinkForm::Anchor: Add(Resolve(href, base, page->path)); break;
            case LinkForm::Thumbnail: {
                const std::string ext = ThumbnailLinkExtension(href);
                if (ext == ".jpg")
                    Add(Resolve(href, base, page->path));
                else if (ext.empty())
                    Add(Resolve(src, base, page->path));
                else if (FRecursive && (ext == ".html" || ext == ".htm"))
                    PageBehindThumbnail(Resolve(href, base, page->path));
                break;
            }
            }
        }
    }

private:
    // Only the picture sources of such a page count, thumbnails included;
    // its links lead nowhere.
    void PageBehindThumbnail(const std::string& url)
    {
        const Resource* page = PageAt(url);
        if (!page || !Visit(FThumbnailPages, url))
            return;
        for (const Link& link : page->links)
            if (link.form != LinkForm::Anchor)
                Add(Resolve(FAddresses.Expand(link.src), FAddresses.Base(page->host), page->path));
    }

    const Resource* PageAt(const std::string& url) const
    {
        for (int i = 0; i < HostCount; ++i) {
            const Host host = static_cast<Host>(i);
            const std::string base = FAddresses.Base(host);
            if (url.starts_with(base + "/"))
                if (const Resource* r = FindResource(host, url.substr(base.size())); r && r->answer == Answer::Page)
                    return r;
        }
        return nullptr;
    }

    // A page is read once for each way it was reached.
    bool Visit(std::vector<std::string>& visited, const std::string& url)
    {
        if (std::find(visited.begin(), visited.end(), url) != visited.end())
            return false;
        visited.push_back(url);
        if (std::find(pages.begin(), pages.end(), url) == pages.end())
            pages.push_back(url);
        return true;
    }

    void Add(const std::string& url) { candidates.push_back({url, true}); }

    const Addresses& FAddresses;
    bool FRecursive;
    std::vector<std::string> FListedPages, FThumbnailPages;
};

Search RunSearch(const Addresses& addresses, bool recursive)
{
    Search search(addresses, recursive);
    const ServiceResults& results = Results();
    for (const auto& pages : {results.scourNetPages, results.imagesDirectPages})
        for (const auto& page : pages)
            for (const std::string& picture : page)
                search.candidates.push_back({addresses.Expand(picture), false});
    for (const auto& line : results.hotBotLines)
        for (const std::string& page : line)
            search.ListedPage(addresses.Expand(page));
    for (const std::string& page : results.lycosPages)
        search.ListedPage(addresses.Expand(page));
    return search;
}

const Resource* ResourceAt(const Addresses& addresses, const std::string& url)
{
    for (int i = 0; i < HostCount; ++i) {
        const Host host = static_cast<Host>(i);
        const std::string base = addresses.Base(host);
        if (url.starts_with(base + "/"))
            return FindResource(host, PercentDecoded(url.substr(base.size())));
    }
    return nullptr;
}

// The rows a search lists from its picture candidates.
std::vector<ListedPicture> Listed(const Addresses& addresses, const std::vector<Candidate>& candidates,
                                  const SearchSettings& settings)
{
    std::vector<ListedPicture> listed;
    for (const Candidate& c : candidates) {
        if (c.fromWebPage && !EndsInOnlyJpg(c.url))
            continue;
        if (c.url.find_first_of("&=?%") != std::string::npos)
            continue;
        if (std::any_of(listed.begin(), listed.end(), [&](const ListedPicture& p) { return AnsiSameText(p.url, c.url); }))
            continue;
        std::string size = "UNKNOWN";
        if (settings.checkLinks) {
            // Only an image answer whose header arrives is listed; a 404, a page, a
            // redirect to a page and a host that never answers are not.
            const Resource* r = ResourceAt(addresses, c.url);
            if (!r || (r->answer != Answer::Picture && r->answer != Answer::PictureWithoutLength))
                continue;
            if (r->answer == Answer::Picture) {
                if (!settings.filter.Passes(static_cast<long long>(r->bytes)))
                    continue;
                size = std::to_string(r->bytes);
            }
        }
        listed.push_back({c.url, size});
    }
    std::sort(listed.begin(), listed.end(), [](const ListedPicture& a, const ListedPicture& b) { return a.url < b.url; });
    return listed;
}

} // namespace

bool SizeFilter::Passes(long long bytes) const
{
    if (largerThanBool && largerThan * 1000LL > bytes)
        return false;
    if (smallerThanBool && smallerThan * 1000LL < bytes)
        return false;
    return true;
}

std::vector<ListedPicture> Catalogue::Listing(const SearchSettings& settings) const
{
    return Listed(FAddresses, RunSearch(FAddresses, settings.recursive).candidates, settings);
}

std::vector<ListedPicture> Catalogue::StartPageListing(const std::string& pageUrl, const SearchSettings& settings) const
{
    Search search(FAddresses, settings.recursive);
    search.ListedPage(pageUrl);
    return Listed(FAddresses, search.candidates, settings);
}

std::vector<std::string> Catalogue::PagesVisited(bool recursive) const
{
    std::vector<std::string> pages = RunSearch(FAddresses, recursive).pages;
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::string Catalogue::PictureBytes(const std::string& url) const
{
    const Resource* r = ResourceAt(FAddresses, url);
    if (r && r->answer == Answer::TypedPicture)
        return TypedPictureFile(r->path);
    if (!r || (r->answer != Answer::Picture && r->answer != Answer::PictureWithoutLength))
        return {};
    return PictureFile(*r);
}

// Commons holds its files, so the size it gives is listed; Openverse points
// elsewhere, so its pictures are checked when links are, and listed with the
// size it gives when they are not. Each lists the types asked for: Commons
// by MIME type, Openverse by file type or, without one, the extension.
std::vector<ListedPicture> Catalogue::SourcesListing(const SearchSettings& settings, int pages) const
{
    std::vector<ListedPicture> rows;
    const auto asked = [&](const std::string& type) {
        return std::find(settings.types.begin(), settings.types.end(), type) != settings.types.end();
    };
    const auto list = [&](const std::vector<std::vector<SourceListing>>& answers, bool hostsFiles) {
        for (size_t p = 0; p < answers.size() && p < static_cast<size_t>(pages); ++p)
            for (const SourceListing& picture : answers[p]) {
                const std::string url = FAddresses.Expand(picture.url);
                std::string type = AnsiLowerCase(picture.type.empty() ? url.substr(url.rfind('.') + 1) : picture.type);
                if (type.starts_with("image/"))
                    type.erase(0, 6);
                if (!asked(type == "jpg" ? "jpeg" : type))
                    continue;
                long long size = 0;
                if (picture.size > 0 && (hostsFiles || !settings.checkLinks))
                    size = static_cast<long long>(picture.size);
                else if (settings.checkLinks)
                    size = static_cast<long long>(PictureBytes(url).size());
                if (size > 0 && !settings.filter.Passes(size))
                    continue;
                rows.push_back({url, size > 0 ? std::to_string(size) : "UNKNOWN"});
            }
    };
    list(SourceAnswers().commonsPages, true);
    list(SourceAnswers().openversePages, false);
    std::sort(rows.begin(), rows.end(), [](const ListedPicture& a, const ListedPicture& b) { return a.url < b.url; });
    return rows;
}

} // namespace sampleweb
