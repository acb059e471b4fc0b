#pragma once
#include <cstdint>
#include <string>

// One picture as a live source describes it: what a link check or a read of
// the file would otherwise have to find out.
struct TPictureRecord {
    std::string Url;
    int64_t Size = 0; // bytes; 0 when the source gives none
    int Width = 0;    // pixels; 0 when the source gives none
    int Height = 0;
    std::string MimeType; // lower case; empty when the source gives none
    // Each empty when the source gives none.
    std::string ThumbnailUrl; // a small picture of it that the source serves
    std::string PageUrl;      // the page that shows it
    std::string Title;
    std::string Creator;
    std::string Licence;
    std::string LicenceUrl;
};
