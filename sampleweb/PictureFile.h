#pragma once
#include "sampleweb/Content.h"

#include <string>

namespace sampleweb {

// The JPEG file served for a picture resource: the same bytes on every call.
std::string PictureFile(const Resource& picture);

// The PNG, GIF or WebP file served for a path with that extension: a
// 70 x 45 PNG, a 160 x 90 GIF, a 131 x 83 WebP (empty for others).
std::string TypedPictureFile(const std::string& path);

} // namespace sampleweb
