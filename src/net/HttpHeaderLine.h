#pragma once
#include <cstdint>
#include <optional>
#include <string>

// "HTTP/1.0 ..." or "HTTP/1.1 ...".
bool IsStatusLine(const std::string& line);
// The three-digit code after the version; nullopt when it is no number.
std::optional<int> StatusCodeOf(const std::string& statusLine);
// The text after the code and its blank.
std::string ReasonPhraseOf(const std::string& statusLine);

struct THttpHeaderField {
    std::string Name;   // lower-cased
    std::string Value;  // blanks after the colon skipped
};
// Nullopt for a line without a colon.
std::optional<THttpHeaderField> SplitHeaderField(const std::string& line);

// A content length: decimal digits only (blanks around allowed) and within
// 32 bits; nullopt for anything else, which leaves the length unknown.
std::optional<int32_t> ParseContentLength(const std::string& value);
