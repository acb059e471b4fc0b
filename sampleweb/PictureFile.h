#pragma once
#include "sampleweb/Content.h"

#include <string>

namespace sampleweb {

// The JPEG file served for a picture resource: the same bytes on every call.
std::string PictureFile(const Resource& picture);

} // namespace sampleweb
