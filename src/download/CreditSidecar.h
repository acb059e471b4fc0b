#pragma once
#include "core/PictureRecord.h"

#include <string>

// Whether a source gave the picture any credit worth keeping.
bool HasCredit(const TPictureRecord& record);

// The sidecar of a picture file: its whole name with ".xmp" added, the name
// both darktable and digiKam read.
std::string SidecarPath(const std::string& picturePath);

// Writes the credit a source gives a picture beside it as an XMP sidecar,
// through Exiv2: dc:title, dc:creator, dc:source (the page that shows it),
// xmpRights:UsageTerms (the licence), xmpRights:WebStatement and cc:license
// (its address), cc:attributionName (the creator); a field the source does
// not give is left out. The picture itself is not touched. Raises
// EStreamError when the sidecar cannot be written.
void WriteCreditSidecar(const std::string& picturePath, const TPictureRecord& record);
