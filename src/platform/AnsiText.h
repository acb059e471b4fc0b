#pragma once
#include <QString>
#include <optional>
#include <string>

// Byte strings from the network hold text in the Windows-1252 code page;
// widgets take QString. Names and paths on disk are UTF-8.
QString ToQt(const std::string& ansi);
std::string FromQt(const QString& text);

// The Windows-1252 byte of a character; none when the code page lacks it.
std::optional<char> AnsiByte(char32_t u);

// Valid UTF-8 as it is; other bytes are read as Windows-1252 (text that an
// older version stored, or a terminal in that code page typed).
std::string AsUtf8(const std::string& text);
