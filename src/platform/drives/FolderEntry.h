#pragma once
#include <cstdint>
#include <string>

// File attributes as the tree's filters know them.
enum : uint32_t {
    faHidden = 0x02,
    faSysFile = 0x04,
    faDirectory = 0x10,
    faArchive = 0x20,
};

// One entry of a folder listing.
struct TDirRec {
    uint32_t Attr = 0;
    std::string Name;
};
