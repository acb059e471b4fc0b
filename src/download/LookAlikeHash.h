#pragma once
#include <QImage>
#include <cstdint>

// A 64-bit perceptual hash of a picture, taken from its thumbnail: the
// picture's brightness averaged down to 32 x 32, the lowest 8 x 8
// frequencies of its cosine transform, one bit a frequency, set where it
// lies above their median. The same picture re-encoded or scaled keeps
// nearly every bit; a different picture changes about half. 0 for a null
// image.
uint64_t LookAlikeHash(const QImage& thumbnail);

// How many bits two hashes differ in.
int HashDistance(uint64_t a, uint64_t b);
