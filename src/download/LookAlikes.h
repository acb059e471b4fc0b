#pragma once
#include <array>
#include <cstdint>
#include <vector>

// Pictures, numbered from 0 (a search's result rows), grouped by their
// look-alike hashes: two whose hashes differ in at most Threshold bits are
// one group, and so are pictures linked through others. Each group knows its
// members ranked by pixels, the largest first. A picture not (yet) hashed is
// a group of its own.
class TLookAlikes {
public:
    // Bits that may differ; README "Look-alikes" has the measurements.
    static constexpr int Threshold = 6;

    // Hashes picture id (again: ignored); pixels: width times height, 0 when not known.
    void Add(int id, uint64_t hash, int64_t pixels);
    // The picture's pixels became known after it was hashed.
    void SetPixels(int id, int64_t pixels);
    void Clear();

    bool Hashed(int id) const;
    // A number the group's members share: its first member's id.
    int GroupOf(int id) const;
    int CountOf(int id) const;
    // 1 for the group's largest (ties: the first found), 2 for the next, ...
    int RankOf(int id) const;
    // The group of id, the largest first.
    std::vector<int> MembersOf(int id) const;

private:
    // A hash is four 16-bit chunks: two hashes within Threshold bits differ
    // in at most Threshold / 4 bits of one of them, so a new hash meets its
    // look-alikes among the pictures whose chunk lies that near to its own.
    static constexpr int Chunks = 4;
    static constexpr int ChunkRadius = Threshold / Chunks;

    struct TPicture {
        uint64_t Hash = 0;
        int64_t Pixels = 0;
        int Parent = -1; // -1: not hashed
        std::array<int, Chunks> Next{}; // the next picture of the same chunk value
    };
    int Root(int id) const;
    void Join(int a, int b);
    const std::vector<int>& Ranked(int root) const;
    template <class F>
    void ForNear(uint32_t value, int bitsLeft, int from, const F& visit) const;

    mutable std::vector<TPicture> FPictures;
    mutable std::vector<std::vector<int>> FMembers; // by root: the group, the largest first when ranked
    mutable std::vector<bool> FUnranked;
    // Per chunk, per chunk value: the latest picture with it (-1: none).
    std::vector<int> FHeads;
};
