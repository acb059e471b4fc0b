#pragma once
#include <string_view>

namespace sampleweb {

// Files made by the usual encoders (tests/pictures/samples), built into the
// server: plain.png (70 x 45), plain.gif (160 x 90), lossy.webp (131 x 83).
extern const std::string_view EmbeddedPng;
extern const std::string_view EmbeddedGif;
extern const std::string_view EmbeddedWebp;

} // namespace sampleweb
