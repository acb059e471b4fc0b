// Any bytes handed to the viewer's JPEG decoder give a picture within the
// limits or EPictureError: never a crash, a hang or an exit.
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
    return 0;
}
