#pragma once
#include <string>

// The file name a picture's address gives it on disk, in UTF-8: the last
// path segment without its query or fragment, percent-decoded (kept as it
// was when the decoded bytes are not UTF-8), made a plain entry of a folder
// (SmartSave::SafeFileName) and cut to MaxBytes with its extension kept.
// Empty when nothing usable remains ("", ".", "..").
std::string PictureFileName(const std::string& url);

inline constexpr size_t MaxFileNameBytes = 255;
