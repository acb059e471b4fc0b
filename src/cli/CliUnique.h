#pragma once
#include "core/PictureSize.h"
#include "download/LookAlikes.h"
#include "download/ThumbnailFetches.h"
#include "search/DimensionFilter.h"

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

// --unique: the pictures of a search held until each one's look-alike hash
// is known (its thumbnail fetched and decoded, at most `limit` at once),
// then only the largest of each group is handed on, with the group's number.
class TCliUnique {
public:
    struct TPicture {
        std::string Url;
        TPictureSize Size;
        TDimensions Dimensions;
        int Group = 0; // from 1: the place, in the order found, of the group's first picture
    };

    explicit TCliUnique(int limit);
    // The owner sets how thumbnails are fetched (proxies, addresses, agents).
    TThumbnailFetches& Fetches() { return FFetches; }

    void Hold(const std::string& url, TPictureSize size, TDimensions dimensions);
    // Thumbnails still waiting or running.
    bool Busy() const { return !FQueue.empty() || FFetches.Running() > 0 || FFetches.Waiting() > 0; }
    // Thumbnails that stalled, none ending for Timeout ms, are given up
    // (their pictures stand alone) and the waiting ones go on.
    static constexpr uint32_t Timeout = 30000;
    void Tick();
    // The largest of each group, in the order found; a picture whose
    // thumbnail failed (or never came) is a group of its own.
    std::vector<TPicture> Kept() const;

private:
    void Feed();

    TThumbnailCache FCache{4 * 1024 * 1024}; // only the hashes are wanted
    TThumbnailFetches FFetches{FCache};
    TLookAlikes FGroups;
    std::vector<TPicture> FHeld;
    std::unordered_map<std::string, int> FIdOf;
    std::deque<std::string> FQueue;
    uint32_t FLastEnd = 0; // tick count of the last thumbnail ended (or the first asked for)
};
