#include "download/LookAlikes.h"

#include "download/LookAlikeHash.h"

#include <algorithm>
#include <utility>

namespace {

constexpr uint32_t ChunkValues = 1u << 16;

uint32_t ChunkOf(uint64_t hash, int k) { return static_cast<uint32_t>(hash >> (16 * k)) & 0xFFFF; }

} // namespace

// Every value within bitsLeft flipped bits of value, flipping only bits from `from` up.
template <class F>
void TLookAlikes::ForNear(uint32_t value, int bitsLeft, int from, const F& visit) const
{
    visit(value);
    if (bitsLeft == 0)
        return;
    for (int bit = from; bit < 16; ++bit)
        ForNear(value ^ (1u << bit), bitsLeft - 1, bit + 1, visit);
}

void TLookAlikes::Add(int id, uint64_t hash, int64_t pixels)
{
    if (id < 0 || Hashed(id))
        return;
    if (static_cast<size_t>(id) >= FPictures.size()) {
        FPictures.resize(static_cast<size_t>(id) + 1);
        FMembers.resize(FPictures.size());
        FUnranked.resize(FPictures.size());
    }
    if (FHeads.empty())
        FHeads.assign(Chunks * ChunkValues, -1);
    TPicture& picture = FPictures[static_cast<size_t>(id)];
    picture.Hash = hash;
    picture.Pixels = pixels;
    picture.Parent = id;
    FMembers[static_cast<size_t>(id)] = {id};
    for (int k = 0; k < Chunks; ++k)
        ForNear(ChunkOf(hash, k), ChunkRadius, 0, [&](uint32_t value) {
            for (int other = FHeads[k * ChunkValues + value]; other >= 0;
                 other = FPictures[static_cast<size_t>(other)].Next[static_cast<size_t>(k)])
                if (HashDistance(hash, FPictures[static_cast<size_t>(other)].Hash) <= Threshold)
                    Join(id, other);
        });
    for (int k = 0; k < Chunks; ++k) {
        int& head = FHeads[k * ChunkValues + ChunkOf(hash, k)];
        FPictures[static_cast<size_t>(id)].Next[static_cast<size_t>(k)] = head;
        head = id;
    }
}

void TLookAlikes::SetPixels(int id, int64_t pixels)
{
    if (!Hashed(id) || FPictures[static_cast<size_t>(id)].Pixels == pixels)
        return;
    FPictures[static_cast<size_t>(id)].Pixels = pixels;
    FUnranked[static_cast<size_t>(Root(id))] = true;
}

void TLookAlikes::Clear()
{
    FPictures.clear();
    FMembers.clear();
    FUnranked.clear();
    FHeads.clear();
}

bool TLookAlikes::Hashed(int id) const
{
    return id >= 0 && static_cast<size_t>(id) < FPictures.size() && FPictures[static_cast<size_t>(id)].Parent >= 0;
}

int TLookAlikes::Root(int id) const
{
    int root = id;
    while (FPictures[static_cast<size_t>(root)].Parent != root)
        root = FPictures[static_cast<size_t>(root)].Parent;
    while (FPictures[static_cast<size_t>(id)].Parent != root)
        id = std::exchange(FPictures[static_cast<size_t>(id)].Parent, root);
    return root;
}

void TLookAlikes::Join(int a, int b)
{
    a = Root(a);
    b = Root(b);
    if (a == b)
        return;
    // The smaller id stays the root, so the group's number is its first member.
    if (b < a)
        std::swap(a, b);
    FPictures[static_cast<size_t>(b)].Parent = a;
    std::vector<int>& into = FMembers[static_cast<size_t>(a)];
    std::vector<int>& from = FMembers[static_cast<size_t>(b)];
    into.insert(into.end(), from.begin(), from.end());
    from = {};
    FUnranked[static_cast<size_t>(a)] = true;
}

// Ranked when asked, not at every join: a search joins far more often than
// a view asks.
const std::vector<int>& TLookAlikes::Ranked(int root) const
{
    std::vector<int>& members = FMembers[static_cast<size_t>(root)];
    if (!FUnranked[static_cast<size_t>(root)])
        return members;
    FUnranked[static_cast<size_t>(root)] = false;
    std::sort(members.begin(), members.end(), [this](int a, int b) {
        const int64_t pa = FPictures[static_cast<size_t>(a)].Pixels, pb = FPictures[static_cast<size_t>(b)].Pixels;
        return pa != pb ? pa > pb : a < b;
    });
    return members;
}

int TLookAlikes::GroupOf(int id) const { return Hashed(id) ? Root(id) : id; }

int TLookAlikes::CountOf(int id) const
{
    return Hashed(id) ? static_cast<int>(FMembers[static_cast<size_t>(Root(id))].size()) : 1;
}

std::vector<int> TLookAlikes::MembersOf(int id) const
{
    return Hashed(id) ? Ranked(Root(id)) : std::vector<int>{id};
}

int TLookAlikes::RankOf(int id) const
{
    if (!Hashed(id))
        return 1;
    const std::vector<int>& members = Ranked(Root(id));
    return static_cast<int>(std::find(members.begin(), members.end(), id) - members.begin()) + 1;
}
