#pragma once
#include "download/PictureError.h"

#include <QImage>
#include <cstddef>

// Limits that stop a small hostile file from costing seconds or gigabytes;
// far above any real picture a viewer is asked to show.
constexpr long long MaxJpegPixels = 40'000'000;
constexpr int MaxJpegScans = 100;

// Decodes a whole JPEG held in memory into an RGB888 picture. Throws
// EPictureError for malformed or truncated data and for pictures beyond the
// limits; never ends the process.
QImage DecodeJpeg(const unsigned char* data, size_t size);

// The same, scaled down by the library while it decodes (1/2, 1/4 or 1/8:
// the smallest scale that keeps the longer side at least `side` pixels, and
// never the full size): a thumbnail costs a fraction of a full decode. A
// camera's own thumbnail in the file's EXIF block stands in for it when it
// is at least `side` pixels and of the picture's shape.
QImage DecodeJpegThumbnail(const unsigned char* data, size_t size, int side);
