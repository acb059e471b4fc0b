#pragma once
#include <string>

// The file name a request path suggests: the last path part without its
// query, or "document.htm" for the root.
std::string DocFileNameFromPath(const std::string& path);

// An ".exe" name answered as "text/html" is saved as ".htm".
std::string FixDocFileNameForType(const std::string& docFileName, const std::string& contentType);
