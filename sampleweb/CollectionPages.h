#pragma once
#include "sampleweb/Hosts.h"
#include "sampleweb/SourcePages.h"

#include <functional>
#include <optional>
#include <string>

namespace sampleweb {

// The four open collections' search APIs, all on the Museums host, each on
// its own documented path and in its documented shape: the Cleveland Museum
// of Art ("/api/artworks/", skip and limit; has_image=1 or cc0=1 keeps the
// works with pictures, the others being under copyright), the Art Institute of Chicago ("/api/v1/artworks/search", page
// and limit, 12 by default and at most 100, no further than the 10,000th
// result; only the `fields` asked for; IIIF addresses from config.iiif_url
// and each work's image_id), the Victoria and Albert Museum
// ("/v2/objects/search", page and page_size, 15 by default; images_exist=1
// keeps the records with pictures; each record's IIIF base address) and the
// Library of Congress ("/photos/", JSON with fo=json and else its web page;
// sp and c, 25 by default; a next link until the last page). Each holds 60
// works with pictures, so a search at 50 a page takes two pages; below
// "/empty" none, below "/changed" an answer of another shape, below
// "/throttled" the Library of Congress blocks every page after the first.
//
// The answer to a path (the variant's prefix taken off) with its query's
// parameters, or nothing when the path is none of theirs.
using Parameter = std::function<std::string(const char* name)>;
std::optional<SourceReply> CollectionAnswer(const std::string& path, const Parameter& parameter, SourceVariant variant,
                                           const Addresses& addresses);

// The JPEG served for a path where the collections keep their pictures, or
// null; every work has a picture of its own size.
const std::string* CollectionPicture(const std::string& path);

} // namespace sampleweb
