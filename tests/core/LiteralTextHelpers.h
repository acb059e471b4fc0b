#pragma once
#include <string>
#include <string_view>
#include <vector>

// The text helpers written as the plain edit loops they are described by:
// slow (quadratic) but obviously right. Oracles for differential tests.
namespace Literal {
std::string FixMultiQuery(std::string s);
std::string FixHTMLCodes(std::string s);
std::string ExtractFileNameFromURL(std::string s);
std::string ExtractPageLinkFromURL(std::string s);
std::string MakeValidDir(std::string s);
std::vector<std::string> LoadMemo(std::string_view body);
}
