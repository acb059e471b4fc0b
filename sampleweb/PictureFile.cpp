#include "sampleweb/PictureFile.h"

#include "sampleweb/EmbeddedPictures.h"
#include "sampleweb/Jpeg.h"

namespace sampleweb {

std::string PictureFile(const Resource& picture)
{
    uint32_t seed = 2166136261u; // FNV-1a of the path: each picture looks different
    for (unsigned char c : picture.path)
        seed = (seed ^ c) * 16777619u;
    return MakeJpeg(picture.bytes, seed);
}

std::string TypedPictureFile(const std::string& path)
{
    if (path.ends_with(".png"))
        return std::string(EmbeddedPng);
    if (path.ends_with(".gif"))
        return std::string(EmbeddedGif);
    if (path.ends_with(".webp"))
        return std::string(EmbeddedWebp);
    return {};
}

} // namespace sampleweb
