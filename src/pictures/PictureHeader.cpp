#include "pictures/PictureHeader.h"

namespace {

TPictureHeader NoReader(std::string_view) { return {THeaderState::NotAPicture}; }

// Each kind starts with its own byte.
auto ReaderOf(char first) -> TPictureHeader (*)(std::string_view)
{
    switch (first) {
    case '\xFF': return ReadJpegHeader;
    case '\x89': return ReadPngHeader;
    case 'G': return ReadGifHeader;
    case 'R': return ReadWebpHeader;
    default: return NoReader;
    }
}

} // namespace

TPictureHeader ReadPictureHeader(std::string_view bytes)
{
    bytes = bytes.substr(0, HeaderReadBound);
    if (bytes.empty())
        return {};
    TPictureHeader header = ReaderOf(bytes[0])(bytes);
    if (header.State == THeaderState::NotYet && bytes.size() == HeaderReadBound)
        header.State = THeaderState::NotAPicture;
    return header;
}
