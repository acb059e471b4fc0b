#pragma once
#include "pictures/PictureTypes.h"

#include <cstddef>
#include <string_view>

// What the first bytes of a file tell about its dimensions.
enum class THeaderState : uint8_t {
    Found,       // Width and Height hold the picture's size
    NotYet,      // more bytes are needed
    NotAPicture, // no size will come: another kind of file, a malformed
                 // header, or no frame header within HeaderReadBound
};

struct TPictureHeader {
    THeaderState State = THeaderState::NotYet;
    TPictureType Type = TPictureType::Jpeg; // meaningful unless NotAPicture
    int Width = 0;
    int Height = 0;
};

// How far a reader looks for a frame header: JPEG metadata (EXIF with its
// thumbnail, colour profiles) comes before it and is seldom larger.
constexpr size_t HeaderReadBound = 256 * 1024;

// The dimensions from the first bytes of a JPEG, PNG, GIF or WebP file
// (bytes: the file's start, as much of it as has arrived). Reads nothing
// beyond HeaderReadBound; never reports a size the bytes do not hold.
TPictureHeader ReadPictureHeader(std::string_view bytes);

// The readers of each kind, for bytes that may be of that kind.
TPictureHeader ReadJpegHeader(std::string_view bytes);
TPictureHeader ReadPngHeader(std::string_view bytes);
TPictureHeader ReadGifHeader(std::string_view bytes);
TPictureHeader ReadWebpHeader(std::string_view bytes);
