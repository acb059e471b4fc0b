#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace sampleweb {

// A real JPEG file of exactly `bytes` bytes: a small picture drawn from
// `seed`, padded with comment segments. Small files get small pictures.
// Throws std::invalid_argument when `bytes` is too small for the picture.
std::string MakeJpeg(size_t bytes, uint32_t seed);

} // namespace sampleweb
