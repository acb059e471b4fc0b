#pragma once
#include "pictures/PictureHeader.h"

#include <climits>
#include <cstdint>
#include <string_view>

// Small helpers the header readers share.
namespace HeaderBytes {

inline uint32_t At(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }
inline uint32_t BigEndian16(std::string_view b, size_t i) { return At(b, i) << 8 | At(b, i + 1); }
inline uint32_t BigEndian32(std::string_view b, size_t i) { return BigEndian16(b, i) << 16 | BigEndian16(b, i + 2); }
inline uint32_t LittleEndian16(std::string_view b, size_t i) { return At(b, i) | At(b, i + 1) << 8; }
inline uint32_t LittleEndian24(std::string_view b, size_t i) { return LittleEndian16(b, i) | At(b, i + 2) << 16; }
inline uint32_t LittleEndian32(std::string_view b, size_t i) { return LittleEndian24(b, i) | At(b, i + 3) << 24; }

// Whether bytes could be the start of signature ('?' matches any byte): the
// bytes present agree with it.
inline bool Agrees(std::string_view bytes, std::string_view signature)
{
    const size_t n = bytes.size() < signature.size() ? bytes.size() : signature.size();
    for (size_t i = 0; i < n; ++i)
        if (signature[i] != '?' && bytes[i] != signature[i])
            return false;
    return true;
}

// Agrees, for the bytes from offset on (none there agree with anything).
inline bool AgreesAt(std::string_view bytes, size_t offset, std::string_view signature)
{
    return bytes.size() <= offset || Agrees(bytes.substr(offset), signature);
}

inline TPictureHeader NotYet(TPictureType type) { return {THeaderState::NotYet, type, 0, 0}; }
inline TPictureHeader NotAPicture(TPictureType type) { return {THeaderState::NotAPicture, type, 0, 0}; }

// A size of zero or beyond an int tells of a broken header, not a picture.
inline TPictureHeader Sized(TPictureType type, uint32_t width, uint32_t height)
{
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        return NotAPicture(type);
    return {THeaderState::Found, type, static_cast<int>(width), static_cast<int>(height)};
}

} // namespace HeaderBytes
