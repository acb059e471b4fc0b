#pragma once
#include "sampleweb/Hosts.h"

#include <string>
#include <vector>

namespace sampleweb {

// The size filter of the settings; the defaults are those of a missing settings file.
struct SizeFilter {
    bool largerThanBool = true;
    int largerThan = 20; // kb of 1000 bytes; a size on a bound passes
    bool smallerThanBool = true;
    int smallerThan = 1000;

    bool Passes(long long bytes) const;
};

struct SearchSettings {
    bool checkLinks = true;
    bool recursive = true;
    SizeFilter filter;
    std::vector<std::string> types = {"jpeg"}; // of the sources' pictures: jpeg, png, gif, webp
};

// One row of the result list: the URL as found and the "Size:" text.
struct ListedPicture {
    std::string url;
    std::string size; // decimal bytes, or "UNKNOWN"
    bool operator==(const ListedPicture&) const = default;
};

// What a search of the sample web lists, with any phrase, once every page and
// check has been answered (the stalling host's checks end by time-out, listing
// nothing). Derived from the same content the servers answer with.
class Catalogue {
public:
    explicit Catalogue(Addresses addresses) : FAddresses(std::move(addresses)) {}

    // Sorted by URL; the program's own order depends on the timing of its requests.
    std::vector<ListedPicture> Listing(const SearchSettings& settings) const;

    // What a search that starts from the page `pageUrl` lists (the page read
    // as one a service listed).
    std::vector<ListedPicture> StartPageListing(const std::string& pageUrl, const SearchSettings& settings) const;

    // Pages the search fetches as web pages: listed by HotBot and Lycos, and
    // (recursive search) those behind thumbnails on them.
    std::vector<std::string> PagesVisited(bool recursive) const;

    // What a search with the live sources switched on (and no service) lists
    // when each source is asked for at most `pages` answer pages.
    std::vector<ListedPicture> SourcesListing(const SearchSettings& settings, int pages) const;

    // The exact bytes served for a picture URL; empty when the URL is no picture.
    std::string PictureBytes(const std::string& url) const;

private:
    Addresses FAddresses;
};

} // namespace sampleweb
