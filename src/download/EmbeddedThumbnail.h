#pragma once
#include <cstdio>
#include <jpeglib.h>
#include <string_view>

// A camera's own small copy of the picture, from the EXIF blocks the
// decoder saved while reading the header (jpeg_save_markers for APP1), when
// it can stand in for a thumbnail of `side` pixels: at least that large, of
// the picture's shape (some cameras pad theirs to 4:3 with black bars), and
// in a file that is whole (ends with its end marker). Empty otherwise.
std::string_view UsableEmbeddedThumbnail(const jpeg_decompress_struct& header, std::string_view file, int side);
