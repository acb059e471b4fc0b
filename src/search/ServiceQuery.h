#pragma once
#include <string>

// The phrase as the query value of the four services: FixMultiQuery's
// escapes, in the Windows-1252 code page those services read. A letter the
// code page lacks goes as a form in that code page sends it: "&#N;", percent-
// encoded, so that no letter is lost. Text that is not UTF-8 is taken as
// Windows-1252 already (AsUtf8).
std::string ServiceQuery(const std::string& phrase);
