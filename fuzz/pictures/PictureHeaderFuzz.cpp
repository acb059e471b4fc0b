// Any bytes given to the header readers: no crash, no read past the bytes,
// a positive size when one is found, and an answer that more bytes never
// contradict (the size found in a prefix stays the size of the whole).
#include "pictures/PictureHeader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TPictureHeader whole = ReadPictureHeader(bytes);
    if (whole.State == THeaderState::Found && (whole.Width <= 0 || whole.Height <= 0))
        std::abort();
    const TPictureHeader half = ReadPictureHeader(bytes.substr(0, size / 2));
    if (half.State == THeaderState::Found &&
        (whole.State != THeaderState::Found || whole.Width != half.Width || whole.Height != half.Height))
        std::abort();
    if (half.State == THeaderState::NotAPicture && whole.State != THeaderState::NotAPicture)
        std::abort();
    return 0;
}
