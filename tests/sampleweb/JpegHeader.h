#pragma once
#include <string>

// Reads a JPEG header with libjpeg; false when it is no JPEG file.
bool ReadJpegHeader(const std::string& bytes, int& width, int& height);
