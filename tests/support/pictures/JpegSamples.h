#pragma once
#include <string>

// JPEG files made on the spot with the library's compressor: a smooth
// picture with some texture, so that quality settings matter.
std::string EncodeJpeg(int width, int height, int quality, bool progressive);
// Pixels of one colour; CMYK pictures are written as the usual inverted CMYK.
std::string EncodeSolidJpeg(int width, int height, int r, int g, int b);
std::string EncodeSolidCmykJpeg(int width, int height, int c, int m, int y, int k);
