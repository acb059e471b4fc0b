#pragma once
#include "download/PictureError.h"

#include <QImage>
#include <string>

// Loads a picture file for the viewer: JPEG data through the program's own
// decoder, anything else (the loading picture is a bitmap) through QImage.
// Throws EPictureError when the file cannot be shown.
QImage LoadPicture(const std::string& path);
