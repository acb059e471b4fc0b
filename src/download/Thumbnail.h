#pragma once
#include "download/PictureError.h"

#include <QImage>
#include <string_view>

// A picture file's thumbnail: at most side pixels on its longer side, in a
// format that draws without conversion. JPEG files are decoded scaled down
// by the decoder itself; other types through Qt's readers, also asked for a
// scaled picture. Throws EPictureError when the bytes are no picture.
QImage MakeThumbnail(std::string_view bytes, int side);
