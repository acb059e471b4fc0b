#include "pictures/ExifThumbnail.h"

#include "pictures/HeaderBytes.h"

#include <cstdint>

using namespace HeaderBytes;

namespace {

constexpr uint32_t ThumbnailOffsetTag = 0x0201;
constexpr uint32_t ThumbnailLengthTag = 0x0202;
constexpr uint32_t ShortType = 3;
constexpr uint64_t EntryBytes = 12;

// The TIFF structure inside the block, read in its own byte order. Offsets
// are 64-bit so that no sum of two read values can wrap.
struct TTiff {
    std::string_view Bytes;
    bool Little = false;

    bool Holds(uint64_t at, uint64_t count) const { return at <= Bytes.size() && count <= Bytes.size() - at; }
    uint32_t U16(uint64_t at) const { return Little ? LittleEndian16(Bytes, at) : BigEndian16(Bytes, at); }
    uint32_t U32(uint64_t at) const { return Little ? LittleEndian32(Bytes, at) : BigEndian32(Bytes, at); }
    // An entry's value, when it fits in the entry itself.
    uint32_t Value(uint64_t entry) const { return U16(entry + 2) == ShortType ? U16(entry + 8) : U32(entry + 8); }
};

} // namespace

std::string_view FindExifThumbnail(std::string_view app1)
{
    constexpr std::string_view exif("Exif\0\0", 6);
    if (app1.substr(0, exif.size()) != exif)
        return {};
    TTiff tiff{app1.substr(exif.size())};
    if (!tiff.Holds(0, 8))
        return {};
    const std::string_view order = tiff.Bytes.substr(0, 4);
    if (order == std::string_view("II*\0", 4))
        tiff.Little = true;
    else if (order != std::string_view("MM\0*", 4))
        return {};
    // The first directory describes the picture; the one after it, the
    // thumbnail.
    uint64_t directory = tiff.U32(4);
    if (!tiff.Holds(directory, 2))
        return {};
    uint64_t entries = tiff.U16(directory);
    if (!tiff.Holds(directory + 2, entries * EntryBytes + 4))
        return {};
    directory = tiff.U32(directory + 2 + entries * EntryBytes);
    if (directory == 0 || !tiff.Holds(directory, 2))
        return {};
    entries = tiff.U16(directory);
    if (!tiff.Holds(directory + 2, entries * EntryBytes))
        return {};
    uint64_t offset = 0, length = 0;
    for (uint64_t i = 0; i < entries; ++i) {
        const uint64_t entry = directory + 2 + i * EntryBytes;
        const uint32_t tag = tiff.U16(entry);
        if (tag == ThumbnailOffsetTag)
            offset = tiff.Value(entry);
        else if (tag == ThumbnailLengthTag)
            length = tiff.Value(entry);
    }
    if (offset == 0 || length < 2 || !tiff.Holds(offset, length))
        return {};
    const std::string_view jpeg = tiff.Bytes.substr(offset, length);
    return jpeg.substr(0, 2) == "\xFF\xD8" ? jpeg : std::string_view();
}
