#pragma once
#include <string>

// JPEG files made on the spot with the library's compressor: a smooth
// picture with some texture, so that quality settings matter.
std::string EncodeJpeg(int width, int height, int quality, bool progressive);
// The same picture as a camera writes it: with an EXIF block whose embedded
// thumbnail is the given JPEG file, in little- or big-endian order.
std::string EncodeCameraJpeg(int width, int height, int quality, bool progressive, const std::string& thumbnail,
                             bool bigEndian = false);
// An EXIF block (an APP1 segment's content) as cameras write it, holding the
// given JPEG file as its thumbnail.
std::string MakeExifBlock(const std::string& thumbnail, bool bigEndian);
// Pixels of one colour; CMYK pictures are written as the usual inverted CMYK.
std::string EncodeSolidJpeg(int width, int height, int r, int g, int b);
std::string EncodeSolidCmykJpeg(int width, int height, int c, int m, int y, int k);
