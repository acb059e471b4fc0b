#include "cli/CliUnique.h"

#include "platform/TickCount.h"

TCliUnique::TCliUnique(int limit)
{
    FFetches.SetMaxRunning(static_cast<size_t>(std::max(limit, 1)));
    // The dimensions a check or a source told count before the thumbnail
    // file's own (a source's thumbnail is smaller than its picture).
    FFetches.OnHashed = [this](const std::string& url, uint64_t hash, int64_t pixels) {
        const auto at = FIdOf.find(url);
        if (at == FIdOf.end())
            return;
        const TDimensions known = FHeld[static_cast<size_t>(at->second)].Dimensions;
        FGroups.Add(at->second, hash, known.Known() ? int64_t{known.Width} * known.Height : pixels);
    };
    FFetches.OnReady = [this](const std::string&) {
        FLastEnd = GetTickCount();
        Feed();
    };
}

void TCliUnique::Tick()
{
    if (FFetches.Running() > 0 && GetTickCount() - FLastEnd > Timeout) {
        FFetches.Clear();
        FLastEnd = GetTickCount();
        Feed();
    }
}

void TCliUnique::Hold(const std::string& url, TPictureSize size, TDimensions dimensions)
{
    if (!Busy())
        FLastEnd = GetTickCount();
    FIdOf.emplace(url, static_cast<int>(FHeld.size()));
    FHeld.push_back({url, size, dimensions});
    FQueue.push_back(url);
    Feed();
}

// The fetches keep a short list of what is wanted; the rest waits here.
void TCliUnique::Feed()
{
    while (!FQueue.empty() && FFetches.Running() + FFetches.Waiting() < FFetches.MaxRunning()) {
        const std::string url = std::move(FQueue.front());
        FQueue.pop_front();
        FFetches.Want(url);
    }
}

std::vector<TCliUnique::TPicture> TCliUnique::Kept() const
{
    std::vector<TPicture> kept;
    for (int id = 0; id < static_cast<int>(FHeld.size()); ++id)
        if (FGroups.RankOf(id) == 1) {
            kept.push_back(FHeld[static_cast<size_t>(id)]);
            kept.back().Group = FGroups.GroupOf(id) + 1;
        }
    return kept;
}
