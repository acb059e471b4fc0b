#pragma once
#include "search/Sources.h"

#include <string>

// The MediaWiki action API's file search with image info: namespace 6
// (files), each file's address, size, MIME type and a thumbnail of the
// grid's width; CirrusSearch's filemime: keyword asks for the types chosen.
std::string CommonsSearchPath(const TSourceSearch& search);

// The Openverse images search: its extension parameter asks for the types
// chosen.
std::string OpenverseSearchPath(const TSourceSearch& search);
