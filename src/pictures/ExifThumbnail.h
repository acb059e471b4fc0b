#pragma once
#include <string_view>

// The JPEG thumbnail a camera embeds in its EXIF block (app1: the content of
// an APP1 segment, from "Exif\0\0" on), or empty when there is none or the
// block is malformed. Never reads outside app1.
std::string_view FindExifThumbnail(std::string_view app1);
