#include "download/ThumbnailCache.h"

// The pixels, plus what an entry costs besides them (its key, the image's
// header, the list and the map).
int64_t TThumbnailCache::CostOf(const QImage& image) { return image.sizeInBytes() + 256; }

TThumbnailCache::TState TThumbnailCache::Find(const std::string& url, QImage& image)
{
    const auto at = FEntries.find(url);
    if (at == FEntries.end())
        return TState::Missing;
    FUses.splice(FUses.begin(), FUses, at->second.Use);
    image = at->second.Image;
    return image.isNull() ? TState::Failed : TState::Ready;
}

void TThumbnailCache::Put(const std::string& url, const QImage& image)
{
    const auto at = FEntries.find(url);
    if (at != FEntries.end()) {
        FBytes -= CostOf(at->second.Image);
        FUses.erase(at->second.Use);
        FEntries.erase(at);
    }
    FUses.push_front(url);
    FEntries.emplace(url, TEntry{image, FUses.begin()});
    FBytes += CostOf(image);
    Evict();
}

void TThumbnailCache::Evict()
{
    // The newest entry stays even alone over the bound: it is on screen.
    while (FBytes > FMaxBytes && FUses.size() > 1) {
        const auto at = FEntries.find(FUses.back());
        FBytes -= CostOf(at->second.Image);
        FEntries.erase(at);
        FUses.pop_back();
    }
}

void TThumbnailCache::Clear()
{
    FEntries.clear();
    FUses.clear();
    FBytes = 0;
}
