#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text helpers of the search core. Each catches its own failures, logs its
// line and then leaves the out parameter as the caller had it.

// The search phrase as a query-string value: trimmed, blanks as "+",
// "/" and the double quote escaped; nothing else is touched.
void FixMultiQuery(std::string phrase, std::string& query);

// Every byte but the unreserved ones (letters, digits, "-", ".", "_", "~")
// as "%" and two upper-case hex digits: a UTF-8 text as a query value.
std::string PercentEncoded(std::string_view bytes);
// The search phrase as a live source's query value: trimmed like
// FixMultiQuery, then PercentEncoded (a blank is "%20").
std::string SourceQuery(std::string_view phrase);

// Decodes the escapes of PercentCodeTable (upper-case hex only).
void FixHTMLCodes(std::string text, std::string& decoded);

// Everything after the last "/"; the whole text when it holds none.
void ExtractFileNameFromURL(std::string url, std::string& fileName);

// Everything up to and including the last "/"; empty when it holds none.
void ExtractPageLinkFromURL(std::string url, std::string& pageLink);

// The search phrase as a directory name for Smart Save.
void MakeValidDir(std::string phrase, std::string& dirName);

// Appends the body's lines (breaks: CR LF, lone CR, lone LF) to lines.
// A NUL ends the text of its line.
void LoadMemoFromMemoryStream(std::vector<std::string>& lines, const char* data, size_t size);
void LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view body);
