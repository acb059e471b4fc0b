// Any bytes handed to the viewer's JPEG decoder, whole or scaled down for a
// thumbnail, give a picture within the limits or EPictureError: never a
// crash, a hang or an exit.
#include "download/JpegDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const QImage image = DecodeJpeg(data, size);
        if (static_cast<long long>(image.width()) * image.height() > MaxJpegPixels)
            std::abort();
    } catch (const EPictureError&) {
    }
    try {
        const QImage thumbnail = DecodeJpegThumbnail(data, size, 32);
        if (static_cast<long long>(thumbnail.width()) * thumbnail.height() > MaxJpegPixels / 4)
            std::abort();
    } catch (const EPictureError&) {
    }
    return 0;
}
