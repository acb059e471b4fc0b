// Makes a thumbnail of any bytes, as the result list does for each picture
// fetched: JPEG through the decoder (and the camera's own thumbnail in its
// EXIF block), PNG, GIF, WebP and the rest through Qt's image readers. The
// outcome is a picture within the side, ready to draw, or EPictureError.
// The EXIF reader also gets the bytes as an APP1 block of their own.
//
// Input: byte 0 picks the side (8 to 263 pixels); the rest is the file.
#include "../FuzzCheck.h"
#include "download/Thumbnail.h"
#include "pictures/ExifThumbnail.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt finds its image format plug-ins through the application; the replay in the tests has its own.
    if (!QCoreApplication::instance())
        static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int side = data[0] + 8;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        const QImage thumbnail = MakeThumbnail(file, side);
        Check(!thumbnail.isNull() && thumbnail.width() <= side && thumbnail.height() <= side);
        Check(thumbnail.format() == QImage::Format_ARGB32_Premultiplied);
    } catch (const EPictureError&) {
    }

    const std::string_view embedded = FindExifThumbnail(file);
    if (!embedded.empty()) {
        Check(embedded.data() >= file.data() && embedded.data() + embedded.size() <= file.data() + file.size());
        Check(embedded.starts_with("\xFF\xD8"));
    }
    return 0;
}
